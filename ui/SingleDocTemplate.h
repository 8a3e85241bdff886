#pragma once
// CSingleDocTemplate: makes the one document, the main frame (from its
// resource id) and the frame's view, and keeps them for the program's life.

#include <functional>
#include <memory>

#include "ui/WinDefs.h"

class CDocument;
class CFrameWndEx;
class CView;

class CSingleDocTemplate {
 public:
  CSingleDocTemplate(UINT nIDResource, std::function<CDocument*()> makeDocument,
                     std::function<CFrameWndEx*()> makeFrame, std::function<CView*()> makeView);
  ~CSingleDocTemplate();

  // Builds document, frame and view; the frame becomes the main window and
  // the view gets its first update. FALSE when the frame cannot be made.
  // Once they exist, the one document is used again: emptied (no path) or
  // opened from the file, and the view updated afresh.
  BOOL OpenDocumentFile(const char* pathName = nullptr);
  CDocument* GetDocument() const { return m_pDocument.get(); }
  CFrameWndEx* GetFrame() const { return m_pFrame.get(); }
  CView* GetView() const { return m_pView.get(); }
  // Destroys the windows and objects (before the Qt application goes).
  void Close();

 private:
  BOOL ReuseDocument(const char* pathName);

  UINT m_nIDResource;
  std::function<CDocument*()> m_makeDocument;
  std::function<CFrameWndEx*()> m_makeFrame;
  std::function<CView*()> m_makeView;
  std::unique_ptr<CDocument> m_pDocument;
  std::unique_ptr<CFrameWndEx> m_pFrame;
  std::unique_ptr<CView> m_pView;
};
