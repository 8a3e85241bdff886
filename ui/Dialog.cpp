#include "ui/Dialog.h"

#include <QDialog>
#include <QPointer>

#include "ui/ControlFactory.h"
#include "ui/DataExchange.h"
#include "ui/DialogWidget.h"
#include "ui/KeyboardHook.h"
#include "ui/WidgetText.h"

namespace {
CDialog::ModalHook g_modalHook;
}

CDialog::CDialog() = default;

CDialog::CDialog(UINT nIDTemplate, CWnd* pParentWnd) : m_nIDTemplate(nIDTemplate), m_pParentWnd(pParentWnd) {}

CDialog::~CDialog() = default;

CDialog::ModalHook CDialog::SetModalHook(ModalHook hook) {
  ModalHook previous = std::move(g_modalHook);
  g_modalHook = std::move(hook);
  return previous;
}

BOOL CDialog::InitModalIndirect(const CDialogTemplate& dialogTemplate, CWnd* pParentWnd) {
  if (!dialogTemplate.IsLoaded()) return FALSE;
  m_pIndirect = std::make_unique<CDialogTemplate>(dialogTemplate);
  if (pParentWnd) m_pParentWnd = pParentWnd;
  return TRUE;
}

BOOL CDialog::InitModalIndirect(const res::DialogTemplateData& data, CWnd* pParentWnd) {
  return InitModalIndirect(CDialogTemplate(data), pParentWnd);
}

BOOL CDialog::Create(UINT nIDTemplate, CWnd* pParentWnd) {
  CDialogTemplate t;
  if (!t.Load(nIDTemplate)) return FALSE;
  m_nIDTemplate = nIDTemplate;
  return CreateIndirect(t, pParentWnd);
}

BOOL CDialog::CreateIndirect(const CDialogTemplate& dialogTemplate, CWnd* pParentWnd) {
  if (!dialogTemplate.IsLoaded()) return FALSE;
  m_bModal = false;
  m_bEnded = false;
  return Build(dialogTemplate.Data(), pParentWnd ? pParentWnd : m_pParentWnd, false);
}

BOOL CDialog::CreateIndirect(const res::DialogTemplateData& data, CWnd* pParentWnd) {
  return CreateIndirect(CDialogTemplate(data), pParentWnd);
}

BOOL CDialog::Build(const res::DialogTemplateData& t, CWnd* parent, bool modal) {
  if (GetWidget()) return FALSE;
  QWidget* parentWidget = parent ? parent->GetWidget() : nullptr;
  QFont font = FontForFace(t.fontFace ? t.fontFace : "", t.pointSize);
  m_dlu = DluMetrics(font);
  bool child = !modal && parentWidget && (t.style & (res::DS_CHILD | res::DS_CONTROL));
  QWidget* w;
  if (child) {
    w = new QWidget(parentWidget);
    // A dialog paints its own background, child or not; without it whatever
    // lies beneath (a frame's view) shows through where no control covers it.
    w->setAutoFillBackground(true);
  } else {
    auto* d = new DialogWidget(this, nullptr);
    Qt::WindowFlags flags = Qt::Dialog;
    if (t.style & res::DS_CAPTION) {
      flags |= Qt::CustomizeWindowHint | Qt::WindowTitleHint;
      if (t.style & res::DS_SYSMENU) flags |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
      if (t.style & res::DS_MINIMIZEBOX) flags |= Qt::WindowMinimizeButtonHint;
      if (t.style & res::DS_MAXIMIZEBOX) flags |= Qt::WindowMaximizeButtonHint;
    } else {
      flags |= Qt::FramelessWindowHint;
    }
    d->setWindowFlags(flags);
    d->setSizeGripEnabled(false);
    w = d;
  }
  w->setFont(font);
  int cx = m_dlu.X(t.cx), cy = m_dlu.Y(t.cy);
  if (!child && !(t.style & res::DS_THICKFRAME)) {
    w->setFixedSize(cx, cy);
  } else {
    w->resize(cx, cy);
  }
  SetWidgetText(w, t.caption ? t.caption : "");
  Attach(w, 0, true);
  if (!child && parent && parentWidget) SetOwner(parent);
  CreateDialogControls(this, t, m_dlu);
  if (!child) CenterWindow(parent);

  OnInitDialog();
  if (!GetWidget()) return FALSE;  // OnInitDialog destroyed the window
  if (child) {
    if (t.style & res::DS_VISIBLE) {
      w->show();
    } else {
      w->hide();
    }
  } else if (!modal && (t.style & res::DS_VISIBLE) && !m_bEnded) {
    ShowWindow(SW_SHOW);
  }
  return TRUE;
}

INT_PTR CDialog::DoModal() {
  CDialogTemplate loaded;
  const res::DialogTemplateData* data = nullptr;
  if (m_pIndirect) {
    data = &m_pIndirect->Data();
  } else if (loaded.Load(m_nIDTemplate)) {
    data = &loaded.Data();
  }
  if (!data) return -1;
  m_nModalResult = -1;
  m_bEnded = false;
  m_bModal = true;
  if (!Build(*data, m_pParentWnd, true)) {
    m_bModal = false;
    return -1;
  }
  auto* dlg = static_cast<QDialog*>(GetWidget());
  if (!m_bEnded) {
    dlg->setWindowModality(Qt::ApplicationModal);
    if (g_modalHook) {
      QMetaObject::invokeMethod(
          dlg,
          [this] {
            if (g_modalHook) g_modalHook(this);
          },
          Qt::QueuedConnection);
    }
    dlg->exec();
  }
  INT_PTR result = m_bEnded ? m_nModalResult : static_cast<INT_PTR>(IDCANCEL);
  DestroyWindow();
  m_bModal = false;
  return result;
}

void CDialog::EndDialog(int nResult) {
  m_nModalResult = nResult;
  m_bEnded = true;
  QWidget* w = GetWidget();
  if (!w) return;
  if (m_bModal) {
    if (auto* d = qobject_cast<QDialog*>(w)) d->done(nResult);
  } else {
    // A modeless dialog only hides; its window lives on.
    w->hide();
  }
}

BOOL CDialog::OnInitDialog() {
  UpdateData(FALSE);
  return TRUE;
}

void CDialog::OnOK() {
  if (!UpdateData(TRUE)) return;
  EndDialog(IDOK);
}

void CDialog::OnCancel() { EndDialog(IDCANCEL); }

BOOL CDialog::UpdateData(BOOL bSaveAndValidate) {
  CDataExchange dx(this, bSaveAndValidate);
  DoDataExchange(&dx);
  return TRUE;
}

void CDialog::MapDialogRect(LPRECT rc) const {
  *rc = CRect(m_dlu.X(rc->left), m_dlu.Y(rc->top), m_dlu.X(rc->right), m_dlu.Y(rc->bottom));
}

BOOL CDialog::OnCommand(WPARAM wParam, LPARAM lParam) {
  if (CWnd::OnCommand(wParam, lParam)) return TRUE;
  UINT id = LOWORD(wParam), code = HIWORD(wParam);
  if (code != BN_CLICKED && code != 1) return FALSE;
  if (id == IDOK) {
    OnOK();
    return TRUE;
  }
  if (id == IDCANCEL) {
    OnCancel();
    return TRUE;
  }
  return FALSE;
}

// The close box asks for IDCANCEL, as the platform's dialog manager does.
void CDialog::OnClose() { SendMessage(WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0); }

void CDialog::OnWidgetGone() { m_bModal = false; }

// The dialog manager's share of key handling: every key of this dialog and
// its controls is the dialog's, and Qt's own dialog handling (focus moves,
// default button) then takes it.
BOOL CDialog::PreTranslateMessage(MSG* msg) {
  if (msg->message < WM_KEYDOWN || msg->message > WM_SYSKEYUP) return FALSE;
  QWidget* own = GetWidget();
  CWnd* target = CWnd::FromHandle(msg->hwnd);
  QWidget* tw = target ? target->GetWidget() : nullptr;
  if (!own || !tw || !(tw == own || own->isAncestorOf(tw))) return FALSE;
  LetDialogManagerHandle();
  return TRUE;
}
