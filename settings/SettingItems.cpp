#include "settings/SettingItems.h"

namespace {
constexpr uint32_t kAll = 0xFFFFFFFFu;
}  // namespace

const SettingItemDef g_settingItems[kSettingItemCount] = {
    {1, 3000, kAll, 0xFF, 0x02},  // 初期化
    {1, 3001, kAll, 0xFF, 0x02},  // 日時設定
    {1, 3002, 0, 0xFF, 0xFF},     // GPS設定
    {1, 3003, kAll, 0xFF, 0xFF},  // 入力設定
    {1, 3004, 0, 0xFF, 0xFF},     // メモ情報設定
    {1, 3005, 0, 0xFF, 0xFF},     // 外部接点出力
    {1, 3006, kAll, 0xFF, 0xFF},  // バッテリ警告
    {1, 3007, 0, 0xFF, 0xFF},     // アイドリング時間
    {2, 3008, 0, 0x03, 0xFF},     // 無線設定
    {2, 3009, 0, 0x03, 0x02},     // 無線状態確認
    {3, 3010, 0, 0x01, 0xFF},     // SIM電話番号
    {3, 3011, kAll, 0x01, 0xFF},  // アクセスポイント
    {3, 3012, 0, 0x00, 0xFF},     // メールサーバ設定
    {3, 3013, 0, 0x00, 0xFF},     // メール送信設定
    {3, 3014, 0, 0x00, 0xFF},     // データセンタ送信設定
    {3, 3015, 0, 0x00, 0xFF},     // SMS送信設定
    {3, 3016, 0, 0x00, 0xFF},     // 送信種別設定
    {3, 3017, 0, 0x01, 0xFF},     // 送信設定
    {3, 3018, 0, 0x01, 0xFF},     // リトライ回数設定
    {3, 3019, kAll, 0x01, 0x02},  // アンテナ状態確認
    {3, 3020, kAll, 0x01, 0x02},  // テスト送信
    {4, 3021, kAll, 0xFF, 0xFF},  // 判定基準
    {4, 3022, kAll, 0x01, 0xFF},  // 測定設定
};
