#pragma once
// The main window's client: black, with the logger's picture in the upper
// right and the maker's picture in the lower right corner. The tabbed panel
// covers it while a logger is connected.

#include "app/TImage.h"
#include "ui/View.h"

class CKestrix2CommView : public CView {
 public:
  static constexpr UINT kBottomPicture = 394;
  static constexpr UINT kTopPicture = 401;

  CKestrix2CommView();
  ~CKestrix2CommView() override;

  void OnInitialUpdate() override;
  void OnDraw(CDC* pDC) override;

  CTImage m_imgBottom;
  CTImage m_imgTop;

 protected:
  BOOL PreCreateWindow(CREATESTRUCT& cs) override;
};
