// Window behaviour that the program relies on: texts as set, radio groups,
// Enter on a focused button, a window that closes itself from its own
// button, a view whose creation is refused, messages posted while a pump
// runs, and centring on the owner.
#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>

#include "UiTestSupport.h"
#include "ui/Button.h"
#include "ui/Dialog.h"
#include "ui/MessagePump.h"
#include "ui/View.h"

using res::ControlKind;

namespace {
res::DialogTemplateData Texts() {
  return {9400,
          "テキスト",
          200,
          120,
          res::DS_POPUP | res::DS_CAPTION,
          "ＭＳ ゴシック",
          9,
          {
              {1000, ControlKind::Static, "【注意1】一行目\r\n【注意2】二行目", res::CS_NONE, 7, 7, 180, 20},
              {1001, ControlKind::Edit, "", res::CS_MULTILINE | res::CS_VSCROLL | res::CS_BORDER, 7, 30, 180, 30},
              {1010, ControlKind::RadioButton, "ON", res::CS_AUTO | res::CS_GROUP, 7, 65, 40, 10},
              {1011, ControlKind::RadioButton, "OFF", res::CS_AUTO, 50, 65, 40, 10},
              {1012, ControlKind::RadioButton, "A", res::CS_AUTO | res::CS_GROUP, 7, 80, 40, 10},
              {1020, ControlKind::PushButton, "閉じる(&C)", res::CS_TABSTOP, 100, 95, 50, 14},
              {IDOK, ControlKind::DefPushButton, "OK", res::CS_TABSTOP, 150, 95, 45, 14},
          }};
}

class Closer : public CDialog {
 public:
  int oks = 0;
  int closes = 0;
  Closer() {
    MapCommand(1020, [this] {
      ++closes;
      DestroyWindow();  // from inside the button's own click
    });
  }
  void OnOK() override { ++oks; }
};

class RefusedView : public CView {
 public:
  void OnDraw(CDC*) override {}

 protected:
  int OnCreate(LPCREATESTRUCT) override { return -1; }
};

class Reposter : public CDialog {
 public:
  int got = 0;
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override {
    if (LOWORD(wParam) != 700) return CDialog::OnCommand(wParam, lParam);
    if (++got == 1) PostMessage(WM_COMMAND, 700, 0);  // posted while the pump runs
    return TRUE;
  }
};
}  // namespace

TEST(WindowText, StaticsAndMultiLineEditsKeepTheTextAsSet) {
  CDialog dlg;
  ASSERT_TRUE(dlg.CreateIndirect(Texts()));
  EXPECT_EQ(dlg.GetDlgItemText(1000), "【注意1】一行目\r\n【注意2】二行目");
  auto* label = qobject_cast<QLabel*>(dlg.GetDlgItem(1000)->GetWidget());
  ASSERT_NE(label, nullptr);
  EXPECT_EQ(label->text(), QStringLiteral("【注意1】一行目\n【注意2】二行目"));
  dlg.SetDlgItemText(1001, "line 1\r\nline 2\r\n");
  EXPECT_EQ(dlg.GetDlgItemText(1001), "line 1\r\nline 2\r\n");
  auto* button = qobject_cast<QPushButton*>(dlg.GetDlgItem(1020)->GetWidget());
  EXPECT_EQ(button->text(), QStringLiteral("閉じる(&C)"));  // Qt shows the mnemonic itself
}

TEST(WindowText, AutoRadioButtonsOfAGroupExcludeEachOther) {
  CDialog dlg;
  ASSERT_TRUE(dlg.CreateIndirect(Texts()));
  auto* on = static_cast<CButton*>(dlg.GetDlgItem(1010));
  auto* off = static_cast<CButton*>(dlg.GetDlgItem(1011));
  auto* other = static_cast<CButton*>(dlg.GetDlgItem(1012));
  on->Click();
  other->Click();
  EXPECT_EQ(on->GetCheck(), BST_CHECKED);  // another group
  off->Click();
  EXPECT_EQ(on->GetCheck(), BST_UNCHECKED);
  EXPECT_EQ(off->GetCheck(), BST_CHECKED);
  // The program's own SetCheck changes only the button it names.
  on->SetCheck(BST_CHECKED);
  EXPECT_EQ(off->GetCheck(), BST_CHECKED);
}

TEST(WindowBehaviour, EnterOnAFocusedButtonClicksItAndAWindowMayCloseItself) {
  Closer dlg;
  ASSERT_TRUE(dlg.CreateIndirect(Texts()));
  dlg.ShowWindow(SW_SHOW);
  QWidget* close = dlg.GetDlgItem(1020)->GetWidget();
  // Enter elsewhere is the default button's.
  QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
  QApplication::sendEvent(dlg.GetDlgItem(1010)->GetWidget(), &enter);
  EXPECT_EQ(dlg.oks, 1);
  close->setFocus();
  QKeyEvent enter2(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
  QApplication::sendEvent(close, &enter2);
  EXPECT_EQ(dlg.closes, 1);
  EXPECT_EQ(dlg.m_hWnd, 0);
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_EQ(dlg.GetWidget(), nullptr);
}

TEST(WindowBehaviour, AViewWhoseCreationIsRefusedLeavesNoWindow) {
  CDialog host;
  ASSERT_TRUE(host.CreateIndirect(Texts()));
  RefusedView view;
  EXPECT_FALSE(view.Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 10, 10), &host, 0));
  EXPECT_EQ(view.m_hWnd, 0);
  EXPECT_EQ(view.GetWidget(), nullptr);
}

TEST(WindowBehaviour, AMessagePostedDuringABoundedPumpStillArrives) {
  while (PendingMessageCount() > 0) PumpAllPendingMessages();
  Reposter dlg;
  ASSERT_TRUE(dlg.CreateIndirect(Texts()));
  dlg.PostMessage(WM_COMMAND, 700, 0);
  EXPECT_EQ(PumpMessages(1), 1);
  EXPECT_EQ(dlg.got, 1);
  // The ordinary event loop takes the one posted meanwhile.
  ASSERT_TRUE(RunUntil([&] { return dlg.got == 2; }));
}

TEST(WindowBehaviour, APopUpIsCentredOnItsOwner) {
  CDialog owner;
  ASSERT_TRUE(owner.CreateIndirect(Texts()));
  owner.MoveWindow(100, 100, 600, 400);
  CDialog popup;
  popup.m_pParentWnd = &owner;
  ASSERT_TRUE(popup.CreateIndirect(Texts()));
  CRect o, p;
  owner.GetWindowRect(&o);
  popup.GetWindowRect(&p);
  EXPECT_NEAR((p.left + p.right) / 2, (o.left + o.right) / 2, 1);
  EXPECT_NEAR((p.top + p.bottom) / 2, (o.top + o.bottom) / 2, 1);
}
