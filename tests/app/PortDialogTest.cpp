// The port selection dialog over the ports the machine lists, with the
// virtual ports of KX2_PORTS; and start-up posting Connect to the frame.
#include <QStyle>
#include <QTableWidget>
#include <algorithm>

#include "platform/SerialPorts.h"
#include "tests/app/FrameFixture.h"
#include "ui/PathEllipsisDelegate.h"

namespace {
// Runs the dialog modally; `act` sees it running and ends it.
INT_PTR RunPortDialog(CComSettingDlg& dlg, const std::function<void(CComSettingDlg&)>& act) {
  auto previous = CDialog::SetModalHook([&](CDialog* d) {
    if (d == &dlg) act(dlg);
  });
  const INT_PTR result = dlg.DoModal();
  CDialog::SetModalHook(previous);
  return result;
}

int RowOf(CComSettingDlg& dlg, const std::string& name) {
  for (int row = 0; row < dlg.m_list.GetItemCount(); ++row)
    if (dlg.m_list.GetItemText(row, 0) == name) return row;
  return -1;
}

class PortDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    EnsureQtApplication();
    setenv("KX2_PORTS", "/tmp/kx2-a:/tmp/KX2-Com3:/tmp/kx2-c", 1);
  }
  void TearDown() override { unsetenv("KX2_PORTS"); }
};
}  // namespace

TEST_F(PortDialogTest, ListsThePortsAndPreselectsTheLastOneWithoutRegardToCase) {
  CComSettingDlg dlg;
  dlg.m_szPort = "\\\\.\\/TMP/kx2-com3";
  int selected = -1, rows = 0, columns = 0;
  std::string description, heading0, heading1;
  const INT_PTR result = RunPortDialog(dlg, [&](CComSettingDlg& d) {
    rows = d.m_list.GetItemCount();
    columns = d.m_list.GetColumnCount();
    selected = d.m_list.GetNextItem(-1, LVNI_SELECTED);
    description = d.m_list.GetItemText(RowOf(d, "/tmp/KX2-Com3"), 1);
    auto* table = qobject_cast<QTableWidget*>(d.m_list.GetWidget());
    heading0 = table->horizontalHeaderItem(0)->text().toStdString();
    heading1 = table->horizontalHeaderItem(1)->text().toStdString();
    d.SendMessage(WM_COMMAND, IDOK, 0);
  });
  EXPECT_EQ(result, IDOK);
  EXPECT_EQ(columns, 2);
  EXPECT_EQ(heading0, "Port");
  EXPECT_EQ(heading1, "Device");
  EXPECT_EQ(rows, static_cast<int>(platform::ListSerialPorts().size()));
  EXPECT_EQ(selected, 1);  // the ports named in KX2_PORTS lead the list
  EXPECT_EQ(description, "Virtual port");
  // The row's own spelling goes back, with the device prefix.
  EXPECT_EQ(dlg.m_szPort, "\\\\.\\/tmp/KX2-Com3");
}

// The port column widens for a name that its narrow share cuts, taking the
// room from the description column, down to the share that column keeps; a
// name longer than that is shortened as a path. Every row's tooltip is its
// whole name.
TEST_F(PortDialogTest, APortNameShowsWholeWhereTheListHasRoomAndAlwaysAsItsTooltip) {
  const struct {
    std::string name;
    bool whole;
  } cases[] = {
      {"v0", true},
      {"/tmp/kx2-sim.tty", true},
      {"/work/wt/i17/build/debug/a-rather-deep-folder/kx2sim.tty", false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    setenv("KX2_PORTS", c.name.c_str(), 1);
    CComSettingDlg dlg;
    QString tip, shown;
    int width0 = 0, width1 = 0, client = 0;
    RunPortDialog(dlg, [&](CComSettingDlg& d) {
      auto* table = qobject_cast<QTableWidget*>(d.m_list.GetWidget());
      QTableWidgetItem* item = table->item(RowOf(d, c.name), 0);
      tip = item->toolTip();
      // The cell's text room, within the margins the style keeps on both sides.
      const int margin = table->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, table) + 1;
      const int room = table->visualItemRect(item).width() - 2 * margin;
      shown = PathEllipsisDelegate::Elide(item->text(), QFontMetrics(table->font()), room);
      width0 = d.m_list.GetColumnWidth(0);
      width1 = d.m_list.GetColumnWidth(1);
      CRect rc;
      d.m_list.GetClientRect(&rc);
      client = rc.Width();
      d.SendMessage(WM_COMMAND, IDCANCEL, 0);
    });
    EXPECT_EQ(tip.toStdString(), c.name);
    EXPECT_EQ(shown.toStdString() == c.name, c.whole) << shown.toStdString();
    EXPECT_GE(width0, static_cast<int>(client * 0.2));
    EXPECT_GE(width1, static_cast<int>(client * 0.4));
    EXPECT_EQ(width1 == static_cast<int>(client * 0.4), !c.whole);
    EXPECT_EQ(width0 + width1, static_cast<int>(client * 0.2) + static_cast<int>(client * 0.75));
  }
}

TEST_F(PortDialogTest, WithoutAMatchTheFirstRowIsChosen) {
  CComSettingDlg dlg;
  dlg.m_szPort = "\\\\.\\/tmp/elsewhere";
  const INT_PTR result = RunPortDialog(dlg, [](CComSettingDlg& d) { d.SendMessage(WM_COMMAND, IDOK, 0); });
  EXPECT_EQ(result, IDOK);
  EXPECT_EQ(dlg.m_szPort, DevicePath(platform::ListSerialPorts().front().name));
}

TEST_F(PortDialogTest, DoubleClickChoosesTheRowAndCancelKeepsThePath) {
  CComSettingDlg dlg;
  const INT_PTR result = RunPortDialog(dlg, [](CComSettingDlg& d) {
    const int row = RowOf(d, "/tmp/kx2-c");
    d.m_list.SetItemState(row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    auto* table = qobject_cast<QTableWidget*>(d.m_list.GetWidget());
    emit table->cellDoubleClicked(row, 0);
  });
  EXPECT_EQ(result, IDOK);
  EXPECT_EQ(dlg.m_szPort, "\\\\.\\/tmp/kx2-c");

  CComSettingDlg cancelled;
  cancelled.m_szPort = "\\\\.\\/tmp/kx2-a";
  const INT_PTR second = RunPortDialog(cancelled, [](CComSettingDlg& d) {
    d.m_list.SetItemState(RowOf(d, "/tmp/kx2-c"), LVIS_SELECTED, LVIS_SELECTED);
    d.SendMessage(WM_COMMAND, IDCANCEL, 0);
  });
  EXPECT_EQ(second, IDCANCEL);
  EXPECT_EQ(cancelled.m_szPort, "\\\\.\\/tmp/kx2-a");
}

TEST_F(PortDialogTest, AnEmptyListStillEndsWithOkAndThePathGivenIn) {
  CComSettingDlg dlg;
  dlg.m_szPort = "\\\\.\\/tmp/kx2-a";
  const INT_PTR result = RunPortDialog(dlg, [](CComSettingDlg& d) {
    d.m_list.DeleteAllItems();
    d.SendMessage(WM_COMMAND, IDOK, 0);
  });
  EXPECT_EQ(result, IDOK);
  EXPECT_EQ(dlg.m_szPort, "\\\\.\\/tmp/kx2-a");
}

// Start-up as the program runs it: the frame is made from the document
// template, and the first thing its message loop does is the Connect road.
TEST(StartUp, PostsConnectAndThePortDialogListsTheSimulatorWithTheLastPortPreselected) {
  EnsureQtApplication();
  sim::LoggerSim sim;
  ASSERT_TRUE(sim.Start());
  setenv("KX2_PORTS", ("/tmp/kx2-other:" + sim.SlavePath()).c_str(), 1);
  RecordingMessageService boxes;
  theApp.m_device.m_strLastPort = DevicePath(sim.SlavePath());

  std::vector<std::string> rows;
  std::string preselected;
  auto previous = CDialog::SetModalHook([&](CDialog* d) {
    auto* dlg = dynamic_cast<CComSettingDlg*>(d);
    if (!dlg) return;
    for (int row = 0; row < dlg->m_list.GetItemCount(); ++row) rows.push_back(dlg->m_list.GetItemText(row, 0));
    preselected = dlg->m_list.GetItemText(dlg->m_list.GetNextItem(-1, LVNI_SELECTED), 0);
    dlg->SendMessage(WM_COMMAND, IDCANCEL, 0);
  });
  ASSERT_TRUE(theApp.InitInstance());
  ASSERT_NE(theApp.m_pMainFrame, nullptr);
  EXPECT_EQ(AfxGetMainWnd(), theApp.m_pMainFrame);
  EXPECT_TRUE(PumpUntil([&] { return !preselected.empty(); }));
  EXPECT_NE(std::find(rows.begin(), rows.end(), sim.SlavePath()), rows.end());
  EXPECT_EQ(preselected, sim.SlavePath());
  // Cancelled: nothing was sent and nothing is shown.
  EXPECT_TRUE(boxes.boxes.empty());
  EXPECT_TRUE(sim.ReceivedCommands().empty());
  EXPECT_EQ(theApp.m_pMainFrame->m_nState, 0);

  CDialog::SetModalHook(previous);
  theApp.m_pMainWnd = nullptr;  // no quit of the (test's) message loop
  theApp.CloseDocTemplates();
  EXPECT_EQ(theApp.m_pMainFrame, nullptr);
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  sim.Stop();
  unsetenv("KX2_PORTS");
}
