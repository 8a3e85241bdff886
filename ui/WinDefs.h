#pragma once
// The handful of Windows types, constants and helpers that the window
// framework's callers are written with. Values are the platform's own where
// callers compare them with fixed numbers (virtual keys, command ids,
// message-box results); the rest only need to be distinct.

#include <cstdint>

#include "platform/Hooks.h"

using BOOL = int;
using WORD = uint16_t;
using DWORD = uint32_t;
using UINT = unsigned;
using LONG = int32_t;
using INT_PTR = intptr_t;
using UINT_PTR = uintptr_t;
using WPARAM = uintptr_t;
using LPARAM = intptr_t;
using LRESULT = intptr_t;
using COLORREF = uint32_t;
using HWND = platform::WindowHandle;

inline constexpr BOOL TRUE = 1;
inline constexpr BOOL FALSE = 0;

constexpr WORD LOWORD(uintptr_t v) { return static_cast<WORD>(v & 0xFFFF); }
constexpr WORD HIWORD(uintptr_t v) { return static_cast<WORD>((v >> 16) & 0xFFFF); }
constexpr WPARAM MAKEWPARAM(unsigned lo, unsigned hi) { return (lo & 0xFFFF) | ((hi & 0xFFFF) << 16); }
constexpr COLORREF RGB(int r, int g, int b) {
  return static_cast<COLORREF>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}
constexpr int GetRValue(COLORREF c) { return c & 0xFF; }
constexpr int GetGValue(COLORREF c) { return (c >> 8) & 0xFF; }
constexpr int GetBValue(COLORREF c) { return (c >> 16) & 0xFF; }

// a * b / c rounded half away from zero, -1 when c is 0 (as the platform's MulDiv).
int MulDiv(int a, int b, int c);

// Is the handle a live window of this process (any thread may ask).
BOOL IsWindow(HWND hWnd);

// Messages.
enum : UINT {
  WM_DESTROY = 0x0002,
  WM_MOVE = 0x0003,
  WM_SIZE = 0x0005,
  WM_ACTIVATE = 0x0006,
  WM_PAINT = 0x000F,
  WM_CLOSE = 0x0010,
  WM_ERASEBKGND = 0x0014,
  WM_SHOWWINDOW = 0x0018,
  WM_NOTIFY = 0x004E,
  WM_KEYDOWN = 0x0100,
  WM_CHAR = 0x0102,
  WM_SYSKEYDOWN = 0x0104,
  WM_SYSKEYUP = 0x0105,
  WM_COMMAND = 0x0111,
  WM_TIMER = 0x0113,
  WM_HSCROLL = 0x0114,
  WM_VSCROLL = 0x0115,
  // A control's colours, asked of its dialog before it paints: one message
  // per kind of control, in the order of the CTLCOLOR_ kinds below.
  WM_CTLCOLORMSGBOX = 0x0132,
  WM_CTLCOLOREDIT = 0x0133,
  WM_CTLCOLORLISTBOX = 0x0134,
  WM_CTLCOLORBTN = 0x0135,
  WM_CTLCOLORDLG = 0x0136,
  WM_CTLCOLORSCROLLBAR = 0x0137,
  WM_CTLCOLORSTATIC = 0x0138,
  WM_MOUSEWHEEL = 0x020A,
  WM_INITIALUPDATE = 0x0364,
};

struct MSG {
  HWND hwnd = 0;
  UINT message = 0;
  WPARAM wParam = 0;
  LPARAM lParam = 0;
};

// Notification header of WM_NOTIFY.
struct NMHDR {
  HWND hwndFrom = 0;
  UINT_PTR idFrom = 0;
  UINT code = 0;
};

// Notification codes.
enum : UINT {
  NM_CLICK = static_cast<UINT>(-2),
  NM_DBLCLK = static_cast<UINT>(-3),
  TCN_SELCHANGE = static_cast<UINT>(-551),
  TVN_ITEMCHANGEDW = static_cast<UINT>(-418),
  TVN_SELCHANGEDW = static_cast<UINT>(-451),
  CBN_SELCHANGE = 1,
  CBN_EDITCHANGE = 5,
  BN_CLICKED = 0,
  EN_CHANGE = 0x0300,
  EN_KILLFOCUS = 0x0200,
};

// Kinds of a colour request (OnCtlColor's nCtlColor).
enum : UINT {
  CTLCOLOR_MSGBOX = 0,
  CTLCOLOR_EDIT = 1,
  CTLCOLOR_LISTBOX = 2,
  CTLCOLOR_BTN = 3,
  CTLCOLOR_DLG = 4,
  CTLCOLOR_SCROLLBAR = 5,
  CTLCOLOR_STATIC = 6,
};

// Dialog results and standard command ids.
enum : int { IDOK = 1, IDCANCEL = 2, IDABORT = 3, IDRETRY = 4, IDIGNORE = 5, IDYES = 6, IDNO = 7 };

// Message-box type bits.
enum : UINT {
  MB_OK = 0x0,
  MB_OKCANCEL = 0x1,
  MB_ABORTRETRYIGNORE = 0x2,
  MB_YESNOCANCEL = 0x3,
  MB_YESNO = 0x4,
  MB_RETRYCANCEL = 0x5,
  MB_TYPEMASK = 0xF,
  MB_ICONHAND = 0x10,
  MB_ICONQUESTION = 0x20,
  MB_ICONEXCLAMATION = 0x30,
  MB_ICONASTERISK = 0x40,
  MB_ICONMASK = 0xF0,
  MB_DEFBUTTON2 = 0x100,
  MB_DEFMASK = 0xF00,
};

// ShowWindow commands.
enum : int {
  SW_HIDE = 0,
  SW_SHOWMINIMIZED = 2,
  SW_SHOWMAXIMIZED = 3,
  SW_SHOWNOACTIVATE = 4,
  SW_SHOW = 5,
  SW_MINIMIZE = 6,
  SW_SHOWNA = 8,
  SW_RESTORE = 9
};

// WM_ACTIVATE states.
enum : UINT { WA_INACTIVE = 0, WA_ACTIVE = 1, WA_CLICKACTIVE = 2 };

// WM_SIZE types.
enum : UINT { SIZE_RESTORED = 0 };

// Window style bits that callers change (frame and scroll bars).
enum : DWORD {
  WS_CHILD = 0x40000000,
  WS_VISIBLE = 0x10000000,
  WS_CLIPSIBLINGS = 0x04000000,
  WS_THICKFRAME = 0x00040000,
  WS_MAXIMIZEBOX = 0x00010000,
  SBS_HORZ = 0x0,
  SBS_VERT = 0x1,
  PBS_MARQUEE = 0x08,
};

// Scroll-bar requests and information.
enum : UINT {
  SB_LINEUP = 0,
  SB_LINEDOWN = 1,
  SB_PAGEUP = 2,
  SB_PAGEDOWN = 3,
  SB_THUMBPOSITION = 4,
  SB_THUMBTRACK = 5,
  SB_TOP = 6,
  SB_BOTTOM = 7,
};
enum : UINT {
  SIF_RANGE = 0x1,
  SIF_PAGE = 0x2,
  SIF_POS = 0x4,
  SIF_TRACKPOS = 0x10,
  SIF_ALL = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_TRACKPOS
};
struct SCROLLINFO {
  UINT cbSize = sizeof(SCROLLINFO);
  UINT fMask = 0;
  int nMin = 0;
  int nMax = 0;
  UINT nPage = 0;
  int nPos = 0;
  int nTrackPos = 0;
};

// List control.
enum : DWORD { LVS_EX_GRIDLINES = 0x1, LVS_EX_FULLROWSELECT = 0x20, LVS_EX_LABELTIP = 0x4000 };
enum : UINT { LVIS_FOCUSED = 0x1, LVIS_SELECTED = 0x2 };
enum : UINT { LVNI_FOCUSED = 0x1, LVNI_SELECTED = 0x2 };
enum : int { LVCFMT_LEFT = 0, LVCFMT_RIGHT = 1, LVCFMT_CENTER = 2 };
// A column width that fits the widest of the column's texts.
enum : int { LVSCW_AUTOSIZE = -1 };

// Check state of buttons.
enum : int { BST_UNCHECKED = 0, BST_CHECKED = 1 };

// Button style bits of GetButtonStyle: text alignment and the push-button look.
enum : UINT { BS_LEFT = 0x100, BS_RIGHT = 0x200, BS_CENTER = 0x300, BS_PUSHLIKE = 0x1000 };

// DrawText formats and background modes of a device context.
enum : UINT {
  DT_LEFT = 0x0,
  DT_CENTER = 0x1,
  DT_RIGHT = 0x2,
  DT_VCENTER = 0x4,
  DT_SINGLELINE = 0x20,
  DT_NOPREFIX = 0x800,
};
enum : int { TRANSPARENT = 1, OPAQUE = 2 };

// Virtual keys.
enum : int {
  VK_BACK = 0x08,
  VK_TAB = 0x09,
  VK_RETURN = 0x0D,
  VK_SHIFT = 0x10,
  VK_CONTROL = 0x11,
  VK_MENU = 0x12,
  VK_PAUSE = 0x13,
  VK_CAPITAL = 0x14,
  VK_ESCAPE = 0x1B,
  VK_SPACE = 0x20,
  VK_PRIOR = 0x21,
  VK_NEXT = 0x22,
  VK_END = 0x23,
  VK_HOME = 0x24,
  VK_LEFT = 0x25,
  VK_UP = 0x26,
  VK_RIGHT = 0x27,
  VK_DOWN = 0x28,
  VK_INSERT = 0x2D,
  VK_DELETE = 0x2E,
  VK_F1 = 0x70,  // F1 to F24 follow in order
  VK_F10 = 0x79,
};

// Keyboard hooks.
enum : int { WH_KEYBOARD = 2, HC_ACTION = 0, HC_NOREMOVE = 3 };

struct RECT {
  LONG left = 0, top = 0, right = 0, bottom = 0;
};
using LPRECT = RECT*;
using LPCRECT = const RECT*;
struct POINT {
  LONG x = 0, y = 0;
};

// Tree control. An item handle is opaque; the three insertion places are
// the platform's fixed values.
struct TreeItemTag;
using HTREEITEM = TreeItemTag*;
inline HTREEITEM const TVI_ROOT = reinterpret_cast<HTREEITEM>(static_cast<intptr_t>(-0x10000));
inline HTREEITEM const TVI_FIRST = reinterpret_cast<HTREEITEM>(static_cast<intptr_t>(-0x0FFFF));
inline HTREEITEM const TVI_LAST = reinterpret_cast<HTREEITEM>(static_cast<intptr_t>(-0x0FFFE));
enum : DWORD { TVS_HASBUTTONS = 0x1, TVS_HASLINES = 0x2, TVS_LINESATROOT = 0x4, TVS_CHECKBOXES = 0x100 };
enum : UINT {
  TVIS_SELECTED = 0x2,
  TVIS_EXPANDED = 0x20,
  TVIS_STATEIMAGEMASK = 0xF000,
};
// The state bits of state image i (1 unchecked, 2 checked in a tree with
// check boxes).
constexpr UINT INDEXTOSTATEIMAGEMASK(UINT i) { return i << 12; }
enum : UINT { TVE_COLLAPSE = 0x1, TVE_EXPAND = 0x2, TVE_TOGGLE = 0x3 };
enum : UINT {
  TVGN_ROOT = 0x0,
  TVGN_NEXT = 0x1,
  TVGN_PREVIOUS = 0x2,
  TVGN_PARENT = 0x3,
  TVGN_CHILD = 0x4,
  TVGN_CARET = 0x9
};
enum : UINT {
  TVHT_NOWHERE = 0x1,
  TVHT_ONITEMICON = 0x2,
  TVHT_ONITEMLABEL = 0x4,
  TVHT_ONITEMSTATEICON = 0x40,
  TVHT_ONITEM = TVHT_ONITEMICON | TVHT_ONITEMLABEL | TVHT_ONITEMSTATEICON,
};
enum : UINT { TVIF_STATE = 0x8 };
enum : UINT { TVC_UNKNOWN = 0x0, TVC_BYMOUSE = 0x1, TVC_BYKEYBOARD = 0x2 };
struct TVITEM {
  UINT mask = 0;
  HTREEITEM hItem = nullptr;
  UINT state = 0;
  UINT stateMask = 0;
  LPARAM lParam = 0;
};
// TVN_ITEMCHANGEDW: an item's state changed (its check box among others).
struct NMTVITEMCHANGE {
  NMHDR hdr;
  UINT uChanged = 0;
  HTREEITEM hItem = nullptr;
  UINT uStateNew = 0;
  UINT uStateOld = 0;
  LPARAM lParam = 0;
};
// TVN_SELCHANGEDW: the caret selection moved.
struct NMTREEVIEW {
  NMHDR hdr;
  UINT action = 0;
  TVITEM itemOld;
  TVITEM itemNew;
  POINT ptDrag;
};

// Combo box.
enum : DWORD { CBS_SIMPLE = 0x1, CBS_DROPDOWN = 0x2, CBS_DROPDOWNLIST = 0x3, CBS_TYPEMASK = 0x3 };
enum : int { CB_ERR = -1 };

// SetWindowPos flags.
enum : UINT {
  SWP_NOSIZE = 0x0001,
  SWP_NOMOVE = 0x0002,
  SWP_NOZORDER = 0x0004,
  SWP_NOREDRAW = 0x0008,
  SWP_NOACTIVATE = 0x0010,
  SWP_SHOWWINDOW = 0x0040,
  SWP_HIDEWINDOW = 0x0080,
};

// Screen metrics of GetSystemMetrics.
enum : int { SM_CXSCREEN = 0, SM_CYSCREEN = 1 };
// The primary screen's size in pixels (0 for other indexes or no screen).
int GetSystemMetrics(int index);

// Window creation parameters that PreCreateWindow may change.
struct CREATESTRUCT {
  int x = 0, y = 0, cx = 0, cy = 0;
  DWORD style = 0;
};
using LPCREATESTRUCT = CREATESTRUCT*;

enum : DWORD { WS_OVERLAPPEDWINDOW = 0x00CF0000, FWS_ADDTOTITLE = 0x00008000 };
enum : UINT { AFX_IDW_PANE_FIRST = 0xE900 };
