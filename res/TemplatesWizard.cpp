// Templates of the settings transfer: the item tree (311) and the wizard
// input pages. Every page has the common 386 x 279 shape: the title band 602
// across the top, an explanation below it, the page's own controls, the
// warning line 1300 where the page has one, and Back 601, Next 600 and
// Cancel 2 at the bottom right (WizardPage adds the band and the buttons).

#include "res/TemplateSet.h"

namespace res {
namespace {

using K = ControlKind;

constexpr uint64_t kButton = CS_TABSTOP;
constexpr uint64_t kField = CS_BORDER | CS_TABSTOP | CS_AUTOHSCROLL;
constexpr uint64_t kDigits = kField | CS_NUMBER | CS_RIGHT;
// ON/OFF switches: push-like radio buttons, each pair a group of its own.
constexpr uint64_t kSwitch = CS_AUTO | CS_PUSHLIKE;
constexpr uint64_t kFirstSwitch = kSwitch | CS_GROUP | CS_TABSTOP;
constexpr uint32_t kModal = DS_POPUP | DS_CAPTION | DS_SYSMENU | DS_MODALFRAME;
constexpr int kPageWidth = 386;
constexpr int kPageHeight = 279;
constexpr int kFontSize = 9;

// The explanation under the title band, one or two lines.
ControlTemplate Explanation(const char* text) { return {-1, K::Static, text, CS_NONE, 20, 36, 346, 20}; }
// The warning line above the buttons (red on the page).
ControlTemplate Warning(const char* text) { return {1300, K::Static, text, CS_NONE, 20, 214, 346, 24}; }
// The button a page acts on, under the explanation.
ControlTemplate ActionButton(int id, const char* text) { return {id, K::PushButton, text, kButton, 20, 66, 70, 18}; }

DialogTemplateData WizardPage(unsigned id, const char* caption, const char* title, std::vector<ControlTemplate> body) {
  std::vector<ControlTemplate> controls;
  controls.push_back({602, K::Static, title, CS_CENTERIMAGE, 0, 0, kPageWidth, 24});
  for (ControlTemplate& c : body) controls.push_back(c);
  controls.push_back({-1, K::Static, "", CS_SUNKEN, 7, 248, kPageWidth - 14, 1});
  controls.push_back({601, K::PushButton, "戻る", kButton, 211, 256, 50, 15});
  controls.push_back({600, K::PushButton, "次へ", kButton, 263, 256, 50, 15});
  controls.push_back({2, K::PushButton, "キャンセル", kButton, 322, 256, 57, 15});
  return Dialog(id, caption, kPageWidth, kPageHeight, kModal, kFontSize, std::move(controls));
}

std::vector<DialogTemplateData> Build() {
  std::vector<DialogTemplateData> t;

  // Item tree. The dialog itself gives the tree its check boxes.
  t.push_back(Dialog(311, "設定", 200, 236, kModal, kFontSize,
                     {
                         {1001, K::TreeView, "", CS_HASLINES | CS_BORDER | CS_TABSTOP, 7, 7, 186, 196},
                         {1, K::DefPushButton, "OK", kButton, 84, 213, 50, 15},
                         {2, K::PushButton, "キャンセル", kButton, 136, 213, 57, 15},
                     }));

  // Access point: the module's preset profile, or the values typed in the
  // frame below (enabled only for "その他").
  t.push_back(WizardPage(325, "接続設定-送信設定 (SIM設定)", "  アクセスポイント設定",
                         {
                             Explanation("アクセスポイントの設定を行います"),
                             {1431, K::RadioButton, "Soracom", CS_AUTO | CS_GROUP | CS_TABSTOP, 30, 62, 70, 12},
                             {1432, K::RadioButton, "その他", CS_AUTO, 110, 62, 70, 12},
                             {1435, K::PushButton, "インポート", kButton, 296, 60, 70, 16},
                             {-1, K::GroupBox, "", CS_NONE, 20, 80, 346, 122},
                             {-1, K::Static, "名称", CS_CENTERIMAGE, 36, 94, 60, 13},
                             {1028, K::Edit, "", kField, 100, 94, 240, 13},
                             {-1, K::Static, "ユーザID", CS_CENTERIMAGE, 36, 114, 60, 13},
                             {1004, K::Edit, "", kField, 100, 114, 140, 13},
                             {-1, K::Static, "パスワード", CS_CENTERIMAGE, 36, 134, 60, 13},
                             {1005, K::Edit, "", kField | CS_PASSWORD, 100, 134, 140, 13},
                             {-1, K::Static, "認証", CS_CENTERIMAGE, 36, 154, 60, 13},
                             {1434, K::ComboBox, "", CS_DROPDOWNLIST | CS_TABSTOP, 100, 154, 60, 60},
                             {-1, K::Static, "IMEI", CS_CENTERIMAGE, 36, 178, 60, 13},
                             {1007, K::Edit, "", CS_BORDER | CS_READONLY | CS_AUTOHSCROLL, 100, 178, 140, 13},
                         }));

  t.push_back(WizardPage(329, "初期設定-バッテリ警告", "  送信停止電圧の設定",
                         {
                             Explanation("バッテリ電圧の低下によるデータ送信を停止する電圧を設定します"),
                             {-1, K::Static, "送信停止バッテリ電圧", CS_CENTERIMAGE, 40, 80, 84, 13},
                             {1026, K::Edit, "", kField | CS_RIGHT, 128, 80, 40, 13},
                             {-1, K::Static, "[V]", CS_CENTERIMAGE, 172, 80, 16, 13},
                             {-1, K::Static, "( 2.4 - 12.0 V )", CS_CENTERIMAGE, 194, 80, 80, 13},
                             Warning("【警告】 送信停止バッテリ電圧以下になったらたすみやかに測定を停止して下さい。\r\n"
                                     "\t過放電になると電池が発熱、発煙、発火を招く場合があります。"),
                         }));

  t.push_back(WizardPage(340, "接続設定-アンテナ状態確認", "  アンテナ状態確認",
                         {
                             Explanation("確認ボタンを押してアンテナ状態を確認してください"),
                             ActionButton(1044, "確認"),
                             {-1, K::Static, "アンテナ状態", CS_NONE, 20, 104, 60, 10},
                             // The level picture is drawn here, 96 pixels square.
                             {1168, K::Static, "", CS_NONE, 90, 100, 70, 64},
                         }));

  // Measurement schedule: start, then per mode an interval (days, then
  // hours:minutes) and a send count, each row with its unit and range.
  std::vector<ControlTemplate> schedule = {
      Explanation("測定を開始します\r\n測定開始日時、測定間隔、送信間隔を設定してください"),
      {-1, K::Static, "(年)-(月)-(日)  (時):(分)", CS_NONE, 120, 62, 120, 10},
      {-1, K::Static, "測定開始日時", CS_CENTERIMAGE, 20, 73, 96, 13},
      {1254, K::MaskedEdit, "", kField, 120, 73, 80, 13},
      {1421, K::PushButton, "PC時刻+2min", kButton, 206, 72, 64, 15},
  };
  const auto scheduleRows = [&schedule](int y, const char* interval, int days, int time, const char* count, int countId,
                                        int hint) {
    const std::vector<ControlTemplate> rows = {
        {-1, K::Static, interval, CS_CENTERIMAGE, 20, y, 96, 13},
        {days, K::Edit, "", kDigits, 120, y, 24, 13},
        {-1, K::Static, "日", CS_CENTERIMAGE, 147, y, 10, 13},
        {time, K::MaskedEdit, "", kDigits, 159, y, 32, 13},
        {-1, K::Static, "(時):(分)", CS_CENTERIMAGE, 195, y, 40, 13},
        {-1, K::Static, "(1分 - 10日)", CS_CENTERIMAGE, 239, y, 60, 13},
        {-1, K::Static, count, CS_CENTERIMAGE, 20, y + 18, 96, 13},
        {countId, K::Edit, "", kDigits, 120, y + 18, 24, 13},
        {-1, K::Static, "[ 回 ]", CS_CENTERIMAGE, 147, y + 18, 24, 13},
        {hint, K::Static, "(0-240)", CS_CENTERIMAGE, 175, y + 18, 40, 13},
    };
    schedule.insert(schedule.end(), rows.begin(), rows.end());
  };
  scheduleRows(100, "通常時測定間隔", 1261, 1262, "通常時データ送信間隔", 1027, 1411);
  scheduleRows(144, "イベント時測定間隔", 1025, 1263, "イベント時データ送信間隔", 1028, 1412);
  schedule.push_back({-1, K::Static, "機器内時刻", CS_CENTERIMAGE, 20, 188, 96, 13});
  schedule.push_back({1269, K::Edit, "", CS_BORDER | CS_READONLY, 120, 188, 80, 13});
  schedule.push_back(Warning("【注意】データ送信間隔を0にした場合は、送信しません"));
  t.push_back(WizardPage(342, "測定設定", " 測定開始日時、測定間隔、送信間隔設定", std::move(schedule)));

  // Two rain criteria, each an amount within a period and an ON/OFF switch.
  std::vector<ControlTemplate> criteria = {
      Explanation("イベント動作になるための判定基準を設定します\r\n時間当たりの雨量を２種類設定できます。"),
  };
  const auto criterionRows = [&criteria](int y, const char* heading, int rain, int period, int on, int off) {
    const std::vector<ControlTemplate> rows = {
        {-1, K::Static, heading, CS_NONE, 20, y, 200, 10},
        {rain, K::Edit, "", kField | CS_RIGHT, 40, y + 14, 50, 13},
        {-1, K::Static, "[mm](0.01-999.99)", CS_CENTERIMAGE, 94, y + 14, 96, 13},
        {period, K::MaskedEdit, "", kField | CS_RIGHT, 40, y + 31, 50, 13},
        {-1, K::Static, "[時:分](000:01-240:00)", CS_CENTERIMAGE, 94, y + 31, 100, 13},
        {on, K::RadioButton, "ON", kFirstSwitch, 220, y + 20, 44, 18},
        {off, K::RadioButton, "OFF", kSwitch, 266, y + 20, 44, 18},
    };
    criteria.insert(criteria.end(), rows.begin(), rows.end());
  };
  criterionRows(66, "判定基準① ( 雨量 / 時間 )", 1156, 1172, 1100, 1101);
  criterionRows(126, "判定基準② ( 雨量 / 時間 )", 1157, 1173, 1102, 1103);
  t.push_back(WizardPage(352, "測定設定-判定警告設定", "  判定警告設定", std::move(criteria)));

  t.push_back(WizardPage(362, "初期設定", "  初期化(リセット)",
                         {
                             Explanation("リセットを行うことにより設定を初期化します\r\n"
                                         "リセットボタンを押してください"),
                             ActionButton(1021, "リセット"),
                             Warning("【注意】測定データ及び設定値は消去されます"),
                         }));

  t.push_back(WizardPage(387, "接続設定-テストメール送信", "  テストメール送信",
                         {
                             Explanation("送信ボタンを押してテストメールを送信してください"),
                             ActionButton(1044, "送信"),
                             Warning("【注意】正しく送信されたかどうかは、送信先へ届いたかどうかで確認してください"),
                         }));

  t.push_back(WizardPage(401, "接続設定-IMEI番号", "  IMEIの確認",
                         {
                             Explanation("確認ボタンを押してIMEI番号を確認してください"),
                             ActionButton(1044, "確認"),
                         }));

  t.push_back(WizardPage(402, "初期設定-入力設定", "入力設定（雨量計）　変換係数設定",
                         {
                             Explanation("1カウント当たりの雨量を設定してください"),
                             {-1, K::Static, "雨量変換係数", CS_CENTERIMAGE, 40, 80, 60, 13},
                             {1186, K::ComboBox, "", CS_DROPDOWN | CS_TABSTOP, 104, 80, 50, 60},
                             {-1, K::Static, "[mm/カウント]", CS_CENTERIMAGE, 160, 80, 64, 13},
                         }));
  return t;
}

}  // namespace

const std::vector<DialogTemplateData>& WizardTemplates() {
  static const std::vector<DialogTemplateData> templates = Build();
  return templates;
}

}  // namespace res
