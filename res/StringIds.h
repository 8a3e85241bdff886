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
  // The import's list of unusable values, and the rules they broke.
  kStrRefusedValues = 2541,  // "設定ファイルの次の値は使用できません。..."
  kStrRangeRule = 2542,      // "範囲: %s"
  kStrAddressRule = 2543,    // "使用できる文字: 半角英数字と ! \" # ..."
  kStrStartRule = 2544,      // "2000年～2099年の実在する日時"
  kStrAlarmRule = 2545,      // "雨量, 時間(分), ON/OFF の3つの値"
};

}  // namespace res
