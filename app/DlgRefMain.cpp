#include "app/DlgRefMain.h"

#include "app/Kestrix2CommApp.h"
#include "ui/FrameWndEx.h"
#include "ui/View.h"

CDlgRefMain::CDlgRefMain() = default;

CDlgRefMain::~CDlgRefMain() {
  if (GetSafeHwnd() != 0) DestroyWindow();
}

BOOL CDlgRefMain::ShowPanel(CWnd* frame, int kind) {
  if (kind != m_nDeviceKind) {
    if (GetSafeHwnd() != 0) DestroyWindow();
    m_nDeviceKind = kind;
  }
  if (GetSafeHwnd() != 0) {
    UpdatePages();
    ShowWindow(SW_RESTORE);
    return TRUE;
  }

  m_pParentWnd = frame;
  CDialogTemplate loaded;
  if (!CKestrix2CommApp::LoadDlgTemplateWithFont(IDD, theApp.GetDlgFontPointSize(), loaded)) return FALSE;
  // A child of the frame's client (its view) rather than a pop-up: it then
  // moves with the frame and never strays from it.
  res::DialogTemplateData data = loaded.Data();
  data.style = (data.style & ~res::DS_POPUP) | res::DS_CHILD | res::DS_VISIBLE;
  CWnd* host = frame;
  if (auto* frameWnd = dynamic_cast<CFrameWndEx*>(frame); frameWnd && frameWnd->GetActiveView()) {
    host = frameWnd->GetActiveView();
  }
  const BOOL created = CreateIndirect(CDialogTemplate(data), host);
  if (!created) return FALSE;
  UpdatePages();

  if (frame) {
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

void CDlgRefMain::UpdatePages() {}
