#pragma once
// The tabbed panel inside the main frame, against the logger simulator:
// shortcuts to the panel, its pages and their controls.

#include <string>

#include "app/DlgRefMain.h"
#include "res/StringTable.h"
#include "tests/app/FrameFixture.h"

class PanelTest : public FrameTest {
 protected:
  void SetUp() override {
    savedAdj2_ = theApp.m_nDlgFontAdj2;
    FrameTest::SetUp();
    // No test here waits out a logger time-out, so time runs slower than
    // the frame's: a busy machine (a sanitizer run) must not make the
    // simulator's answers late.
    timeScale.Set(kPanelScale);
  }
  void TearDown() override {
    FrameTest::TearDown();
    theApp.m_nDlgFontAdj2 = savedAdj2_;
  }
  static constexpr double kPanelScale = 0.3;

  // The Connect road, ended with the logger connected and no box shown.
  bool ConnectOk() { return Connect() && boxes.boxes.empty() && frame->m_nState != 0; }
  CDlgRefMain& Panel() { return frame->m_dlgRefMain; }
  CDlgMainSystem& System() { return frame->m_dlgRefMain.m_pageSystem; }
  std::string Text(int id) { return System().GetDlgItemText(id); }
  static bool Enabled(CWnd& page, int id) {
    CWnd* control = page.GetDlgItem(id);
    return control != nullptr && control->IsWindowEnabled() != FALSE;
  }
  // A button pressed as the operator presses it; returns once its handler
  // (and any run it starts) has ended.
  static void Click(CWnd& page, int id) { page.SendMessage(WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0); }
  std::vector<std::string> SentSince(size_t before) const {
    std::vector<std::string> all = sim.ReceivedCommands(), out;
    for (size_t i = before; i < all.size(); ++i)
      if (!all[i].empty()) out.push_back(all[i]);
    return out;
  }

 private:
  int savedAdj2_ = 0;
};
