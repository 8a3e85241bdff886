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

DialogTemplateData WizardPage(unsigned id, const char* caption, const char* title,
                              std::vector<ControlTemplate> body) {
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

  t.push_back(WizardPage(340, "接続設定-アンテナ状態確認", "  アンテナ状態確認",
                         {
                             Explanation("確認ボタンを押してアンテナ状態を確認してください"),
                             ActionButton(1044, "確認"),
                             {-1, K::Static, "アンテナ状態", CS_NONE, 20, 104, 60, 10},
                             // The level picture is drawn here, 96 pixels square.
                             {1168, K::Static, "", CS_NONE, 90, 100, 70, 64},
                         }));

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
