#include "res/Menu.h"

namespace res {

const std::vector<MenuItem>& MainMenu() {
  // The setting-group and firmware commands have no item here on purpose:
  // only code posts them.
  static const std::vector<MenuItem> menu = {
      {0,
       "通信(&T)",
       {
           {32771, "接続", {}},
           {32772, "切断", {}},
           {32773, "ターミナル表示", {}},
           {32776, "ログ記録", {}},
           {57665, "終了", {}},
       }},
      {0,
       "設定ファイル(&F)",
       {
           {32791, "設定値のエクスポート", {}},
           {32794, "設定ファイルを使用して設定", {}},
       }},
      {0,
       "ヘルプ(&H)",
       {
           {32823, "バージョン", {}},
       }},
  };
  return menu;
}

const std::vector<Accelerator>& MainAccelerators() {
  // Only the framework's standard commands; the program adds no key of its own.
  constexpr int kBack = 0x08, kInsert = 0x2D, kDelete = 0x2E, kF6 = 0x75;
  static const std::vector<Accelerator> table = {
      {57600, 'N', true, false, false},      // new document
      {57601, 'O', true, false, false},      // open document
      {57603, 'S', true, false, false},      // save document
      {57607, 'P', true, false, false},      // print
      {57643, 'Z', true, false, false},      // undo
      {57643, kBack, false, false, true},    // undo
      {57635, 'X', true, false, false},      // cut
      {57635, kDelete, false, true, false},  // cut
      {57634, 'C', true, false, false},      // copy
      {57634, kInsert, true, false, false},  // copy
      {57637, 'V', true, false, false},      // paste
      {57637, kInsert, false, true, false},  // paste
      {57680, kF6, false, false, false},     // next pane
      {57681, kF6, false, true, false},      // previous pane
  };
  return table;
}

const char* DocumentString() {
  return "Kestrix2Comm\n\nKestrix2Comm\n\n\nKestrix2Comm.Document\nKestrix2Comm.Document";
}

}  // namespace res
