#include "ui/ReadOnlyEditWidget.h"

#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QKeySequence>
#include <QMenu>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <QTextLayout>
#include <QtMath>
#include <algorithm>

#include "platform/Text.h"
#include "ui/Clipboard.h"
#include "ui/QtText.h"

namespace {
// Space between the frame and the text (pixels).
constexpr int kMargin = 2;

// One line laid out on its own, never wrapped.
struct LineLayout {
  LineLayout(const QString& text, const QFont& font) : layout(text, font) {
    QTextOption option;
    option.setWrapMode(QTextOption::NoWrap);
    layout.setTextOption(option);
    layout.beginLayout();
    line = layout.createLine();
    layout.endLayout();
  }
  int Width() const { return line.isValid() ? qCeil(line.naturalTextWidth()) : 0; }
  QTextLayout layout;
  QTextLine line;
};

// A menu entry named as the text boxes' own menus name it, with its key.
QString MenuText(const char* text, QKeySequence::StandardKey key) {
  return QCoreApplication::translate("QWidgetTextControl", text) + u'\t' +
         QKeySequence(key).toString(QKeySequence::NativeText);
}
}  // namespace

ReadOnlyEditWidget::ReadOnlyEditWidget(QWidget* parent) : QAbstractScrollArea(parent) {
  viewport()->setCursor(Qt::IBeamCursor);
  UpdateScrollBars();
}

void ReadOnlyEditWidget::ShowBytes(std::string_view bytes) {
  std::string().swap(m_owned);
  m_bytes = bytes;
  Index();
}

void ReadOnlyEditWidget::SetText(std::string text) {
  m_owned = std::move(text);
  m_bytes = m_owned;
  Index();
}

void ReadOnlyEditWidget::Index() {
  std::vector<size_t> starts;
  starts.reserve(static_cast<size_t>(std::count(m_bytes.begin(), m_bytes.end(), '\n')) + 1);
  starts.push_back(0);
  size_t longest = 0;
  int longestLine = 0;
  for (size_t end = m_bytes.find('\n'); end != std::string_view::npos; end = m_bytes.find('\n', end + 1)) {
    if (end - starts.back() > longest) {
      longest = end - starts.back();
      longestLine = static_cast<int>(starts.size()) - 1;
    }
    starts.push_back(end + 1);
  }
  if (m_bytes.size() - starts.back() > longest) longestLine = static_cast<int>(starts.size()) - 1;
  m_lineStarts.swap(starts);
  m_longestLine = longestLine;
  m_widestPx = LineLayout(LineText(m_longestLine), font()).Width();
  m_anchor = m_caret = Place{};
  verticalScrollBar()->setValue(0);
  horizontalScrollBar()->setValue(0);
  UpdateScrollBars();
  viewport()->update();
}

QString ReadOnlyEditWidget::LineText(int line) const {
  if (line < 0 || line >= LineCount()) return {};
  const size_t start = m_lineStarts[static_cast<size_t>(line)];
  size_t end = line + 1 < LineCount() ? m_lineStarts[static_cast<size_t>(line) + 1] - 1 : m_bytes.size();
  if (end > start && m_bytes[end - 1] == '\r') --end;
  const std::string_view raw = m_bytes.substr(start, end - start);
  if (platform::IsValidUtf8(raw)) return QString::fromUtf8(raw.data(), static_cast<qsizetype>(raw.size()));
  return ToQ(platform::ToValidUtf8(raw));
}

int ReadOnlyEditWidget::LineHeight() const { return std::max(1, fontMetrics().lineSpacing()); }

int ReadOnlyEditWidget::VisibleLines() const { return std::max(1, (viewport()->height() - kMargin) / LineHeight()); }

int ReadOnlyEditWidget::FirstVisibleLine() const { return verticalScrollBar()->value(); }

int ReadOnlyEditWidget::TextLeft() const { return kMargin - horizontalScrollBar()->value(); }

void ReadOnlyEditWidget::UpdateScrollBars() {
  const int visible = VisibleLines();
  QScrollBar* v = verticalScrollBar();
  v->setRange(0, std::max(0, LineCount() - visible));
  v->setPageStep(visible);
  v->setSingleStep(1);
  const int width = viewport()->width();
  QScrollBar* h = horizontalScrollBar();
  h->setRange(0, std::max(0, m_widestPx + 2 * kMargin - width));
  h->setPageStep(std::max(1, width));
  h->setSingleStep(std::max(1, fontMetrics().averageCharWidth()));
}

void ReadOnlyEditWidget::paintEvent(QPaintEvent* e) {
  QPainter p(viewport());
  p.setPen(palette().color(QPalette::Text));
  const auto [from, to] = std::minmax(m_anchor, m_caret);
  QTextLayout::FormatRange selected;
  selected.format.setBackground(palette().brush(QPalette::Highlight));
  selected.format.setForeground(palette().brush(QPalette::HighlightedText));
  const int h = LineHeight();
  int widest = m_widestPx;
  for (int i = FirstVisibleLine(), y = kMargin; i < LineCount() && y <= e->rect().bottom(); ++i, y += h) {
    if (y + h <= e->rect().top()) continue;
    LineLayout l(LineText(i), font());
    QList<QTextLayout::FormatRange> ranges;
    if (from != to && i >= from.line && i <= to.line) {
      selected.start = i == from.line ? from.col : 0;
      selected.length = (i == to.line ? to.col : static_cast<int>(l.layout.text().size())) - selected.start;
      if (selected.length > 0) ranges.append(selected);
    }
    l.layout.draw(&p, QPointF(TextLeft(), y), ranges);
    widest = std::max(widest, l.Width());
  }
  // A line wider than any measured before widens the scroll range, once
  // this paint is over.
  if (widest > m_widestPx) {
    m_widestPx = widest;
    QMetaObject::invokeMethod(
        this, [this] { UpdateScrollBars(); }, Qt::QueuedConnection);
  }
}

void ReadOnlyEditWidget::resizeEvent(QResizeEvent* e) {
  QAbstractScrollArea::resizeEvent(e);
  UpdateScrollBars();
}

void ReadOnlyEditWidget::changeEvent(QEvent* e) {
  QAbstractScrollArea::changeEvent(e);
  if (e->type() == QEvent::FontChange) {
    m_widestPx = LineLayout(LineText(m_longestLine), font()).Width();
    UpdateScrollBars();
  }
}

void ReadOnlyEditWidget::keyPressEvent(QKeyEvent* e) {
  if (e->matches(QKeySequence::SelectAll)) {
    SelectAll();
  } else if (e->matches(QKeySequence::Copy)) {
    Copy();
  } else if (e->key() == Qt::Key_Home || e->key() == Qt::Key_End) {
    const auto action = e->key() == Qt::Key_Home ? QAbstractSlider::SliderToMinimum : QAbstractSlider::SliderToMaximum;
    verticalScrollBar()->triggerAction(action);
    horizontalScrollBar()->triggerAction(QAbstractSlider::SliderToMinimum);
  } else {
    QAbstractScrollArea::keyPressEvent(e);  // arrows and pages; the rest goes to the dialog
    return;
  }
  e->accept();
}

ReadOnlyEditWidget::Place ReadOnlyEditWidget::PlaceAt(QPoint point) const {
  const int h = LineHeight();
  const int dy = point.y() - kMargin;
  const int row = dy < 0 ? (dy - h + 1) / h : dy / h;
  const int line = std::clamp(FirstVisibleLine() + row, 0, LineCount() - 1);
  const LineLayout l(LineText(line), font());
  return {line, l.line.isValid() ? l.line.xToCursor(point.x() - TextLeft()) : 0};
}

void ReadOnlyEditWidget::Select(Place anchor, Place caret) {
  m_anchor = anchor;
  m_caret = caret;
  viewport()->update();
}

void ReadOnlyEditWidget::mousePressEvent(QMouseEvent* e) {
  if (e->button() != Qt::LeftButton) {
    QAbstractScrollArea::mousePressEvent(e);
    return;
  }
  const Place at = PlaceAt(e->position().toPoint());
  Select((e->modifiers() & Qt::ShiftModifier) ? m_anchor : at, at);
  m_bDragging = true;
}

void ReadOnlyEditWidget::mouseMoveEvent(QMouseEvent* e) {
  if (!m_bDragging) return;
  const QPoint point = e->position().toPoint();
  // Dragged past the top or the bottom, the text scrolls toward the pointer.
  if (point.y() < 0) {
    verticalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepSub);
  } else if (point.y() >= viewport()->height()) {
    verticalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
  }
  Select(m_anchor, PlaceAt(point));
}

void ReadOnlyEditWidget::mouseReleaseEvent(QMouseEvent* e) {
  if (e->button() == Qt::LeftButton) m_bDragging = false;
}

void ReadOnlyEditWidget::SelectAll() {
  const int last = LineCount() - 1;
  Select({0, 0}, {last, static_cast<int>(LineText(last).size())});
}

QString ReadOnlyEditWidget::SelectedText() const {
  const auto [from, to] = std::minmax(m_anchor, m_caret);
  QString out;
  for (int i = from.line; i <= to.line && from != to; ++i) {
    const QString text = LineText(i);
    const int start = i == from.line ? from.col : 0;
    const int end = i == to.line ? to.col : static_cast<int>(text.size());
    out += text.mid(start, end - start);
    if (i < to.line) out += u'\n';
  }
  return out;
}

void ReadOnlyEditWidget::Copy() const {
  const QString text = SelectedText();
  if (!text.isEmpty()) SetClipboardText(FromQ(text));
}

void ReadOnlyEditWidget::contextMenuEvent(QContextMenuEvent* e) {
  auto* menu = new QMenu(this);
  menu->setAttribute(Qt::WA_DeleteOnClose);
  QAction* copy = menu->addAction(MenuText("&Copy", QKeySequence::Copy));
  copy->setEnabled(m_anchor != m_caret);
  connect(copy, &QAction::triggered, this, [this] { Copy(); });
  menu->addSeparator();
  connect(menu->addAction(MenuText("Select All", QKeySequence::SelectAll)), &QAction::triggered, this,
          [this] { SelectAll(); });
  menu->popup(e->globalPos());
}
