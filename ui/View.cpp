#include "ui/View.h"

#include <QMouseEvent>
#include <QPainter>
#include <QWidget>

#include "ui/DC.h"

namespace {
// The view's widget: painting and focus as the platform's view has them.
class ViewWidget : public QWidget {
 public:
  ViewWidget(CView* view, QWidget* parent) : QWidget(parent), m_view(view) {
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
  }
  void Forget() { m_view = nullptr; }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    if (!m_view) return;
    CDC dc(&painter);
    m_view->OnDraw(&dc);
  }
  void mousePressEvent(QMouseEvent* e) override {
    setFocus(Qt::MouseFocusReason);
    QWidget::mousePressEvent(e);
  }

 private:
  CView* m_view;
};
}  // namespace

CView::CView() = default;

CView::~CView() {
  if (auto* w = dynamic_cast<ViewWidget*>(GetWidget())) w->Forget();
}

BOOL CView::PreCreateWindow(CREATESTRUCT&) { return TRUE; }

BOOL CView::Create(const char*, const char* windowName, DWORD style, const RECT& rect, CWnd* parent, UINT id, void*) {
  if (GetWidget()) return FALSE;
  CREATESTRUCT cs;
  cs.x = rect.left;
  cs.y = rect.top;
  cs.cx = rect.right - rect.left;
  cs.cy = rect.bottom - rect.top;
  cs.style = style;
  if (!PreCreateWindow(cs)) return FALSE;
  QWidget* parentWidget = parent ? parent->GetWidget() : nullptr;
  auto* w = new ViewWidget(this, parentWidget);
  w->setGeometry(cs.x, cs.y, cs.cx, cs.cy);
  if (windowName) w->setWindowTitle(QString::fromUtf8(windowName));
  m_dwStyle = cs.style;
  Attach(w, static_cast<int>(id), true);
  if (OnCreate(&cs) == -1) {
    DestroyWindow();
    return FALSE;
  }
  // The size follows the creation, shown or not.
  MoveWindow(cs.x, cs.y, cs.cx, cs.cy, FALSE);
  if (cs.style & WS_VISIBLE) w->show();
  return TRUE;
}

int CView::OnCreate(LPCREATESTRUCT) { return 0; }

void CView::OnInitialUpdate() { Invalidate(); }

LRESULT CView::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITIALUPDATE) {
    OnInitialUpdate();
    return 0;
  }
  return CWnd::WindowProc(message, wParam, lParam);
}
