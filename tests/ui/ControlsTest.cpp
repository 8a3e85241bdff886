// Controls: list control in report view, tab control, scroll bar, progress
// bar, edit character filtering and checking of untyped changes, the
// clipboard, and the key hooks.
#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QKeyEvent>
#include <QLineEdit>
#include <QProgressBar>
#include <QTabBar>
#include <QTableWidget>

#include "UiTestSupport.h"
#include "ui/Clipboard.h"
#include "ui/Dialog.h"
#include "ui/Edit.h"
#include "ui/KeyboardHook.h"
#include "ui/ListCtrl.h"
#include "ui/MarqueeAnimation.h"
#include "ui/PathEllipsisDelegate.h"
#include "ui/ProgressCtrl.h"
#include "ui/ScrollBar.h"
#include "ui/TabControlWidget.h"
#include "ui/TabCtrl.h"
#include "ui/VirtualKeys.h"

using res::ControlKind;

namespace {
res::DialogTemplateData Controls() {
  return {9200,
          "",
          300,
          200,
          res::DS_POPUP,
          "ＭＳ ゴシック",
          9,
          {
              {1003, ControlKind::ListView, "",
               res::CS_REPORT | res::CS_SINGLESEL | res::CS_SHOWSELALWAYS | res::CS_BORDER | res::CS_TABSTOP, 7, 7, 150,
               91},
              {1004, ControlKind::Tab, "", res::CS_NONE, 160, 7, 130, 100},
              {1005, ControlKind::ScrollBar, "", res::CS_VERTICAL, 280, 110, 10, 80},
              {1006, ControlKind::Progress, "", res::CS_NONE, 7, 110, 100, 10},
              {1007, ControlKind::Edit, "", res::CS_BORDER, 7, 130, 100, 12},
              {1008, ControlKind::Edit, "", res::CS_BORDER | res::CS_PASSWORD, 7, 145, 100, 12},
          }};
}

class Host : public CDialog {
 public:
  CListCtrl m_list;
  CTabCtrl m_tab;
  CScrollBar m_bar;
  CProgressCtrl m_progress;
  std::vector<std::pair<UINT, UINT_PTR>> notes;
  std::vector<std::pair<UINT, UINT>> scrolls;

  Host() {
    MapNotify(NM_DBLCLK, 1003, [this](NMHDR* h, LRESULT* r) {
      notes.emplace_back(h->code, h->idFrom);
      *r = 0;
    });
    MapNotify(TCN_SELCHANGE, 1004, [this](NMHDR* h, LRESULT*) { notes.emplace_back(h->code, h->idFrom); });
  }

 protected:
  void DoDataExchange(CDataExchange* dx) override {
    DDX_Control(dx, 1003, m_list);
    DDX_Control(dx, 1004, m_tab);
    DDX_Control(dx, 1005, m_bar);
    DDX_Control(dx, 1006, m_progress);
  }
  void OnVScroll(UINT code, UINT pos, CScrollBar* bar) override {
    if (bar == &m_bar) scrolls.emplace_back(code, pos);
  }
};

// Refuses digits, as a derived edit of the program refuses characters.
class NoDigits : public CEdit {
 protected:
  void OnChar(UINT ch, UINT rep, UINT flags) override {
    if (ch >= '0' && ch <= '9') return;
    CEdit::OnChar(ch, rep, flags);
  }
};

// Takes no digit by any way in, and records the characters offered to it.
class NoDigitsAnywhere : public NoDigits {
 public:
  std::vector<UINT> offered;

 protected:
  void OnChar(UINT ch, UINT rep, UINT flags) override {
    offered.push_back(ch);
    NoDigits::OnChar(ch, rep, flags);
  }
  BOOL CanTakeText(const std::string& text) override { return text.find_first_of("0123456789") == std::string::npos; }
};

void Type(QWidget* w, int key, const QString& text, Qt::KeyboardModifiers mods = Qt::NoModifier) {
  QKeyEvent press(QEvent::KeyPress, key, mods, text);
  QApplication::sendEvent(w, &press);
  QKeyEvent release(QEvent::KeyRelease, key, mods, text);
  QApplication::sendEvent(w, &release);
}
}  // namespace

TEST(ListCtrl, ReportViewColumnsItemsStatesAndDoubleClick) {
  Host host;
  ASSERT_TRUE(host.CreateIndirect(Controls()));
  CListCtrl& list = host.m_list;
  list.SetExtendedStyle(list.GetExtendedStyle() | LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
  EXPECT_EQ(list.GetExtendedStyle(), static_cast<DWORD>(LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT));
  EXPECT_EQ(list.InsertItem(0, "x"), -1);  // no column yet
  CRect rc;
  list.GetClientRect(&rc);
  EXPECT_EQ(list.InsertColumn(0, "Port", LVCFMT_LEFT, static_cast<int>(rc.Width() * 0.2)), 0);
  EXPECT_EQ(list.InsertColumn(1, "Device", LVCFMT_LEFT, static_cast<int>(rc.Width() * 0.75)), 1);
  EXPECT_EQ(list.GetColumnWidth(0), static_cast<int>(rc.Width() * 0.2));
  EXPECT_EQ(list.InsertItem(0, "COM1"), 0);
  EXPECT_EQ(list.InsertItem(1, "COM3"), 1);
  EXPECT_EQ(list.InsertItem(99, "COM4"), 2);
  EXPECT_TRUE(list.SetItemText(1, 1, "USB Serial"));
  EXPECT_FALSE(list.SetItemText(5, 1, "x"));
  EXPECT_EQ(list.GetItemText(1, 0), "COM3");
  EXPECT_EQ(list.GetItemText(1, 1), "USB Serial");
  EXPECT_EQ(list.GetItemText(7, 0), "");
  EXPECT_EQ(list.GetItemCount(), 3);

  list.SetItemState(0, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
  EXPECT_EQ(list.GetItemState(0, LVIS_SELECTED | LVIS_FOCUSED), static_cast<UINT>(LVIS_SELECTED | LVIS_FOCUSED));
  // Single selection: selecting row 1 takes it away from row 0.
  list.SetItemState(1, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
  EXPECT_EQ(list.GetItemState(0, LVIS_SELECTED), 0u);
  EXPECT_EQ(list.GetNextItem(-1, LVNI_SELECTED), 1);
  EXPECT_EQ(list.GetNextItem(1, LVNI_SELECTED), -1);
  EXPECT_EQ(list.GetSelectedCount(), 1);

  auto* table = qobject_cast<QTableWidget*>(list.GetWidget());
  ASSERT_NE(table, nullptr);
  emit table->cellDoubleClicked(1, 0);
  ASSERT_EQ(host.notes.size(), 1u);
  EXPECT_EQ(host.notes[0], (std::pair<UINT, UINT_PTR>(NM_DBLCLK, 1003)));

  EXPECT_TRUE(list.DeleteItem(0));
  EXPECT_EQ(list.GetItemText(0, 0), "COM3");
  EXPECT_TRUE(list.DeleteAllItems());
  EXPECT_EQ(list.GetItemCount(), 0);
}

TEST(ListCtrl, LabelTipsAndPathEllipsis) {
  Host host;
  ASSERT_TRUE(host.CreateIndirect(Controls()));
  CListCtrl& list = host.m_list;
  list.InsertColumn(0, "Port", LVCFMT_LEFT, 40);
  list.InsertItem(0, "/dev/serial/by-id/usb-logger-port0");
  auto* table = qobject_cast<QTableWidget*>(list.GetWidget());
  EXPECT_TRUE(table->item(0, 0)->toolTip().isEmpty());
  list.SetExtendedStyle(list.GetExtendedStyle() | LVS_EX_LABELTIP);
  EXPECT_EQ(table->item(0, 0)->toolTip(), QStringLiteral("/dev/serial/by-id/usb-logger-port0"));
  list.SetItemText(0, 0, "/tmp/x");
  EXPECT_EQ(table->item(0, 0)->toolTip(), QStringLiteral("/tmp/x"));
  EXPECT_FALSE(list.GetPathEllipsis());
  list.SetPathEllipsis(TRUE);
  EXPECT_TRUE(list.GetPathEllipsis());

  const QFontMetrics fm(table->font());
  const QString path = QStringLiteral("/work/wt/build/debug/kx2sim.tty");
  const int whole = fm.horizontalAdvance(path);
  const QString ellipsis(QChar(0x2026));
  struct Case {
    int width;
    QString expected;
  } cases[] = {
      {whole, path},
      {fm.horizontalAdvance(QStringLiteral("/work/wt/b") + ellipsis + QStringLiteral("/kx2sim.tty")),
       QStringLiteral("/work/wt/b") + ellipsis + QStringLiteral("/kx2sim.tty")},
      {fm.horizontalAdvance(QStringLiteral("/") + ellipsis + QStringLiteral("/kx2sim.tty")),
       QStringLiteral("/") + ellipsis + QStringLiteral("/kx2sim.tty")},
      // Too narrow even for the last name: its start and its end stay.
      {fm.horizontalAdvance(QStringLiteral("kx2") + ellipsis + QStringLiteral("tty")),
       QStringLiteral("kx2") + ellipsis + QStringLiteral("tty")},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(PathEllipsisDelegate::Elide(path, fm, c.width), c.expected) << c.width;
  }
  EXPECT_EQ(
      PathEllipsisDelegate::Elide(QStringLiteral("ttyUSB0-long"), fm, fm.horizontalAdvance("tty" + ellipsis + "ng")),
      QStringLiteral("tty") + ellipsis + QStringLiteral("ng"));
}

TEST(ListCtrl, CellsTakeTheirColumnsAlignmentAndRedrawCanBeHeld) {
  Host host;
  ASSERT_TRUE(host.CreateIndirect(Controls()));
  CListCtrl& list = host.m_list;
  list.InsertColumn(0, "No.", LVCFMT_LEFT, 30);
  list.InsertColumn(1, "Value", LVCFMT_RIGHT, 60);
  list.InsertColumn(2, "Mark", LVCFMT_CENTER, 40);
  ASSERT_EQ(list.InsertItem(0, "1"), 0);
  ASSERT_EQ(list.InsertItem(1, "2"), 1);
  // A column added under rows that exist gets cells of its own alignment.
  list.InsertColumn(3, "Unit", LVCFMT_RIGHT, 40);
  EXPECT_TRUE(list.SetItemText(1, 3, "mm"));
  EXPECT_EQ(list.GetItemText(1, 3), "mm");
  const int formats[] = {LVCFMT_LEFT, LVCFMT_RIGHT, LVCFMT_CENTER, LVCFMT_RIGHT};
  for (int row = 0; row < 2; ++row) {
    for (int col = 0; col < 4; ++col) {
      EXPECT_EQ(list.GetColumnFormat(col), formats[col]);
      EXPECT_EQ(list.GetItemAlignment(row, col), formats[col]) << row << "," << col;
    }
  }
  auto* table = qobject_cast<QTableWidget*>(list.GetWidget());
  ASSERT_NE(table, nullptr);
  EXPECT_TRUE(table->item(0, 1)->textAlignment() & Qt::AlignRight);

  list.SetRedraw(FALSE);
  EXPECT_FALSE(table->updatesEnabled());
  list.SetRedraw(TRUE);
  EXPECT_TRUE(table->updatesEnabled());
}

TEST(TabCtrl, ItemsSelectionNotificationAndDisplayRectangle) {
  Host host;
  ASSERT_TRUE(host.CreateIndirect(Controls()));
  CTabCtrl& tab = host.m_tab;
  EXPECT_EQ(tab.InsertItem(0, "システム"), 0);
  EXPECT_EQ(tab.InsertItem(1, "測定・送信"), 1);
  EXPECT_EQ(tab.InsertItem(2, "通信設定"), 2);
  EXPECT_EQ(tab.GetItemCount(), 3);
  EXPECT_EQ(tab.GetCurSel(), 0);
  EXPECT_EQ(tab.SetCurSel(2), 0);
  EXPECT_EQ(tab.GetCurSel(), 2);
  EXPECT_EQ(tab.SetCurSel(7), -1);
  EXPECT_TRUE(host.notes.empty());  // the program's own changes notify nobody
  auto* tabs = dynamic_cast<TabControlWidget*>(tab.GetWidget());
  ASSERT_NE(tabs, nullptr);
  tabs->Bar()->setCurrentIndex(1);  // as the user's click does
  ASSERT_EQ(host.notes.size(), 1u);
  EXPECT_EQ(host.notes[0].first, static_cast<UINT>(TCN_SELCHANGE));
  EXPECT_EQ(tab.GetItemText(1), "測定・送信");

  CRect window;
  tab.GetWindowRect(&window);
  CRect display = window;
  tab.AdjustRect(FALSE, &display);
  EXPECT_GT(display.top, window.top + 10);  // below the tab row
  EXPECT_GE(display.left, window.left);
  EXPECT_LE(display.right, window.right);
  EXPECT_LE(display.bottom, window.bottom);
  tab.AdjustRect(TRUE, &display);
  EXPECT_EQ(display, window);
  EXPECT_TRUE(tab.DeleteAllItems());
  EXPECT_EQ(tab.GetItemCount(), 0);
}

TEST(ScrollBar, PlatformRangeRulesAndRequestsToTheParent) {
  Host host;
  ASSERT_TRUE(host.CreateIndirect(Controls()));
  CScrollBar& bar = host.m_bar;
  SCROLLINFO si;
  si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
  si.nMin = 0;
  si.nMax = 100;
  si.nPage = 10;
  si.nPos = 200;
  bar.SetScrollInfo(&si);
  SCROLLINFO got;
  bar.GetScrollInfo(&got, SIF_ALL);
  EXPECT_EQ(got.nMin, 0);
  EXPECT_EQ(got.nMax, 100);
  EXPECT_EQ(got.nPage, 10u);
  EXPECT_EQ(got.nPos, 91);  // the last position shows the last page
  EXPECT_EQ(bar.SetScrollPos(-5), 91);
  EXPECT_EQ(bar.GetScrollPos(), 0);
  bar.SetScrollPos(40);
  // A user's page-down asks the parent and leaves the position to it.
  auto* qbar = qobject_cast<QAbstractSlider*>(bar.GetWidget());
  qbar->triggerAction(QAbstractSlider::SliderPageStepAdd);
  ASSERT_EQ(host.scrolls.size(), 1u);
  EXPECT_EQ(host.scrolls[0].first, static_cast<UINT>(SB_PAGEDOWN));
  EXPECT_EQ(bar.GetScrollPos(), 40);
  EXPECT_EQ(qbar->value(), 40);

  CScrollBar made;
  ASSERT_TRUE(made.Create(WS_CHILD | WS_VISIBLE | SBS_VERT, CRect(0, 0, 15, 100), &host, 130));
  EXPECT_EQ(made.GetDlgCtrlID(), 130);
  EXPECT_EQ(host.GetDlgItem(130), &made);
  int lo = -1, hi = -1;
  made.SetScrollRange(0, 5);
  made.GetScrollRange(&lo, &hi);
  EXPECT_EQ(lo, 0);
  EXPECT_EQ(hi, 5);
}

TEST(ProgressCtrl, MarqueeShowsNoPositionAndAnimatesOnlyWhileShown) {
  Host host;
  ASSERT_TRUE(host.CreateIndirect(Controls()));
  host.ShowWindow(SW_SHOW);
  host.m_progress.SetRange32(0, 10);
  host.m_progress.SetPos(4);
  EXPECT_EQ(host.m_progress.GetPos(), 4);
  // A slow step, so the block stands still while the test looks at it.
  EXPECT_TRUE(host.m_progress.SetMarquee(TRUE, 1000));
  EXPECT_TRUE(host.m_progress.IsMarquee());
  EXPECT_TRUE(host.m_progress.GetStyle() & PBS_MARQUEE);
  const MarqueeAnimation* marquee = host.m_progress.Marquee();
  ASSERT_NE(marquee, nullptr);
  EXPECT_TRUE(marquee->IsRunning());

  // The bar is painted flat: the block in the highlight colour, the rest as
  // the base; the style's own busy bar (an empty range) never starts.
  auto* bar = qobject_cast<QProgressBar*>(host.m_progress.GetWidget());
  EXPECT_LT(bar->minimum(), bar->maximum());
  QImage shot(bar->size(), QImage::Format_RGB32);
  bar->render(&shot);
  const int y = bar->height() / 2;
  const int inBlock = 1 + marquee->BlockLeft() + marquee->BlockWidth() / 2;
  const int outside = inBlock + marquee->BlockWidth() < bar->width() - 2 ? bar->width() - 3 : 3;
  if (inBlock > 1 && inBlock < bar->width() - 1) {
    EXPECT_EQ(shot.pixelColor(inBlock, y), bar->palette().color(QPalette::Highlight));
  }
  EXPECT_EQ(shot.pixelColor(outside, y), bar->palette().color(QPalette::Base));

  // Hidden, it wakes nobody.
  host.ShowWindow(SW_HIDE);
  EXPECT_FALSE(marquee->IsRunning());
  host.ShowWindow(SW_SHOW);
  EXPECT_TRUE(marquee->IsRunning());

  EXPECT_TRUE(host.m_progress.SetMarquee(FALSE, 0));
  EXPECT_EQ(host.m_progress.Marquee(), nullptr);
  EXPECT_EQ(bar->maximum(), 10);
  EXPECT_EQ(host.m_progress.GetPos(), 4);
}

TEST(Edit, DerivedEditRefusesCharacters) {
  Host host;
  ASSERT_TRUE(host.CreateIndirect(Controls()));
  NoDigits edit;
  CDataExchange dx(&host, FALSE);
  DDX_Control(&dx, 1007, edit);
  ASSERT_NE(edit.GetWidget(), nullptr);
  Type(edit.GetWidget(), Qt::Key_A, "a");
  Type(edit.GetWidget(), Qt::Key_1, "1");
  Type(edit.GetWidget(), Qt::Key_B, "b");
  EXPECT_EQ(edit.GetWindowText(), "ab");
  edit.SetSel(0, -1);
  int s = -1, e = -1;
  edit.GetSel(s, e);
  EXPECT_EQ(s, 0);
  EXPECT_EQ(e, 2);
  edit.ReplaceSel("xyz");
  EXPECT_EQ(edit.GetWindowText(), "xyz");
}

TEST(Edit, UntypedChangesPassTheCheckAndARefusedOneLeavesTextAndSelection) {
  Host host;
  ASSERT_TRUE(host.CreateIndirect(Controls()));
  NoDigitsAnywhere edit;
  ASSERT_TRUE(edit.SubclassDlgItem(1007, &host));
  auto* line = qobject_cast<QLineEdit*>(edit.GetWidget());
  edit.SetWindowText("abc");
  edit.SetSel(1, 2);
  ASSERT_TRUE(SetClipboardText("x1"));
  line->paste();
  EXPECT_EQ(edit.GetWindowText(), "abc");
  int s = -1, e = -1;
  edit.GetSel(s, e);
  EXPECT_EQ(s, 1);
  EXPECT_EQ(e, 2);
  SetClipboardText("xy");
  line->paste();
  EXPECT_EQ(edit.GetWindowText(), "axyc");

  // A text the program set that fails the check does not lock the field.
  edit.SetWindowText("a1");
  edit.SetSel(2, 2);
  Type(edit.GetWidget(), Qt::Key_Backspace, "\b");
  EXPECT_EQ(edit.GetWindowText(), "a");
  line->insert(QStringLiteral("2"));
  EXPECT_EQ(edit.GetWindowText(), "a");

  // A key of several characters offers each; one refused drops the key.
  edit.offered.clear();
  Type(edit.GetWidget(), 0, QStringLiteral("é5"));
  EXPECT_EQ(edit.offered, (std::vector<UINT>{0xE9, '5'}));
  EXPECT_EQ(edit.GetWindowText(), "a");

  // Letting go gives the widget back as it was.
  QWidget* widget = edit.GetWidget();
  edit.Detach();
  static_cast<QLineEdit*>(widget)->insert(QStringLiteral("3"));
  EXPECT_EQ(static_cast<QLineEdit*>(widget)->text(), QStringLiteral("a3"));
}

TEST(Edit, PasswordCharOnlyForPasswordEditsAndSubclassingOnce) {
  Host host;
  ASSERT_TRUE(host.CreateIndirect(Controls()));
  CEdit plain, password, again;
  EXPECT_FALSE(plain.SubclassDlgItem(4711, &host));
  ASSERT_TRUE(plain.SubclassDlgItem(1007, &host));
  HWND handle = plain.m_hWnd;
  EXPECT_EQ(host.GetDlgItem(1007), &plain);
  EXPECT_FALSE(plain.SubclassDlgItem(1008, &host));  // it has a window already
  ASSERT_TRUE(password.SubclassDlgItem(1008, &host));
  EXPECT_EQ(plain.GetPasswordChar(), 0);
  EXPECT_NE(password.GetPasswordChar(), 0);
  // Taken over again, the control keeps its handle.
  ASSERT_TRUE(again.SubclassDlgItem(1007, &host));
  EXPECT_EQ(again.m_hWnd, handle);
  EXPECT_EQ(plain.m_hWnd, 0);
}

TEST(Clipboard, TextInAndOut) {
  ASSERT_TRUE(SetClipboardText("ｱｲｳ 12"));
  EXPECT_TRUE(IsClipboardTextAvailable());
  std::string text;
  ASSERT_TRUE(GetClipboardText(text));
  EXPECT_EQ(text, "ｱｲｳ 12");
  ASSERT_TRUE(EmptyClipboard());
  EXPECT_FALSE(IsClipboardTextAvailable());
  EXPECT_FALSE(GetClipboardText(text));
}

namespace {
std::vector<std::pair<WPARAM, bool>> g_hooked;
HHOOK g_hook = 0;
LRESULT CALLBACK_Record(int code, WPARAM key, LPARAM flags) {
  g_hooked.emplace_back(key, (static_cast<uint64_t>(flags) >> 31) & 1);
  if (code == HC_ACTION && key == VK_F1) return 1;  // swallowed
  return CallNextHookEx(g_hook, code, key, flags);
}
}  // namespace

TEST(KeyboardHook, SeesDownsAndUpsAndMaySwallow) {
  Host host;
  ASSERT_TRUE(host.CreateIndirect(Controls()));
  g_hooked.clear();
  g_hook = SetWindowsHookEx(WH_KEYBOARD, &CALLBACK_Record, nullptr, 0);
  ASSERT_NE(g_hook, 0);
  QWidget* edit = host.GetDlgItem(1007)->GetWidget();
  Type(edit, Qt::Key_F1, "");
  Type(edit, Qt::Key_X, "x");
  EXPECT_TRUE(UnhookWindowsHookEx(g_hook));
  EXPECT_FALSE(UnhookWindowsHookEx(g_hook));
  Type(edit, Qt::Key_Y, "y");
  ASSERT_EQ(g_hooked.size(), 4u);
  EXPECT_EQ(g_hooked[0], (std::pair<WPARAM, bool>(VK_F1, false)));
  EXPECT_EQ(g_hooked[1], (std::pair<WPARAM, bool>(VK_F1, true)));
  EXPECT_EQ(g_hooked[2], (std::pair<WPARAM, bool>('X', false)));
  EXPECT_EQ(host.GetDlgItemText(1007), "xy");
}

TEST(KeyboardHook, QtKeysMapToVirtualKeys) {
  EXPECT_EQ(QtKeyToVirtualKey(Qt::Key_Escape), VK_ESCAPE);
  EXPECT_EQ(QtKeyToVirtualKey(Qt::Key_F1), 0x70);
  EXPECT_EQ(QtKeyToVirtualKey(Qt::Key_PageUp), 33);
  EXPECT_EQ(QtKeyToVirtualKey(Qt::Key_PageDown), 34);
  EXPECT_EQ(QtKeyToVirtualKey(Qt::Key_Left), 37);
  EXPECT_EQ(QtKeyToVirtualKey(Qt::Key_Down), 40);
  EXPECT_EQ(QtKeyToVirtualKey(Qt::Key_Delete), 46);
  EXPECT_EQ(QtKeyToVirtualKey(Qt::Key_N), 'N');
  EXPECT_EQ(QtKeyToVirtualKey(Qt::Key_Enter), VK_RETURN);
  EXPECT_EQ(VirtualKeyToQtKey(0x75), static_cast<int>(Qt::Key_F6));
  EXPECT_EQ(VirtualKeyToQtKey(VK_BACK), static_cast<int>(Qt::Key_Backspace));
}

TEST(KeyboardHook, EachKeyIsTranslatedOnceEvenWhenItTravelsToParents) {
  Host host;
  ASSERT_TRUE(host.CreateIndirect(Controls()));
  g_hooked.clear();
  g_hook = SetWindowsHookEx(WH_KEYBOARD, &CALLBACK_Record, nullptr, 0);
  // A key the list does not take travels up to the dialog: one translation.
  QWidget* list = host.GetDlgItem(1003)->GetWidget();
  for (int i = 0; i < 3; ++i) {
    QKeyEvent press(QEvent::KeyPress, Qt::Key_F5, Qt::NoModifier);
    QApplication::sendEvent(list, &press);  // the same address every time
  }
  UnhookWindowsHookEx(g_hook);
  EXPECT_EQ(g_hooked.size(), 3u);
}
