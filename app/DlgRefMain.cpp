#include "app/DlgRefMain.h"

#include <algorithm>

#include "app/Kestrix2CommApp.h"
#include "app/LoggerPage.h"
#include "res/DialogTemplate.h"
#include "res/StringTable.h"
#include "ui/FrameWndEx.h"
#include "ui/View.h"

namespace {
// The blank that the templates keep between their controls and the page edge.
constexpr int kPageMarginDlu = 7;

bool HasWindow(const CWnd& wnd) { return wnd.GetSafeHwnd() != 0; }

struct Extent {
  int cx, cy;
};

// The pixel size a page needs: its template's size, or more where its
// controls reach beyond it (two templates place controls outside their own
// edges, and those must stay reachable).
Extent PageExtent(const CDialog& page, UINT templateId) {
  const res::DialogTemplateData* data = res::FindDialogTemplate(templateId);
  if (data == nullptr) return {0, 0};
  int cx = data->cx, cy = data->cy;
  for (const res::ControlTemplate& c : data->controls) {
    cx = std::max(cx, c.x + c.cx + kPageMarginDlu);
    cy = std::max(cy, c.y + c.cy + kPageMarginDlu);
  }
  CRect rc(0, 0, cx, cy);
  page.MapDialogRect(&rc);
  return {rc.Width(), rc.Height()};
}
}  // namespace

CDlgRefMain::CDlgRefMain() : CDialog(IDD) {
  MapNotify(NM_CLICK, kTab, [this](NMHDR*, LRESULT* result) {
    SelectPage();
    *result = 0;
  });
  MapNotify(TCN_SELCHANGE, kTab, [this](NMHDR*, LRESULT* result) {
    SelectPage();
    *result = 0;
  });
}

// The window goes while the pages are whole, so they see their OnDestroy.
CDlgRefMain::~CDlgRefMain() {
  if (HasWindow(*this)) DestroyWindow();
}

void CDlgRefMain::DoDataExchange(CDataExchange* dx) {
  CDialog::DoDataExchange(dx);
  DDX_Control(dx, kTab, m_tab);
}

BOOL CDlgRefMain::ShowPanel(CWnd* frame, int kind) {
  if (kind != m_nDeviceKind) {
    if (HasWindow(*this)) DestroyWindow();
    m_nDeviceKind = kind;
  }
  if (HasWindow(*this)) {
    UpdatePages();
    ShowWindow(SW_RESTORE);
    return TRUE;
  }

  m_pParentWnd = frame;
  CDialogTemplate loaded;
  if (!CKestrix2CommApp::LoadDlgTemplateWithFont(IDD, theApp.GetDlgFontPointSize(), loaded)) return FALSE;
  // Over a frame the panel is a child of the frame's view rather than a
  // pop-up: it then moves with the frame and never strays from it.
  res::DialogTemplateData data = loaded.Data();
  CWnd* host = nullptr;
  if (frame != nullptr) {
    data.style = (data.style & ~res::DS_POPUP) | res::DS_CHILD | res::DS_VISIBLE;
    host = frame;
    if (auto* frameWnd = dynamic_cast<CFrameWndEx*>(frame); frameWnd && frameWnd->GetActiveView()) {
      host = frameWnd->GetActiveView();
    }
  }
  const BOOL created = CreateIndirect(CDialogTemplate(data), host);

  if (created && frame != nullptr) {
    CRect panel, frameRect, frameClient;
    GetClientRect(&panel);
    frame->GetWindowRect(&frameRect);
    frame->GetClientRect(&frameClient);
    const int width = panel.Width() + (frameRect.Width() - frameClient.Width());
    const int height = panel.Height() + (frameRect.Height() - frameClient.Height());
    frame->SetWindowPos(nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER);
  }
  return created;
}

BOOL CDlgRefMain::OnInitDialog() {
  CDialog::OnInitDialog();
  m_pages.clear();
  m_tab.DeleteAllItems();

  for (const PageRecord& row : m_pageTable) AddPage(row.nTitleId, row.nTemplateId);
  GrowToHoldPages();

  LayoutPages();
  SelectPage();
  UpdatePages();
  ShowWindow(SW_SHOW);
  SetFocus();
  return FALSE;
}

CLoggerPageDlg* CDlgRefMain::PageOf(UINT nTemplateId) {
  for (const PageRecord& row : m_pageTable) {
    if (row.nTemplateId == nTemplateId) return row.pPage;
  }
  return nullptr;
}

BOOL CDlgRefMain::AddPage(UINT nTitleId, UINT nTemplateId) {
  CLoggerPageDlg* page = PageOf(nTemplateId);
  if (page == nullptr) return FALSE;
  if (HasWindow(*page)) page->DestroyWindow();
  page->m_pParentWnd = this;

  // The measurement page packs the most fields and has a font of its own.
  const WORD points =
      nTemplateId == CDlgMainMeasSetting::IDD ? theApp.GetDlgFontPointSize2() : theApp.GetDlgFontPointSize();
  CDialogTemplate loaded;
  if (!CKestrix2CommApp::LoadDlgTemplateWithFont(nTemplateId, points, loaded)) return FALSE;
  const BOOL created = page->CreateIndirect(loaded, this);
  if (created) {
    const int index = static_cast<int>(m_pages.size());
    if (m_tab.InsertItem(index, res::LoadString(nTitleId)) >= 0) m_pages.push_back({nTitleId, nTemplateId, page});
  }
  return created;
}

void CDlgRefMain::GrowToHoldPages() {
  if (!HasWindow(m_tab)) return;
  CRect display;
  m_tab.GetWindowRect(&display);
  m_tab.AdjustRect(FALSE, &display);
  int needX = 0, needY = 0;
  for (const PageRecord& record : m_pages) {
    const Extent extent = PageExtent(*record.pPage, record.nTemplateId);
    needX = std::max(needX, extent.cx - display.Width());
    needY = std::max(needY, extent.cy - display.Height());
  }
  if (needX == 0 && needY == 0) return;

  CRect tab, panel;
  m_tab.GetWindowRect(&tab);
  GetWindowRect(&panel);
  m_tab.SetWindowPos(nullptr, 0, 0, tab.Width() + needX, tab.Height() + needY, SWP_NOMOVE | SWP_NOZORDER);
  SetWindowPos(nullptr, 0, 0, panel.Width() + needX, panel.Height() + needY, SWP_NOMOVE | SWP_NOZORDER);
}

void CDlgRefMain::SelectPage() {
  if (!HasWindow(m_tab)) return;
  const int selected = m_tab.GetCurSel();
  for (size_t i = 0; i < m_pages.size(); ++i) {
    m_pages[i].pPage->ShowWindow(static_cast<int>(i) == selected ? SW_SHOW : SW_HIDE);
  }
}

void CDlgRefMain::LayoutPages() {
  if (!HasWindow(m_tab)) return;
  CRect rc;
  m_tab.GetWindowRect(&rc);
  m_tab.AdjustRect(FALSE, &rc);
  ScreenToClient(&rc);
  for (const PageRecord& record : m_pages) {
    record.pPage->MoveWindow(rc);
    record.pPage->Invalidate();
  }
}

void CDlgRefMain::OnSize(UINT type, int cx, int cy) {
  CDialog::OnSize(type, cx, cy);
  LayoutPages();
}

void CDlgRefMain::UpdatePages() {
  if (!HasWindow(*this)) return;
  // Every page with a window, a page whose tab could not be inserted too.
  for (const PageRecord& row : m_pageTable) {
    if (HasWindow(*row.pPage)) row.pPage->Refresh();
  }
}

void CDlgRefMain::OnDestroy() {
  CDialog::OnDestroy();
  for (const PageRecord& row : m_pageTable) row.pPage->DestroyWindow();
  m_pages.clear();
  m_tab.DeleteAllItems();
}

BOOL CDlgRefMain::PreTranslateMessage(MSG* msg) { return loggerpage::TranslatePageMessage(*this, msg); }
