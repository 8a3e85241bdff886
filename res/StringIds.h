#pragma once
// Ids of the string-table texts that the program loads, one name each. The
// texts themselves stand in the string table (StringsFrame.cpp,
// StringsMessages.cpp) under these numbers.

namespace res {

enum StringId : unsigned {
  // Start-up and the dialog font.
  kStrOleInitFailed = 100,
  kStrDialogFontFace = 102,  // "ＭＳ ゴシック"
  kStrFontSizeFirst = 223,   // base size of screen class 0; one id per class
  kStrFontAdj2First = 228,   // second value of screen class 0; every second id
  kStrFontAdjFirst = 229,    // third value of screen class 0; every second id

  // Buttons of the wizard pages.
  kStrOk = 131,     // "OK"
  kStrClose = 132,  // "閉じる"

  // Column headings: port selection, current values.
  kStrPortColumn = 220,
  kStrDeviceColumn = 221,
  kStrKindColumn = 239,   // "種類"
  kStrValueColumn = 240,  // "値"
  kStrUnitColumn = 241,   // "単位"

  // Connect failures.
  kStrPortNotOpened = 400,  // "シリアルポートが開けません"
  kStrNoResponse = 401,     // "応答がありません"
  kStrNotSupported = 402,   // "接続機器は対応しておりません"

  // Measurement page.
  kStrMeasuring = 610,  // "測定中"
  kStrStopped = 611,    // "停止中"
  kStrCriteria = 623,   // "判定基準"

  // Setting groups (group g is kStrFirstGroup + g - 1) and the item tree's titles.
  kStrFirstGroup = 2000,
  kStrExportTitle = 2005,  // "出力設定項目選択"
  kStrImportTitle = 2006,  // "読込み設定項目選択"

  // Tab titles of the panel.
  kStrTabSystem = 2100,         // "システム"
  kStrTabMeasurement = 2102,    // "測定・送信"
  kStrTabCommunication = 2103,  // "通信設定"
  kStrTabTest = 2105,           // "テスト"
  kStrTabRecording = 2106,      // "データ収録"

  // File dialogs and files.
  kStrFileTitle = 2500,         // "設定ファイル名入力": title of the settings and firmware file dialogs
  kStrSaveTitle = 2501,         // "設定ファイル名入力": title of the export's save dialog
  kStrFileOpenFailed = 2502,    // "エラー！ ファイルを開くことに失敗しました"
  kStrFileCreateFailed = 2503,  // "エラー！ ファイル作成に失敗しました"
  kStrNotSettingsFile = 2504,  // "エラー！  設定ファイルではありません" (also a refused firmware image)

  // The device object's failure texts and the outcomes of operations.
  kStrNotConnected = 2505,      // "エラー！ 機器と接続していません"
  kStrDeviceNoResponse = 2506,  // "エラー！ 機器からの応答がありません"
  kStrFailed = 2507,            // "エラー！ 失敗しました"
  kStrNoMemory = 2509,          // "エラー！ メモリの確保に失敗しました"
  kStrSuccess = 2510,           // "成功"
  kStrFailure = 2511,           // "エラー！ 失敗"
  kStrClearConfirm = 2513,      // the Data-recording page's clear
  kStrWrongModule = 2514,       // "エラー！  機器が異なります"
  kStrEraseConfirm = 2515,      // the firmware update's first confirmation
  kStrInitConfirm = 2516,       // the firmware update's second confirmation
  kStrAborted = 2517,           // "中断しました"
  kStrFirmwareProgress = 2519,  // "ファームウェアバージョンアップ中"
  kStrSucceeded = 2520,         // "正常に終了しました"
  kStrUpdateFailed = 2521,      // "失敗しました"
  kStrRainResetConfirm = 2524,  // the current values' rain reset
  kStrNoImei = 2532,            // the IMEI was not obtained
  kStrModuleSetting = 2533,     // setting the communication module failed
  kStrStillStopped = 2540,      // a walk left the measurement stopped
  // The import's list of unusable values, and the rules they broke.
  kStrRefusedValues = 2541,  // "設定ファイルの次の値は使用できません。..."
  kStrRangeRule = 2542,      // "範囲: %s"
  kStrAddressRule = 2543,    // "使用できる文字: 半角英数字と ! \" # ..."
  kStrStartRule = 2544,      // "2000年～2099年の実在する日時"
  kStrAlarmRule = 2545,      // "雨量, 時間(分), ON/OFF の3つの値"
  // A second operation refused while one runs, and a link that went.
  kStrBusy = 2546,      // "ほかの処理を実行中です。..."
  kStrLinkLost = 2547,  // "機器との接続が切れました。..."

  // Prompts of the pages.
  kStrRecordRange = 3502,    // "データ数: %ld   (ID: %ld - ID: %ld)"
  kStrSyncConfirm = 3506,    // the time synchronisation
  kStrRebootConfirm = 3507,  // the module restart
};

}  // namespace res
