// Templates of the frame's own windows and of the modal dialogs that the
// frame and the pages open. Rectangles are dialog units, in tab order.

#include "res/TemplateSet.h"

namespace res {
namespace {

using K = ControlKind;

// Push buttons are tab stops, as in any dialog.
constexpr uint64_t kButton = CS_TABSTOP;
constexpr uint32_t kModal = DS_POPUP | DS_CAPTION | DS_SYSMENU | DS_MODALFRAME;

std::vector<DialogTemplateData> Build() {
  std::vector<DialogTemplateData> t;

  // About box. Its layout and its two lines of text are ours to choose; it
  // keeps this font (no dialog-font replacement).
  t.push_back(Dialog(100, "バージョン情報", 170, 75, kModal, 9,
                     {
                         {-1, K::Icon, "128", CS_NONE, 14, 14, 21, 20},
                         {-1, K::Static, "Kestrix2Comm", CS_NONE, 42, 14, 114, 8},
                         {1332, K::Static, "Version 1.00", CS_NONE, 42, 26, 114, 8},
                         {-1, K::Static, "Copyright (C) XEV Corporation", CS_NONE, 42, 38, 124, 8},
                         {1, K::DefPushButton, "OK", kButton, 113, 54, 50, 14},
                     }));

  // Port selection. The outer size and the label's size follow the usual
  // 7-unit margins around the placed controls.
  t.push_back(Dialog(
      151, "COM", 221, 127, kModal, 9,
      {
          {1, K::DefPushButton, "OK", kButton, 164, 7, 50, 14},
          {2, K::PushButton, "Cancel", kButton, 164, 24, 50, 14},
          {-1, K::Static, "Select port number", CS_NONE, 7, 14, 150, 8},
          {1003, K::ListView, "", CS_REPORT | CS_SINGLESEL | CS_SHOWSELALWAYS | CS_BORDER | CS_TABSTOP, 7, 29, 150, 91},
      }));

  // Tabbed panel: a caption-less pop-up that lies over the frame's client area.
  t.push_back(Dialog(314, "", 393, 299, DS_POPUP, 9,
                     {
                         {1004, K::Tab, "", CS_NONE, 1, 0, 392, 294},
                     }));

  // Terminal. Control 1000 only marks where the text view goes; the window
  // lays the view out over the whole client area below the buttons.
  t.push_back(Dialog(316, "Terminal", 369, 213, DS_POPUP | DS_CAPTION | DS_SYSMENU | DS_THICKFRAME, 9,
                     {
                         {1000, K::Static, "", CS_NONE, 2, 19, 300, 194},
                         {1274, K::PushButton, "HELLO", kButton, 0, 0, 32, 14},
                         {1276, K::PushButton, "表示ログ保存", kButton, 187, 0, 54, 14},
                     }));

  // Progress window. 1268-1270 are never seen: their ids are the command ids
  // of the progress messages a worker posts.
  t.push_back(Dialog(333, "状態", 198, 61, DS_VISIBLE | DS_POPUP | DS_CAPTION, 8,
                     {
                         {1193, K::Progress, "", CS_NONE, 7, 41, 184, 13},
                         {1194, K::Static, "通信中", CS_NONE, 7, 14, 123, 8},
                         {1253, K::PushButton, "中断", kButton | CS_HIDDEN, 141, 14, 50, 14},
                         {1268, K::PushButton, "Dummy", kButton | CS_HIDDEN, 156, 33, 17, 14},
                         {1269, K::PushButton, "Dummy", kButton | CS_HIDDEN, 174, 33, 17, 14},
                         {1270, K::PushButton, "Dummy", kButton | CS_HIDDEN, 174, 30, 17, 14},
                     }));

  // Downloaded data: a resizable read-out of the whole download, which may
  // run to a hundred thousand lines.
  t.push_back(Dialog(336, "取得データ", 317, 183, DS_POPUP | DS_CAPTION | DS_SYSMENU | DS_THICKFRAME, 9,
                     {
                         {1, K::PushButton, "保存", kButton, 197, 7, 50, 14},
                         {2, K::PushButton, "閉じる", kButton, 260, 7, 50, 14},
                         {1002, K::ReadOnlyEdit, "",
                          CS_READONLY | CS_BORDER | CS_MULTILINE | CS_VSCROLL | CS_HSCROLL | CS_AUTOVSCROLL |
                              CS_AUTOHSCROLL | CS_TABSTOP,
                          7, 28, 303, 148},
                     }));

  // Record range. 1194 is replaced by the range text when the dialog opens.
  t.push_back(Dialog(364, "回収データ指定", 186, 99, DS_POPUP | DS_CAPTION | DS_MODALFRAME, 8,
                     {
                         {1194, K::Static, "スタティック", CS_NONE, 7, 14, 172, 8},
                         {-1, K::Static, "最終ID", CS_NONE, 34, 34, 24, 8},
                         {1203, K::Edit, "", CS_NUMBER | CS_BORDER | CS_TABSTOP, 68, 30, 47, 12},
                         {-1, K::Static, "個数", CS_NONE, 40, 55, 17, 8},
                         {1204, K::Edit, "", CS_NUMBER | CS_BORDER | CS_TABSTOP, 68, 50, 47, 12},
                         {1, K::DefPushButton, "OK", kButton, 31, 78, 50, 14},
                         {2, K::PushButton, "キャンセル", kButton, 91, 78, 50, 14},
                     }));

  // Current values: sizing border, no system menu (only "閉じる" closes it).
  t.push_back(Dialog(391, "現在値", 281, 230, DS_POPUP | DS_CAPTION | DS_THICKFRAME, 8,
                     {
                         {1363, K::Static, "", CS_NONE, 7, 7, 197, 8},
                         {1039, K::ListView, "", CS_REPORT | CS_BORDER | CS_TABSTOP, 7, 19, 202, 207},
                         {1264, K::DefPushButton, "取得", kButton, 217, 7, 59, 14},
                         {1, K::PushButton, "閉じる", kButton, 217, 28, 59, 14},
                         {1342, K::PushButton, "雨量リセット", kButton, 217, 212, 59, 14},
                     }));

  // Firmware update: no system menu, so no close box; only button 1 closes it.
  t.push_back(Dialog(
      400, "ファームウェア更新", 372, 252, DS_POPUP | DS_CAPTION | DS_MODALFRAME, 8,
      {
          {1267, K::PushButton, "ファイルの選択", kButton, 199, 156, 58, 14},
          {1266, K::PushButton, "更新", kButton, 199, 191, 58, 14},
          {1, K::DefPushButton, "閉じる", kButton, 315, 231, 50, 14},
          {1002, K::Edit, "", CS_READONLY | CS_AUTOHSCROLL | CS_BORDER, 13, 156, 179, 12},
          {-1, K::Static, "ファイル", CS_NONE, 13, 144, 40, 8},
          {1003, K::Edit, "", CS_READONLY | CS_MULTILINE | CS_BORDER, 13, 191, 179, 53},
          {-1, K::Static, "バージョン情報", CS_NONE, 13, 181, 47, 8},
          {-1, K::Static, "Kestrix2の内部プログラム(ファームウェア)のバージョンアップを行います", CS_NONE, 10, 8, 355,
           22},
          {1323, K::Static,
           "<確認事項>\r\n①バージョンアッププログラムがパソコン内部に保存されていることを確認してください\r\n②"
           "Kestrixのバッテリーの電圧が十分あることを確認してください。\r\n③PC側の電源が、バージョンアップ中に切れ"
           "ないように注意してください。",
           CS_NONE, 8, 22, 355, 36},
          {1300, K::Static,
           "【注意1】バージョンアップの際、Kestrix2内部の測定データおよび設定値についてはあらかじめ保存していただく"
           "ようお願いいたします。\r\n【注意2】測定状態は停止します。バージョンアップ後、手動で測定を再開してくださ"
           "い",
           CS_NONE, 8, 65, 347, 26},
          {-1, K::Static,
           "<手順>\r\n①「ファイルを選択」ボタンを押して、バージョンアップに使用するファイルを選択してください\r\n②バー"
           "ジョン情報に表示されるバージョンが、今回使用するものかを確認してください\r\n③「更新」ボタンを押し、いくつ"
           "か項目を確認後、内部プログラムのバージョンアップを行います",
           CS_NONE, 8, 100, 355, 38},
      }));

  return t;
}

}  // namespace

const std::vector<DialogTemplateData>& FrameTemplates() {
  static const std::vector<DialogTemplateData> templates = Build();
  return templates;
}

}  // namespace res
