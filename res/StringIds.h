#pragma once
// Ids of the string-table texts that several windows show alike.

namespace res {

enum SharedStringId : unsigned {
  kStrFileTitle = 2500,         // "設定ファイル名入力": title of the settings and firmware file dialogs
  kStrFileOpenFailed = 2502,    // "エラー！ ファイルを開くことに失敗しました"
  kStrFileCreateFailed = 2503,  // "エラー！ ファイル作成に失敗しました"
  kStrNotSettingsFile = 2504,  // "エラー！  設定ファイルではありません" (also a refused firmware image)
  kStrSuccess = 2510,          // "成功"
  kStrFailure = 2511,          // "エラー！ 失敗"
};

}  // namespace res
