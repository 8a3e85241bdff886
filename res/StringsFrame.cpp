// Texts of start-up, the main frame, the tabbed panel and its pages, and the
// dialogs opened from them.

#include <iterator>

#include "res/StringEntry.h"

namespace res {
namespace {

constexpr StringEntry kFrameStrings[] = {
    {100, "OLE の初期化に失敗しました。OLE ライブラリのバージョンが正しいことを確認してください。"},
    // Face of every dialog the program builds itself; the font layer maps it
    // to the installed Gothic font.
    {102, "ＭＳ ゴシック"},
    {125, "カスタマイズ..."},
    {131, "OK"},
    {132, "閉じる"},
    {220, "Port"},
    {221, "Device"},

    // Dialog font per screen class, read as decimal numbers at start-up:
    // 223-227 the base size, then per class the second and the third value
    // (228/229, 230/231, ...). Point size = base - third.
    {223, "10"},
    {224, "12"},
    {225, "14"},
    {226, "16"},
    {227, "18"},
    {228, "1"},
    {229, "1"},
    {230, "2"},
    {231, "2"},
    {232, "2"},
    {233, "2"},
    {234, "3"},
    {235, "3"},
    {236, "2"},
    {237, "2"},

    // Column headings of the current-values table.
    {239, "種類"},
    {240, "値"},
    {241, "単位"},

    // Connect failures.
    {400, "シリアルポートが開けません"},
    {401, "応答がありません"},
    {402, "接続機器は対応しておりません"},

    // Measurement page.
    {610, "測定中"},
    {611, "停止中"},
    {623, "判定基準"},

    // Tab titles of the panel.
    {2100, "システム"},
    {2102, "測定・送信"},
    {2103, "通信設定"},
    {2105, "テスト"},
    {2106, "データ収録"},

    // Application title (profile name under the registry key).
    {57344, "Sandrol-QZ Control Software"},
};

}  // namespace

StringBlock FrameStrings() { return {kFrameStrings, std::size(kFrameStrings)}; }

}  // namespace res
