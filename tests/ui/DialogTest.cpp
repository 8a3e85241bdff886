// Dialogs from templates: controls and their rectangles, the dialog font,
// modal runs driven to OK and Cancel, data exchange, dispatch of commands,
// timers, showing and destruction.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFontInfo>
#include <QKeyEvent>
#include <QLineEdit>
#include <QWidget>
#include <vector>

#include "UiTestSupport.h"
#include "ui/Button.h"
#include "ui/DataExchange.h"
#include "ui/Dialog.h"
#include "ui/DialogEx.h"
#include "ui/Edit.h"
#include "ui/Fonts.h"

using res::ControlKind;

namespace {
res::DialogTemplateData Sample() {
  return {9001,
          "見本",
          200,
          100,
          res::DS_POPUP | res::DS_CAPTION | res::DS_SYSMENU,
          "ＭＳ ゴシック",
          9,
          {
              {1000, ControlKind::Static, "ラベル", res::CS_NONE, 7, 9, 50, 8},
              {1001, ControlKind::Edit, "", res::CS_BORDER | res::CS_TABSTOP | res::CS_NUMBER, 60, 7, 40, 12},
              {1002, ControlKind::Edit, "", res::CS_BORDER | res::CS_MULTILINE | res::CS_VSCROLL | res::CS_READONLY, 7,
               25, 100, 50},
              {IDOK, ControlKind::DefPushButton, "OK", res::CS_TABSTOP, 143, 7, 50, 14},
              {IDCANCEL, ControlKind::PushButton, "キャンセル", res::CS_TABSTOP, 143, 24, 50, 14},
              {1003, ControlKind::Progress, "", res::CS_NONE, 7, 80, 100, 10},
              {1004, ControlKind::PushButton, "隠し", res::CS_HIDDEN | res::CS_DISABLED, 143, 41, 50, 14},
          }};
}

// Records what the framework dispatches to it.
class ProbeDialog : public CDialogEx {
 public:
  ProbeDialog() {
    MapCommand(1004, [this] { log.push_back("clicked 1004"); });
  }
  std::vector<std::string> log;
  CEdit m_edit;
  bool inited = false;

 protected:
  void DoDataExchange(CDataExchange* dx) override { DDX_Control(dx, 1001, m_edit); }
  BOOL OnInitDialog() override {
    CDialogEx::OnInitDialog();
    inited = true;
    return TRUE;
  }
  void OnTimer(UINT_PTR id) override { log.push_back("timer " + std::to_string(id)); }
  void OnShowWindow(BOOL show, UINT) override { log.push_back(show ? "show" : "hide"); }
  void OnDestroy() override { log.push_back("destroy"); }
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override {
    if (LOWORD(wParam) == 1234) {
      log.push_back("command 1234/" + std::to_string(lParam));
      return TRUE;
    }
    return CDialogEx::OnCommand(wParam, lParam);
  }
};

CRect Expected(const DluMetrics& m, int x, int y, int cx, int cy) {
  return CRect(m.X(x), m.Y(y), m.X(x) + m.X(cx), m.Y(y) + m.Y(cy));
}

CRect Placed(CWnd* w) {
  QRect g = w->GetWidget()->geometry();
  return CRect(g.left(), g.top(), g.left() + g.width(), g.top() + g.height());
}
}  // namespace

TEST(DialogFont, TemplateFacesMapToInstalledFontsAtTheScreenResolution) {
  QFont gothic = FontForFace("ＭＳ ゴシック", 9);
  EXPECT_EQ(QFontInfo(gothic).family(), QStringLiteral("IPAGothic"));
  EXPECT_EQ(gothic.pixelSize(), MulDiv(9, ScreenLogicalDpi(), 72));
  QFont courier = FontForFace("Courier New", 10);
  EXPECT_TRUE(QFontInfo(courier).fixedPitch());
  // The Gothic font is metric-compatible: half-width letters are half an em,
  // so 9 point at 96 dpi gives the platform's 6 x 12 dialog base.
  if (ScreenLogicalDpi() == 96) {
    DluMetrics m(gothic);
    EXPECT_EQ(m.BaseX(), 6);
    EXPECT_GE(m.BaseY(), 12);
  }
}

// Seven full-width characters need 14 average letter widths, 56 units of a
// monospaced Gothic; a one-line label of 47 units would lose its last ones.
// It reaches right as far as its text needs, but never over what lies on its
// line, out of its frame or past the dialog's edge.
TEST(DialogBuild, AOneLineLabelTooNarrowForItsTextReachesRightWhereThereIsRoom) {
  const char* seven = "バージョン情報";
  res::DialogTemplateData data{9002,
                               "",
                               200,
                               120,
                               res::DS_POPUP,
                               "ＭＳ ゴシック",
                               9,
                               {
                                   {2000, ControlKind::Static, seven, res::CS_NONE, 13, 10, 47, 8},
                                   {2001, ControlKind::Static, seven, res::CS_NONE, 13, 30, 47, 8},
                                   {2002, ControlKind::Edit, "", res::CS_BORDER, 62, 29, 40, 12},
                                   {2003, ControlKind::GroupBox, "", res::CS_NONE, 5, 45, 56, 20},
                                   {2004, ControlKind::Static, seven, res::CS_NONE, 8, 52, 47, 8},
                                   {2005, ControlKind::Static, "ラベル", res::CS_NONE, 13, 70, 47, 8},
                                   {2006, ControlKind::Static, seven, res::CS_RIGHT, 13, 85, 47, 8},
                                   {2007, ControlKind::Static, seven, res::CS_NONE, 150, 100, 47, 8},
                               }};
  CDialog dlg;
  ASSERT_TRUE(dlg.CreateIndirect(data));
  const DluMetrics& m = dlg.GetDluMetrics();
  const int need = dlg.GetDlgItem(2000)->GetWidget()->fontMetrics().horizontalAdvance(QString::fromUtf8(seven));
  auto width = [&](int id) { return dlg.GetDlgItem(id)->GetWidget()->width(); };
  ASSERT_GT(need, m.X(47));
  EXPECT_EQ(width(2000), need);                                                    // free line: the whole text
  EXPECT_EQ(width(2001), m.X(62) - m.X(1) - m.X(13));                              // up to the edit beside it
  EXPECT_EQ(width(2004), QRect(m.X(5), 0, m.X(56), 1).right() - m.X(1) - m.X(8));  // inside its frame
  EXPECT_EQ(width(2005), m.X(47));              // its text fits: as the template has it
  EXPECT_EQ(width(2006), m.X(47));              // aligned right: its box stays
  EXPECT_EQ(width(2007), m.X(200) - m.X(150));  // up to the dialog's edge
  dlg.DestroyWindow();
}

TEST(DialogFont, MulDivRoundsHalfAwayFromZero) {
  EXPECT_EQ(MulDiv(7, 6, 4), 11);  // 10.5
  EXPECT_EQ(MulDiv(5, 6, 4), 8);   // 7.5
  EXPECT_EQ(MulDiv(-5, 6, 4), -8);
  EXPECT_EQ(MulDiv(3, 13, 8), 5);  // 4.875
  EXPECT_EQ(MulDiv(1, 1, 0), -1);
}

TEST(DialogBuild, ControlsSitAtTheirScaledRectanglesForTwoFontSizes) {
  int previousBaseX = 0;
  for (int points : {9, 14}) {
    CDialogTemplate t(Sample());
    ASSERT_TRUE(t.SetFont("ＭＳ ゴシック", static_cast<WORD>(points)));
    ProbeDialog dlg;
    ASSERT_TRUE(dlg.CreateIndirect(t));
    DluMetrics m(FontForFace("ＭＳ ゴシック", points));
    EXPECT_EQ(dlg.GetDluMetrics().BaseX(), m.BaseX());
    EXPECT_GT(m.BaseX(), previousBaseX);
    previousBaseX = m.BaseX();
    CRect client;
    dlg.GetClientRect(&client);
    EXPECT_EQ(client, CRect(0, 0, m.X(200), m.Y(100)));
    for (const res::ControlTemplate& c : Sample().controls) {
      CWnd* item = dlg.GetDlgItem(c.id);
      ASSERT_NE(item, nullptr) << c.id;
      EXPECT_EQ(Placed(item), Expected(m, c.x, c.y, c.cx, c.cy)) << "control " << c.id << " at " << points << " pt";
      EXPECT_TRUE(IsWindow(item->m_hWnd));
    }
    EXPECT_EQ(dlg.GetWindowText(), "見本");
    EXPECT_EQ(dlg.GetDlgItemText(1000), "ラベル");
    EXPECT_FALSE(dlg.GetDlgItem(1004)->IsWindowEnabled());
    EXPECT_FALSE(dlg.GetDlgItem(9999));
  }
}

TEST(DialogBuild, DataExchangeBindsTheMemberControlToTheTemplateControl) {
  ProbeDialog dlg;
  ASSERT_TRUE(dlg.CreateIndirect(Sample()));
  EXPECT_TRUE(dlg.inited);
  EXPECT_EQ(dlg.GetDlgItem(1001), &dlg.m_edit);
  dlg.m_edit.SetWindowText("123");
  EXPECT_EQ(dlg.GetDlgItemText(1001), "123");
  // Digits only.
  auto* line = qobject_cast<QLineEdit*>(dlg.m_edit.GetWidget());
  ASSERT_NE(line, nullptr);
  line->setFocus();
  QKeyEvent a(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, "a");
  QApplication::sendEvent(line, &a);
  EXPECT_EQ(dlg.m_edit.GetWindowText(), "123");
}

TEST(DialogBuild, RealTemplateOfThePortDialogBuilds) {
  const res::DialogTemplateData* data = res::FindDialogTemplate(151);
  ASSERT_NE(data, nullptr);
  CDialogTemplate t;
  ASSERT_TRUE(t.Load(151));
  ASSERT_TRUE(t.SetFont("ＭＳ ゴシック", 10));
  std::string face;
  WORD size = 0;
  ASSERT_TRUE(t.GetFont(face, size));
  EXPECT_EQ(face, "ＭＳ ゴシック");
  EXPECT_EQ(size, 10);
  CDialog dlg;
  ASSERT_TRUE(dlg.CreateIndirect(t));
  for (const res::ControlTemplate& c : data->controls) {
    if (c.id > 0) {
      EXPECT_NE(dlg.GetDlgItem(c.id), nullptr) << c.id;
    }
  }
  EXPECT_FALSE(CDialogTemplate().Load(4242424));
}

TEST(DialogDispatch, CommandsTimersShowingAndDestruction) {
  ProbeDialog dlg;
  ASSERT_TRUE(dlg.CreateIndirect(Sample()));
  HWND h = dlg.m_hWnd;
  ASSERT_TRUE(IsWindow(h));
  dlg.ShowWindow(SW_SHOW);
  EXPECT_TRUE(dlg.IsWindowVisible());
  dlg.GetDlgItem(1004)->EnableWindow(TRUE);
  static_cast<CButton*>(dlg.GetDlgItem(1004))->Click();
  dlg.SendMessage(WM_COMMAND, 1234, 77);
  EXPECT_EQ(dlg.SetTimer(61, 10), 61u);
  ASSERT_TRUE(RunUntil([&] { return std::count(dlg.log.begin(), dlg.log.end(), "timer 61") >= 2; }));
  EXPECT_TRUE(dlg.KillTimer(61));
  EXPECT_FALSE(dlg.KillTimer(61));
  dlg.ShowWindow(SW_HIDE);
  EXPECT_TRUE(dlg.DestroyWindow());
  EXPECT_FALSE(IsWindow(h));
  EXPECT_EQ(dlg.m_hWnd, 0);
  EXPECT_FALSE(dlg.DestroyWindow());

  std::vector<std::string> expected = {"show", "clicked 1004", "command 1234/77"};
  ASSERT_GE(dlg.log.size(), 6u);
  EXPECT_EQ(std::vector<std::string>(dlg.log.begin(), dlg.log.begin() + 3), expected);
  EXPECT_EQ(dlg.log[dlg.log.size() - 2], "hide");
  EXPECT_EQ(dlg.log.back(), "destroy");
}

TEST(DialogDispatch, ModelessEndDialogOnlyHides) {
  ProbeDialog dlg;
  ASSERT_TRUE(dlg.CreateIndirect(Sample()));
  dlg.ShowWindow(SW_SHOW);
  dlg.SendMessage(WM_COMMAND, IDCANCEL, 0);
  EXPECT_TRUE(IsWindow(dlg.m_hWnd));
  EXPECT_FALSE(dlg.IsWindowVisible());
}

TEST(ModalDialog, DrivenToOkAndToCancel) {
  std::string typed;
  CDialog::ModalHook previous = CDialog::SetModalHook([&](CDialog* dlg) {
    dlg->SetDlgItemText(1001, "42");
    dlg->SendMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
  });
  {
    ProbeDialog dlg;
    ASSERT_TRUE(dlg.InitModalIndirect(Sample()));
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_FALSE(IsWindow(dlg.m_hWnd));
    EXPECT_EQ(dlg.m_hWnd, 0);
  }
  // Esc on the focused edit ends the dialog with IDCANCEL.
  CDialog::SetModalHook([&](CDialog* dlg) {
    QWidget* edit = dlg->GetDlgItem(1001)->GetWidget();
    edit->setFocus();
    QKeyEvent esc(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(edit, &esc);
  });
  {
    ProbeDialog dlg;
    ASSERT_TRUE(dlg.InitModalIndirect(Sample()));
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
  }
  CDialog::SetModalHook(previous);
  ProbeDialog none;
  none.m_nIDTemplate = 4242424;
  EXPECT_EQ(none.DoModal(), -1);
}

namespace {
class EscKeeper : public CDialog {
 public:
  BOOL PreTranslateMessage(MSG* msg) override {
    if (msg->message == WM_KEYDOWN && msg->wParam == VK_ESCAPE) return TRUE;
    return CDialog::PreTranslateMessage(msg);
  }
  void OnCancel() override {
    cancelled = true;
    CDialog::OnCancel();
  }
  bool cancelled = false;
};
}  // namespace

TEST(ModalDialog, PreTranslateMessageSwallowsEscape) {
  CDialog::ModalHook previous = CDialog::SetModalHook([&](CDialog* dlg) {
    QWidget* edit = dlg->GetDlgItem(1001)->GetWidget();
    QKeyEvent esc(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(edit, &esc);
    EXPECT_TRUE(dlg->IsWindowVisible());
    // Enter reaches the default button.
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QApplication::sendEvent(edit, &enter);
  });
  EscKeeper dlg;
  dlg.InitModalIndirect(Sample());
  EXPECT_EQ(dlg.DoModal(), IDOK);
  EXPECT_FALSE(dlg.cancelled);
  CDialog::SetModalHook(previous);
}

TEST(DialogOwner, OwnedPopUpStaysUsableWhileItsOwnerIsDisabledAndGoesWithIt) {
  CDialog owner;
  ASSERT_TRUE(owner.CreateIndirect(Sample()));
  owner.ShowWindow(SW_SHOW);
  auto owned = std::make_unique<ProbeDialog>();
  owned->m_pParentWnd = &owner;
  ASSERT_TRUE(owned->CreateIndirect(Sample()));  // no parent argument: the framework parent
  EXPECT_EQ(owned->GetParent(), &owner);
  owned->ShowWindow(SW_SHOW);
  owner.EnableWindow(FALSE);
  EXPECT_FALSE(owner.IsWindowEnabled());
  EXPECT_FALSE(owner.GetDlgItem(IDOK)->IsWindowEnabled());
  EXPECT_TRUE(owned->IsWindowEnabled());
  EXPECT_TRUE(owned->GetDlgItem(IDOK)->IsWindowEnabled());
  EXPECT_TRUE(owner.EnableWindow(TRUE));  // it was disabled
  HWND ownedHandle = owned->m_hWnd;
  owner.DestroyWindow();
  EXPECT_FALSE(IsWindow(ownedHandle));
  EXPECT_EQ(owned->log.back(), "destroy");
}

TEST(DialogOwner, SetWindowPosSizesWithoutMoving) {
  CDialog dlg;
  ASSERT_TRUE(dlg.CreateIndirect(Sample()));
  dlg.MoveWindow(10, 20, 300, 200);
  dlg.SetWindowPos(nullptr, 0, 0, 400, 250, SWP_NOMOVE | SWP_NOZORDER);
  CRect rc;
  dlg.GetWindowRect(&rc);
  EXPECT_EQ(rc, CRect(10, 20, 410, 270));
  EXPECT_GT(GetSystemMetrics(SM_CYSCREEN), 0);
}
