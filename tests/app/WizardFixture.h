#pragma once
// The settings wizard inside the connected main frame: each modal dialog of
// the settings transfer (item tree or input page) is answered by the next
// step of a script, as the operator would answer it. A dialog that comes
// when the script has no step left, or that a step leaves open, is
// cancelled and fails the test, so no test can hang on a page.

#include <QImage>
#include <deque>
#include <functional>
#include <string>
#include <typeinfo>
#include <vector>

#include "app/wizard/DlgInputAntenaTest.h"
#include "app/wizard/DlgTreeItem.h"
#include "app/wizard/InputBaseDlg.h"
#include "tests/app/PanelFixture.h"
#include "ui/Images.h"

// The tree as lines: "+group" or "-group", then "  +item" or "  -item"
// (ticked or not) under it.
inline std::vector<std::string> TreeLines(CDlgTreeItem& dlg) {
  std::vector<std::string> out;
  CTreeCtrl& tree = dlg.m_tree;
  for (HTREEITEM g = tree.GetRootItem(); g != nullptr; g = tree.GetNextSiblingItem(g)) {
    out.push_back(std::string(tree.GetCheck(g) ? "+" : "-").append(tree.GetItemText(g)));
    for (HTREEITEM i = tree.GetChildItem(g); i != nullptr; i = tree.GetNextSiblingItem(i))
      out.push_back(std::string(tree.GetCheck(i) ? "  +" : "  -").append(tree.GetItemText(i)));
  }
  return out;
}

class WizardTest : public PanelTest {
 protected:
  struct Seen {
    std::string page;  // the class's type name
    unsigned flags;    // the page flags of that opening (as its set-up left them)
  };

  // The next dialog of the walk is a Dialog; `act` answers it. (The modal
  // hook is taken over here, since a Connect puts its own in place.)
  template <class Dialog>
  void Then(std::function<void(Dialog&)> act) {
    CDialog::SetModalHook([this](CDialog* dlg) { Answer(*dlg); });
    steps.push_back([act](CDialog& d) {
      auto* dlg = dynamic_cast<Dialog*>(&d);
      if (dlg == nullptr) {
        ADD_FAILURE() << "expected " << typeid(Dialog).name() << ", came " << typeid(d).name();
        return;
      }
      act(*dlg);
    });
  }
  // The next page is a Page, answered by pressing these buttons in turn.
  template <class Page>
  void ThenPress(std::vector<int> ids) {
    Then<Page>([ids](Page& page) {
      for (int id : ids) Click(page, id);
    });
  }

  static std::string Label(CWnd& dlg, int id) {
    CWnd* c = dlg.GetDlgItem(id);
    return c != nullptr ? c->GetWindowText() : "(none)";
  }
  static bool Shown(CWnd& dlg, int id) {
    CWnd* c = dlg.GetDlgItem(id);
    return c != nullptr && c->IsWindowVisible() != FALSE;
  }

  // Whether the page shows level picture `id` (48 x 48, drawn 96 x 96) at
  // its picture place, pixel for pixel.
  static bool ShowsPicture(CDlgInputAntenaTest& page, unsigned id) {
    const QImage shot = page.GetWidget()->grab().toImage();
    const QImage source = LoadPngResource(id);
    CRect rc;
    page.GetDlgItem(CDlgInputAntenaTest::kPicturePlace)->GetWindowRect(&rc);
    page.ScreenToClient(&rc);
    for (int y = 0; y < 48; y += 3) {
      for (int x = 0; x < 48; x += 3) {
        if (shot.pixelColor(rc.left + 2 * x + 1, rc.top + 2 * y + 1).rgb() != source.pixelColor(x, y).rgb())
          return false;
      }
    }
    return true;
  }

  // The logger refuses ("NOT END") every command that begins so, for good.
  static sim::Fault Refusal(const char* command) {
    sim::Fault f;
    f.kind = sim::FaultKind::NotEnd;
    f.command = command;
    f.count = -1;
    return f;
  }
  static constexpr const char* kFailedText = "エラー！ 失敗しました";
  static constexpr const char* kNotConnectedText = "エラー！ 機器と接続していません";

  // The boxes shown since `from`, as their texts.
  std::vector<std::string> BoxTexts(size_t from = 0) const {
    std::vector<std::string> out;
    for (size_t i = from; i < boxes.boxes.size(); ++i) out.push_back(boxes.boxes[i].text);
    return out;
  }

  std::deque<std::function<void(CDialog&)>> steps;
  std::vector<Seen> seen;

 private:
  void Answer(CDialog& dlg) {
    if (auto* page = dynamic_cast<CInputBaseDlg*>(&dlg)) seen.push_back({typeid(*page).name(), page->m_nPageFlags});
    if (steps.empty()) {
      ADD_FAILURE() << "no step left for " << typeid(dlg).name();
    } else {
      auto step = std::move(steps.front());
      steps.pop_front();
      step(dlg);
    }
    if (dlg.GetSafeHwnd() != 0 && dlg.IsWindowVisible()) {
      ADD_FAILURE() << typeid(dlg).name() << " left open";
      dlg.SendMessage(WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    }
  }
};
