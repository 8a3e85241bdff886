// Templates of the five logger pages of the tabbed panel. Rectangles are
// dialog units, in tab order. Two of them carry known layout faults that the
// page code copes with (it sizes the page to hold every control); they stay,
// so the pages keep the layout their operators know:
//  - 317 is 289 x 227 while its controls reach x 347 and y 260;
//  - 133 has button 1043 below its bottom edge.

#include "res/TemplateSet.h"

namespace res {
namespace {

using K = ControlKind;

constexpr uint64_t kButton = CS_TABSTOP;
constexpr uint32_t kPage = DS_CHILD | DS_CONTROL;
constexpr uint64_t kField = CS_READONLY | CS_BORDER;
constexpr uint64_t kNumber = CS_READONLY | CS_BORDER | CS_RIGHT;

// The one-character unit labels (年, 月, 日, 時, 分) of the measurement page
// have a place but no size of their own: 9 x 8 holds one full-width character
// and stays clear of the field that follows.
ControlTemplate Unit(const char* text, int x, int y) { return {-1, K::Static, text, CS_NONE, x, y, 9, 8}; }

DialogTemplateData SystemPage() {
  return Dialog(317, "", 289, 227, kPage, 12,
                {
                    {-1, K::Static, "機器", CS_NONE, 7, 9, 18, 8},
                    {1015, K::Static, "4ch", CS_NONE, 40, 9, 155, 8},
                    {-1, K::Static, "基本部バージョン", CS_NONE, 234, 7, 70, 8},
                    {1013, K::Static, "Ver1.00  00-00-00", CS_NONE, 304, 7, 43, 8},
                    {-1, K::Static, "製品情報", CS_NONE, 7, 27, 44, 8},
                    {1005, K::Static, "", CS_NONE, 54, 27, 270, 8},
                    {-1, K::GroupBox, "", CS_NONE, 7, 37, 318, 27},
                    {-1, K::Static, "機器内時刻", CS_NONE, 10, 48, 44, 8},
                    {1269, K::Edit, "", kField | CS_AUTOHSCROLL, 58, 46, 94, 12},
                    {1431, K::PushButton, "サーバ時刻同期", kButton, 238, 43, 59, 17},
                    {-1, K::Static, "メモリ記録データ範囲", CS_NONE, 10, 75, 84, 8},
                    {1017, K::Static, "99999-99999", CS_NONE, 95, 75, 96, 8},
                    {-1, K::GroupBox, "", CS_NONE, 7, 88, 318, 33},
                    {-1, K::Static, "送信停止バッテリ電圧", CS_NONE, 10, 97, 89, 8},
                    {1020, K::Static, "00.0", CS_RIGHT, 107, 97, 23, 8},
                    {-1, K::Static, "[V]", CS_NONE, 134, 97, 14, 8},
                    {1010, K::PushButton, "送信停止電圧設定", kButton, 201, 100, 96, 14},
                    {-1, K::GroupBox, "", CS_NONE, 7, 133, 318, 42},
                    {-1, K::Static, "雨量変換係数", CS_NONE, 15, 150, 68, 8},
                    {1270, K::Static, "", CS_RIGHT, 102, 151, 36, 8},
                    {-1, K::Static, "[mm/カウント]", CS_NONE, 141, 151, 62, 8},
                    {1011, K::PushButton, "入力設定", kButton, 236, 148, 61, 14},
                    {1006, K::PushButton, "初期化", kButton, 7, 246, 50, 14},
                    {1007, K::PushButton, "更新", kButton, 276, 246, 50, 14},
                });
}

DialogTemplateData MeasurementPage() {
  return Dialog(319, "", 356, 265, kPage, 12,
                {
                    {-1, K::Static, "現状の動作", CS_NONE, 7, 7, 46, 8},
                    {1025, K::Edit, "", kField, 58, 7, 46, 12},
                    {1010, K::PushButton, "設定", kButton, 299, 7, 50, 14},
                    {1012, K::PushButton, "測定停止", kButton, 299, 26, 50, 14},
                    {-1, K::Static, "測定開始日時", CS_NONE, 7, 29, 56, 8},
                    {1276, K::Edit, "", kNumber, 70, 26, 30, 12},
                    {1278, K::Edit, "", kNumber, 117, 26, 17, 12},
                    {1279, K::Edit, "", kNumber, 147, 26, 17, 12},
                    {1280, K::Edit, "", kNumber, 188, 26, 17, 12},
                    {1281, K::Edit, "", kNumber, 217, 26, 17, 12},
                    Unit("年", 103, 29),
                    Unit("月", 135, 29),
                    Unit("日", 167, 29),
                    Unit("時", 206, 29),
                    Unit("分", 239, 29),
                    {-1, K::Static, "機器内時刻", CS_NONE, 22, 45, 48, 8},
                    {1269, K::Edit, "", kField, 70, 43, 93, 12},
                    {-1, K::Static, "次回測定日時", CS_NONE, 7, 67, 53, 8},
                    {1283, K::Edit, "", kNumber, 70, 64, 30, 12},
                    {1284, K::Edit, "", kNumber, 117, 64, 17, 12},
                    {1285, K::Edit, "", kNumber, 147, 64, 17, 12},
                    {1286, K::Edit, "", kNumber, 188, 64, 17, 12},
                    {1287, K::Edit, "", kNumber, 217, 64, 17, 12},
                    Unit("年", 103, 67),
                    Unit("月", 135, 67),
                    Unit("日", 167, 67),
                    Unit("時", 206, 67),
                    Unit("分", 239, 67),
                    {1007, K::PushButton, "更新", kButton, 260, 64, 28, 14},
                    {-1, K::Static, "通常時測定間隔", CS_NONE, 7, 88, 57, 8},
                    {1288, K::Edit, "", kNumber, 83, 86, 17, 12},
                    {1289, K::Edit, "", kNumber, 114, 86, 17, 12},
                    {1290, K::Edit, "", kNumber, 142, 86, 17, 12},
                    Unit("日", 103, 89),
                    Unit("時", 132, 89),
                    Unit("分", 164, 89),
                    {-1, K::Static, "通常時データ送信間隔", CS_NONE, 189, 88, 81, 8},
                    {1023, K::Edit, "", kNumber, 290, 85, 17, 12},
                    {-1, K::Static, "回", CS_NONE, 312, 88, 13, 8},
                    {-1, K::Static, "イベント時測定間隔", CS_NONE, 7, 105, 73, 8},
                    {1291, K::Edit, "", kNumber, 83, 104, 17, 12},
                    {1292, K::Edit, "", kNumber, 114, 104, 17, 12},
                    {1293, K::Edit, "", kNumber, 142, 104, 17, 12},
                    Unit("日", 103, 107),
                    Unit("時", 132, 107),
                    Unit("分", 164, 107),
                    {-1, K::Static, "イベント時データ送信間隔", CS_NONE, 189, 105, 98, 8},
                    {1024, K::Edit, "", kNumber, 290, 104, 17, 12},
                    {-1, K::Static, "回", CS_NONE, 312, 105, 13, 8},
                    {-1, K::Static, "判定基準", CS_NONE, 7, 128, 66, 8},
                    {1011, K::PushButton, "判定基準設定", kButton, 286, 125, 63, 14},
                    {1002, K::Edit, "",
                     kField | CS_MULTILINE | CS_VSCROLL | CS_HSCROLL | CS_AUTOVSCROLL | CS_AUTOHSCROLL | CS_TABSTOP, 7,
                     140, 342, 118},
                });
}

DialogTemplateData CommunicationPage() {
  // A control parent with a sunken client edge: its children join the tab
  // navigation of the panel.
  return Dialog(133, "", 314, 196, kPage | DS_CLIENTEDGE, 10,
                {
                    {-1, K::GroupBox, "アクセスポイント", CS_MODALFRAME | CS_CLIENTEDGE, 14, 7, 272, 154},
                    {-1, K::Static, "名称", CS_NONE, 26, 41, 49, 8},
                    {1024, K::Edit, "", kField | CS_AUTOHSCROLL, 79, 39, 106, 12},
                    {1042, K::PushButton, "APN設定", kButton, 219, 38, 50, 14},
                    {-1, K::Static, "ユーザID", CS_NONE, 26, 63, 49, 8},
                    {1025, K::Edit, "", kField | CS_AUTOHSCROLL, 80, 61, 106, 12},
                    {-1, K::Static, "パスワード", CS_NONE, 26, 85, 49, 8},
                    {1026, K::Edit, "", kField | CS_PASSWORD | CS_AUTOHSCROLL, 80, 83, 106, 12},
                    {-1, K::Static, "認証", CS_NONE, 26, 113, 49, 8},
                    {1008, K::Edit, "", kField | CS_TABSTOP, 79, 108, 52, 12},
                    {-1, K::Static, "IMEI", CS_NONE, 26, 136, 49, 8},
                    {1007, K::Edit, "", kField | CS_TABSTOP, 80, 136, 106, 12},
                    {1044, K::PushButton, "通信モジュールの再起動", kButton, 25, 166, 98, 17},
                    {1043, K::PushButton, "IMEIの確認", kButton, 220, 196, 55, 17},
                });
}

DialogTemplateData TestPage() {
  return Dialog(322, "", 356, 216, kPage, 12,
                {
                    {1081, K::PushButton, "現在値の取得", kButton, 32, 19, 83, 14},
                    {1082, K::PushButton, "アンテナ状態の確認", kButton, 32, 46, 83, 14},
                    {1083, K::PushButton, "テスト送信", kButton, 32, 73, 83, 14},
                });
}

DialogTemplateData RecordingPage() {
  return Dialog(
      323, "", 356, 216, kPage, 12,
      {
          {1017, K::PushButton, "データ読み込み", kButton, 32, 19, 76, 14},
          {1018, K::PushButton, "エラーログ読込", kButton, 32, 46, 76, 14},
          {1019, K::PushButton, "データのクリア", kButton, 32, 74, 76, 14},
          {-1, K::Static,
           "【注意1】データをクリアすると、定時測定は停止します。\r\n【注意2】データのクリアには、30秒程度時間がか"
           "かる場"
           "合があります。",
           CS_NONE, 66, 93, 261, 26},
      });
}

}  // namespace

const std::vector<DialogTemplateData>& PageTemplates() {
  static const std::vector<DialogTemplateData> templates = {SystemPage(), MeasurementPage(), CommunicationPage(),
                                                            TestPage(), RecordingPage()};
  return templates;
}

}  // namespace res
