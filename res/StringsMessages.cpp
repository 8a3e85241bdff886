// Texts of the settings transfer (groups, items, file dialogs) and the
// messages of logger operations and files.

#include <iterator>

#include "res/StringEntry.h"

namespace res {

namespace {

constexpr StringEntry kMessageStrings[] = {
    // Setting groups 1-4 (2000 + group - 1) and the item tree titles.
    {2000, "初期設定"},
    {2001, "無線設定"},
    {2002, "接続設定"},
    {2003, "測定設定"},
    {2005, "出力設定項目選択"},
    {2006, "読込み設定項目選択"},

    // File dialogs and file messages. Where a caller has an English text of
    // its own it shows that one when the id is missing (noted per id).
    {2500, "設定ファイル名入力"},
    {2501, "設定ファイル名入力"},
    {2502, "エラー！ ファイルを開くことに失敗しました"},  // caller's fallback "Err! File open error!"
    {2503, "エラー！ ファイル作成に失敗しました"},
    {2504, "エラー！  設定ファイルではありません"},  // caller's fallback "Err! file error!"

    // Device-object result codes -3, -2, -1, -4 and the operation outcomes.
    {2505, "エラー！ 機器と接続していません"},
    {2506, "エラー！ 機器からの応答がありません"},
    {2507, "エラー！ 失敗しました"},  // caller's fallback "Err!"
    {2509, "エラー！ メモリの確保に失敗しました"},
    {2510, "成功"},
    {2511, "エラー！ 失敗"},
    {2513,
     "データとエラーログを消去します。消去したデータは戻りません。\r\nまた、定時測定中の場合、定時測定も停止します。\r"
     "\n"
     "続けますか？"},
    {2514, "エラー！  機器が異なります"},  // caller's fallback "Err! Module type error!"
    {2515, "ファームウェアの更新を行うと、機器内に記憶されているデータが消去されます。\r\n続けますか？"},
    {2516,
     "いくつかの設定値は初期化されます。\r\n同じ設定値が必要な場合、設定値をエクスポートしてから更新してください。\r\n"
     "「OK」ボタンを押すと、更新を始めます。"},
    {2517, "中断しました"},
    {2519, "ファームウェアバージョンアップ中"},
    {2520, "正常に終了しました"},
    {2521, "失敗しました"},
    {2524, "雨量のカウントをリセットします。\r\nリセットすると元には戻せません\r\n続けますか？"},
    {2532, "IMEIを取得できません。\r\nSIMカードを確認してください。"},
    {2533, "通信モジュールへの設定に失敗しました\r\n再度設定を行ってください"},
    // A setting walk that stopped the measurement ended before the measurement
    // page started it again.
    {2540, "測定は停止したままです。\r\n測定を開始するまで雨量は記録されません。"},
    // A settings file's values that cannot be used, listed before the item
    // tree with the range or rule each broke.
    {2541, "設定ファイルの次の値は使用できません。その項目は読み込みません。"},
    {2542, "範囲: %s"},
    {2543, "使用できる文字: 半角英数字と ! \" # $ % & ' * + - . / = ? @ ^ _ { | } ~"},
    {2544, "2000年～2099年の実在する日時"},
    {2545, "雨量, 時間(分), ON/OFF の3つの値"},
    // A logger operation asked for while another one runs; the link to the
    // logger lost (the device hung up, an adapter pulled).
    {2546, "ほかの処理を実行中です。\r\n終了してから、もう一度操作してください。"},
    {2547, "機器との接続が切れました。\r\n機器とケーブルを確かめてから、もう一度接続してください。"},

    // Setting item names, 3000 + item index. Items that no logger of this
    // family offers keep their rows: the indexes are shared with the file.
    {3000, "初期化"},
    {3001, "日時設定"},
    {3002, "GPS設定"},
    {3003, "入力設定"},
    {3004, "メモ情報設定"},
    {3005, "外部接点出力"},
    {3006, "バッテリ警告"},
    {3007, "アイドリング時間"},
    {3008, "無線設定"},
    {3009, "無線状態確認"},
    {3010, "SIM電話番号"},
    {3011, "アクセスポイント"},
    {3012, "メールサーバ設定"},
    {3013, "メール送信設定"},
    {3014, "データセンタ送信設定"},
    {3015, "SMS送信設定"},
    {3016, "送信種別設定"},
    {3017, "送信設定"},
    {3018, "リトライ回数設定"},
    {3019, "アンテナ状態確認"},
    {3020, "テスト送信"},
    {3021, "判定基準"},
    {3022, "測定設定"},

    // Prompts of the pages: record range, time synchronisation, module restart.
    {3502, "データ数: %ld   (ID: %ld - ID: %ld)"},
    {3506, "測定を停止してから同期してください。同期しますか?"},
    {3507, "通信モジュールを再起動します。\r\nつづけますか?"},
};

}  // namespace

StringBlock MessageStrings() { return {kMessageStrings, std::size(kMessageStrings)}; }

}  // namespace res
