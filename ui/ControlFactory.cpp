#include "ui/ControlFactory.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDateTimeEdit>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QScrollBar>
#include <QTableWidget>
#include <QTreeWidget>
#include <algorithm>
#include <memory>
#include <vector>

#include "ui/Button.h"
#include "ui/ComboBox.h"
#include "ui/CtlColor.h"
#include "ui/Edit.h"
#include "ui/Images.h"
#include "ui/ListCtrl.h"
#include "ui/ProgressCtrl.h"
#include "ui/QtText.h"
#include "ui/ReadOnlyEdit.h"
#include "ui/ReadOnlyEditWidget.h"
#include "ui/ScrollBar.h"
#include "ui/Static.h"
#include "ui/TabControlWidget.h"
#include "ui/TabCtrl.h"
#include "ui/TreeCtrl.h"
#include "ui/WidgetText.h"

using res::ControlKind;

namespace {
const char* kStyleProperty = "kx2style";
const char* kRadioGroupProperty = "kx2radiogroup";

// Sends a control's command or notification to its dialog, if both still exist.
struct Notifier {
  HWND dialog;
  int id;

  HWND Self() const {
    CWnd* d = CWnd::FromHandle(dialog);
    CWnd* c = d ? d->GetDlgItem(id) : nullptr;
    return c ? c->m_hWnd : 0;
  }
  void Command(UINT code) const {
    if (CWnd* d = CWnd::FromHandle(dialog)) {
      d->SendMessage(WM_COMMAND, MAKEWPARAM(static_cast<unsigned>(id), code), Self());
    }
  }
  void Notify(UINT code) const {
    if (CWnd* d = CWnd::FromHandle(dialog)) {
      NMHDR hdr;
      hdr.hwndFrom = Self();
      hdr.idFrom = static_cast<UINT_PTR>(id);
      hdr.code = code;
      d->SendMessage(WM_NOTIFY, static_cast<WPARAM>(id), reinterpret_cast<LPARAM>(&hdr));
    }
  }
};

Qt::Alignment TextAlignment(uint64_t style) {
  if (style & res::CS_RIGHT) return Qt::AlignRight;
  if (style & res::CS_CENTER) return Qt::AlignHCenter;
  return Qt::AlignLeft;
}

QWidget* MakeStatic(QWidget* parent, const res::ControlTemplate& c) {
  auto* label = new QLabel(parent);
  label->setTextFormat(Qt::PlainText);
  label->setWordWrap(true);  // the platform's statics wrap at their width
  label->setAlignment(TextAlignment(c.style) | ((c.style & res::CS_CENTERIMAGE) ? Qt::AlignVCenter : Qt::AlignTop));
  if (c.style & (res::CS_SUNKEN | res::CS_CLIENTEDGE)) {
    label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  } else if (c.style & res::CS_BORDER) {
    label->setFrameStyle(QFrame::Box | QFrame::Plain);
  }
  if (!(c.style & res::CS_NOTIFY)) label->setAttribute(Qt::WA_TransparentForMouseEvents);
  return label;
}

QWidget* MakeEdit(QWidget* parent, const res::ControlTemplate& c, const Notifier& n) {
  bool frame = (c.style & (res::CS_BORDER | res::CS_CLIENTEDGE)) != 0;
  if (c.style & res::CS_MULTILINE) {
    auto* edit = new QPlainTextEdit(parent);
    edit->setReadOnly(c.style & res::CS_READONLY);
    bool wrap = !(c.style & (res::CS_AUTOHSCROLL | res::CS_HSCROLL));
    edit->setLineWrapMode(wrap ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
    edit->setVerticalScrollBarPolicy((c.style & res::CS_VSCROLL) ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
    edit->setHorizontalScrollBarPolicy((c.style & res::CS_HSCROLL) ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
    if (!frame) edit->setFrameStyle(QFrame::NoFrame);
    edit->setTabChangesFocus(true);
    QObject::connect(edit, &QPlainTextEdit::textChanged, edit, [n] { n.Command(EN_CHANGE); });
    return edit;
  }
  auto* edit = new QLineEdit(parent);
  edit->setFrame(frame);
  edit->setReadOnly(c.style & res::CS_READONLY);
  edit->setAlignment(TextAlignment(c.style) | Qt::AlignVCenter);
  if (c.style & res::CS_PASSWORD) edit->setEchoMode(QLineEdit::Password);
  // A masked edit's mask says which characters go where: its fixed
  // separators are no digits.
  if ((c.style & res::CS_NUMBER) && c.kind != ControlKind::MaskedEdit) {
    edit->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), edit));
  }
  QObject::connect(edit, &QLineEdit::textChanged, edit, [n] { n.Command(EN_CHANGE); });
  return edit;
}

QWidget* MakeReadOnlyEdit(QWidget* parent, const res::ControlTemplate& c) {
  auto* view = new ReadOnlyEditWidget(parent);
  view->setVerticalScrollBarPolicy((c.style & res::CS_VSCROLL) ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
  view->setHorizontalScrollBarPolicy((c.style & res::CS_HSCROLL) ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
  if (!(c.style & (res::CS_BORDER | res::CS_CLIENTEDGE))) view->setFrameStyle(QFrame::NoFrame);
  return view;
}

QWidget* MakeIcon(QWidget* parent, const res::ControlTemplate& c, const DluMetrics& dlu) {
  auto* label = new QLabel(parent);
  label->setPixmap(LoadIconResource(static_cast<unsigned>(atoi(c.text))).pixmap(dlu.X(20), dlu.Y(20)));
  return label;
}

QWidget* MakePushButton(QWidget* parent, const res::ControlTemplate& c) {
  auto* b = new QPushButton(parent);
  b->setAutoDefault(false);
  b->setDefault(c.kind == ControlKind::DefPushButton);
  return b;
}

QWidget* MakeGroupBox(QWidget* parent) {
  auto* g = new QGroupBox(parent);
  // The platform's group box is only a frame: clicks go through it.
  g->setAttribute(Qt::WA_TransparentForMouseEvents);
  return g;
}

QWidget* MakeCheckBox(QWidget* parent, const res::ControlTemplate& c) {
  auto* box = new QCheckBox(parent);
  if (c.style & res::CS_LEFTTEXT) box->setLayoutDirection(Qt::RightToLeft);
  return box;
}

// radios: the exclusive group the button joins; a button with the group
// style (or the first radio button after other controls) starts a new one.
// A push-like one is a push button that stays down while it is checked.
QWidget* MakeRadioButton(QWidget* parent, const res::ControlTemplate& c, QButtonGroup*& radios) {
  QAbstractButton* r;
  if (c.style & res::CS_PUSHLIKE) {
    auto* push = new QPushButton(parent);
    push->setAutoDefault(false);
    push->setCheckable(true);
    r = push;
  } else {
    r = new QRadioButton(parent);
    if (c.style & res::CS_LEFTTEXT) r->setLayoutDirection(Qt::RightToLeft);
  }
  r->setAutoExclusive(false);
  if ((c.style & res::CS_GROUP) || !radios) {
    radios = new QButtonGroup(parent);
    radios->setExclusive(true);
  }
  if (c.style & res::CS_AUTO) radios->addButton(r);
  r->setProperty(kRadioGroupProperty, QVariant::fromValue(static_cast<QObject*>(radios)));
  return r;
}

// Drop-down: an edit field over the list, typed text allowed; drop list:
// only the list's entries. The list's choice reaches the dialog as
// CBN_SELCHANGE and typing as CBN_EDITCHANGE, as the operator makes them.
QWidget* MakeComboBox(QWidget* parent, const res::ControlTemplate& c, const Notifier& n) {
  auto* combo = new QComboBox(parent);
  const bool dropDown = (c.style & res::CS_DROPDOWN) != 0 && (c.style & res::CS_DROPDOWNLIST) == 0;
  combo->setEditable(dropDown);
  combo->setInsertPolicy(QComboBox::NoInsert);
  QObject::connect(combo, &QComboBox::activated, combo, [n](int) { n.Command(CBN_SELCHANGE); });
  if (QLineEdit* edit = combo->lineEdit()) {
    QObject::connect(edit, &QLineEdit::textEdited, combo, [n](const QString&) { n.Command(CBN_EDITCHANGE); });
  }
  return combo;
}

QWidget* MakeTree(QWidget* parent) {
  auto* tree = new QTreeWidget(parent);
  tree->setHeaderHidden(true);
  return tree;
}

QWidget* MakeProgress(QWidget* parent) {
  auto* bar = new QProgressBar(parent);
  bar->setTextVisible(false);
  return bar;
}

QWidget* MakeScrollBar(QWidget* parent, const res::ControlTemplate& c) {
  return new QScrollBar((c.style & res::CS_VERTICAL) ? Qt::Vertical : Qt::Horizontal, parent);
}

QWidget* MakeList(QWidget* parent, const res::ControlTemplate& c, const Notifier& n) {
  auto* table = new QTableWidget(parent);
  table->verticalHeader()->hide();
  table->horizontalHeader()->setHighlightSections(false);
  table->horizontalHeader()->setStretchLastSection(false);
  table->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table->setSelectionBehavior(QAbstractItemView::SelectRows);
  table->setSelectionMode((c.style & res::CS_SINGLESEL) ? QAbstractItemView::SingleSelection
                                                        : QAbstractItemView::ExtendedSelection);
  table->setShowGrid(false);
  table->setWordWrap(false);
  table->verticalHeader()->setDefaultSectionSize(table->fontMetrics().height() + 4);
  if (!(c.style & (res::CS_BORDER | res::CS_CLIENTEDGE))) table->setFrameStyle(QFrame::NoFrame);
  QObject::connect(table, &QTableWidget::cellDoubleClicked, table, [n](int, int) { n.Notify(NM_DBLCLK); });
  QObject::connect(table, &QTableWidget::cellClicked, table, [n](int, int) { n.Notify(NM_CLICK); });
  return table;
}

QWidget* MakeTab(QWidget* parent, const Notifier& n) {
  auto* tabs = new TabControlWidget(parent);
  QObject::connect(tabs->Bar(), &QTabBar::currentChanged, tabs, [tabs, n](int) {
    if (!tabs->m_bProgrammatic) n.Notify(TCN_SELCHANGE);
  });
  QObject::connect(tabs->Bar(), &QTabBar::tabBarClicked, tabs, [n](int) { n.Notify(NM_CLICK); });
  return tabs;
}

// The widget of one template row, its notifications wired to the dialog.
QWidget* MakeControl(QWidget* parent, const res::ControlTemplate& c, const DluMetrics& dlu, const Notifier& n,
                     QButtonGroup*& radios) {
  switch (c.kind) {
    case ControlKind::Static:
      return MakeStatic(parent, c);
    case ControlKind::Icon:
      return MakeIcon(parent, c, dlu);
    case ControlKind::Edit:
    case ControlKind::MaskedEdit:
      return MakeEdit(parent, c, n);
    case ControlKind::ReadOnlyEdit:
      return MakeReadOnlyEdit(parent, c);
    case ControlKind::PushButton:
    case ControlKind::DefPushButton:
      return MakePushButton(parent, c);
    case ControlKind::GroupBox:
      return MakeGroupBox(parent);
    case ControlKind::CheckBox:
      return MakeCheckBox(parent, c);
    case ControlKind::RadioButton:
      return MakeRadioButton(parent, c, radios);
    case ControlKind::ComboBox:
      return MakeComboBox(parent, c, n);
    case ControlKind::ListBox:
      return new QListWidget(parent);
    case ControlKind::ListView:
      return MakeList(parent, c, n);
    case ControlKind::TreeView:
      return MakeTree(parent);
    case ControlKind::Tab:
      return MakeTab(parent, n);
    case ControlKind::Progress:
      return MakeProgress(parent);
    case ControlKind::ScrollBar:
      return MakeScrollBar(parent, c);
    case ControlKind::DateTime:
      return new QDateTimeEdit(parent);
    case ControlKind::Custom:
      break;
  }
  // A custom control is a place that its dialog fills itself.
  return new QFrame(parent);
}

bool TakesFocus(ControlKind kind) {
  switch (kind) {
    case ControlKind::Static:
    case ControlKind::Icon:
    case ControlKind::GroupBox:
    case ControlKind::Progress:
    case ControlKind::Custom:
      return false;
    default:
      return true;
  }
}

// Place, text and the template's state bits on a made widget.
void ApplyTemplateStyle(QWidget* w, const res::ControlTemplate& c, const DluMetrics& dlu) {
  int height = dlu.Y(c.cy);
  // A combo box's template height is that of its dropped list; the control
  // itself is one field high.
  if (c.kind == ControlKind::ComboBox) height = std::min(height, w->sizeHint().height());
  w->setGeometry(dlu.X(c.x), dlu.Y(c.y), dlu.X(c.cx), height);
  w->setProperty(kStyleProperty, static_cast<qulonglong>(c.style));
  if (c.kind != ControlKind::Icon) SetWidgetText(w, c.text ? c.text : "");
  if (!TakesFocus(c.kind)) {
    w->setFocusPolicy(Qt::NoFocus);
  } else {
    w->setFocusPolicy((c.style & res::CS_TABSTOP) ? Qt::StrongFocus : Qt::ClickFocus);
  }
  if (c.style & res::CS_DISABLED) w->setEnabled(false);
  if (c.style & res::CS_HIDDEN) w->hide();
  // Frames lie below the controls they surround.
  if (c.kind == ControlKind::GroupBox) w->lower();
}

std::unique_ptr<CWnd> WrapperFor(ControlKind kind) {
  switch (kind) {
    case ControlKind::Static:
    case ControlKind::Icon:
      return std::make_unique<CStatic>();
    case ControlKind::Edit:
    case ControlKind::MaskedEdit:
      return std::make_unique<CEdit>();
    case ControlKind::ReadOnlyEdit:
      return std::make_unique<CReadOnlyEdit>();
    case ControlKind::PushButton:
    case ControlKind::DefPushButton:
    case ControlKind::GroupBox:
    case ControlKind::CheckBox:
    case ControlKind::RadioButton:
      return std::make_unique<CButton>();
    case ControlKind::ListView:
      return std::make_unique<CListCtrl>();
    case ControlKind::TreeView:
      return std::make_unique<CTreeCtrl>();
    case ControlKind::ComboBox:
      return std::make_unique<CComboBox>();
    case ControlKind::Tab:
      return std::make_unique<CTabCtrl>();
    case ControlKind::Progress:
      return std::make_unique<CProgressCtrl>();
    case ControlKind::ScrollBar:
      return std::make_unique<CScrollBar>();
    default:
      return std::make_unique<CWnd>();
  }
}
QRect DluRect(const res::ControlTemplate& c, const DluMetrics& dlu) {
  return QRect(dlu.X(c.x), dlu.Y(c.y), dlu.X(c.cx), dlu.Y(c.cy));
}

// A label of one line that its text does not fit. The template's units
// follow the platform's (the average width of the letters and the font's
// height), but a label sized too tightly for its full-width characters would
// wrap its last characters into a line it cannot show.
bool IsClippedLabel(const QWidget* w, const res::ControlTemplate& c) {
  if (c.kind != ControlKind::Static || !c.text || !*c.text) return false;
  if (c.style & (res::CS_RIGHT | res::CS_CENTER | res::CS_BORDER | res::CS_SUNKEN | res::CS_CLIENTEDGE)) return false;
  const QString text = ToQ(c.text);
  if (text.contains(QLatin1Char('\n')) || text.contains(QLatin1Char('\r'))) return false;
  const QFontMetrics fm = w->fontMetrics();
  return w->height() < 2 * fm.height() && fm.horizontalAdvance(text) > w->width();
}

// Such a label reaches right as far as its text needs: up to the next control
// on its line, the frame around it or the dialog's edge, never over them.
void WidenClippedLabel(QWidget* w, size_t index, const res::DialogTemplateData& data, const DluMetrics& dlu) {
  const QRect label = DluRect(data.controls[index], dlu);
  const int gap = dlu.X(1);
  int limit = dlu.X(data.cx);
  for (size_t j = 0; j < data.controls.size(); ++j) {
    if (j == index) continue;
    const res::ControlTemplate& other = data.controls[j];
    const QRect r = DluRect(other, dlu);
    if (other.kind == ControlKind::GroupBox) {
      if (r.contains(label.topLeft())) limit = std::min(limit, r.right() - gap);
      continue;
    }
    if (r.top() <= label.bottom() && r.bottom() >= label.top() && r.left() > label.left()) {
      limit = std::min(limit, r.left() - gap);
    }
  }
  const int need = w->fontMetrics().horizontalAdvance(ToQ(data.controls[index].text));
  const int width = std::min(need, limit - label.left());
  if (width > w->width()) w->resize(width, w->height());
}
}  // namespace

QObject* RadioGroupOf(const QWidget* control) {
  return control ? control->property(kRadioGroupProperty).value<QObject*>() : nullptr;
}

void CreateDialogControls(CWnd* dialog, const res::DialogTemplateData& data, const DluMetrics& dlu) {
  QWidget* parent = dialog->GetWidget();
  if (!parent) return;
  QButtonGroup* radios = nullptr;
  std::vector<QWidget*> made;
  for (const res::ControlTemplate& c : data.controls) {
    const Notifier n{dialog->m_hWnd, c.id};
    QWidget* w = MakeControl(parent, c, dlu, n, radios);
    // A group of radio buttons ends at the next control that is not a radio
    // button; frames and labels between its buttons do not end it.
    if (c.kind != ControlKind::RadioButton && c.kind != ControlKind::GroupBox && c.kind != ControlKind::Static) {
      radios = nullptr;
    }
    if (auto* b = qobject_cast<QAbstractButton*>(w)) {
      QObject::connect(b, &QAbstractButton::clicked, b, [n] { n.Command(BN_CLICKED); });
    }
    ApplyTemplateStyle(w, c, dlu);
    made.push_back(w);
    std::unique_ptr<CWnd> wrapper = WrapperFor(c.kind);
    wrapper->Attach(w, c.id, false);
    if (const UINT message = ui_detail::CtlColorMessage(c.kind)) {
      ui_detail::AskColoursBeforePaint(w, dialog->m_hWnd, message);
    }
    dialog->AdoptChild(std::move(wrapper));
  }
  for (size_t i = 0; i < made.size(); ++i) {
    if (IsClippedLabel(made[i], data.controls[i])) WidenClippedLabel(made[i], i, data, dlu);
  }
}

uint64_t TemplateStyleOf(const QWidget* widget) {
  if (!widget) return 0;
  const QVariant v = widget->property(kStyleProperty);
  return v.isValid() ? static_cast<uint64_t>(v.toULongLong()) : 0;
}
