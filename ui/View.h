#pragma once
// CView: a window that paints itself through OnDraw. Used as the main
// window's client and as a child view inside a dialog.

#include "ui/Wnd.h"

class CDC;
class CDocument;

class CView : public CWnd {
 public:
  CView();
  ~CView() override;
  // A child window of parent at rect (client coordinates of the parent).
  virtual BOOL Create(const char* className, const char* windowName, DWORD style, const RECT& rect, CWnd* parent,
                      UINT id, void* context = nullptr);
  CDocument* GetDocument() const { return m_pDocument; }
  void SetDocument(CDocument* doc) { m_pDocument = doc; }
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

  // Paints into dc (its painter is open on the view's widget).
  virtual void OnDraw(CDC* dc) = 0;
  virtual void OnInitialUpdate();

 protected:
  // -1 ends the creation.
  virtual int OnCreate(LPCREATESTRUCT cs);
  virtual BOOL PreCreateWindow(CREATESTRUCT& cs);

  CDocument* m_pDocument = nullptr;
};
