#include "ui/SingleDocTemplate.h"

#include "ui/Document.h"
#include "ui/FrameWndEx.h"
#include "ui/View.h"
#include "ui/WinAppEx.h"

CSingleDocTemplate::CSingleDocTemplate(UINT nIDResource, std::function<CDocument*()> makeDocument,
                                       std::function<CFrameWndEx*()> makeFrame, std::function<CView*()> makeView)
    : m_nIDResource(nIDResource),
      m_makeDocument(std::move(makeDocument)),
      m_makeFrame(std::move(makeFrame)),
      m_makeView(std::move(makeView)) {}

CSingleDocTemplate::~CSingleDocTemplate() { Close(); }

BOOL CSingleDocTemplate::OpenDocumentFile(const char* pathName) {
  if (m_pFrame) return ReuseDocument(pathName);
  m_pDocument.reset(m_makeDocument ? m_makeDocument() : nullptr);
  if (!m_pDocument) return FALSE;
  if (!m_pDocument->OnNewDocument()) return FALSE;
  m_pFrame.reset(m_makeFrame ? m_makeFrame() : nullptr);
  if (!m_pFrame) return FALSE;
  if (CWinAppEx* app = AfxGetApp()) app->m_pMainWnd = m_pFrame.get();
  if (!m_pFrame->LoadFrame(m_nIDResource)) {
    if (CWinAppEx* app = AfxGetApp(); app && app->m_pMainWnd == m_pFrame.get()) app->m_pMainWnd = nullptr;
    return FALSE;
  }
  m_pView.reset(m_makeView ? m_makeView() : nullptr);
  if (m_pView) {
    m_pView->SetDocument(m_pDocument.get());
    if (!m_pFrame->CreateView(m_pView.get())) return FALSE;
    m_pView->SendMessage(WM_INITIALUPDATE);
  }
  return TRUE;
}

void CSingleDocTemplate::Close() {
  if (m_pFrame && m_pFrame->GetWidget()) m_pFrame->DestroyWindow();
  m_pView.reset();
  m_pFrame.reset();
  m_pDocument.reset();
}

BOOL CSingleDocTemplate::ReuseDocument(const char* pathName) {
  if (!m_pDocument) return FALSE;
  if (pathName) {
    if (!m_pDocument->OnOpenDocument(pathName)) return FALSE;
    m_pDocument->SetPathName(pathName);
  } else if (!m_pDocument->OnNewDocument()) {
    return FALSE;
  }
  if (m_pView && m_pView->GetWidget()) m_pView->SendMessage(WM_INITIALUPDATE);
  return TRUE;
}
