#include "ui/PathEllipsisDelegate.h"

#include <QApplication>
#include <QFontMetrics>
#include <QStyle>

namespace {
const QString kEllipsis(QChar(0x2026));
}

QString PathEllipsisDelegate::Elide(const QString& text, const QFontMetrics& fm, int width) {
  if (fm.horizontalAdvance(text) <= width) return text;
  const qsizetype slash = text.lastIndexOf(QLatin1Char('/'));
  if (slash > 0) {
    const QString name = text.mid(slash);
    for (qsizetype keep = slash - 1; keep >= 1; --keep) {
      const QString shortened = text.left(keep) + kEllipsis + name;
      if (fm.horizontalAdvance(shortened) <= width) return shortened;
    }
  }
  // Not even the last name fits: it keeps its start and its end.
  const QString name = slash >= 0 ? text.mid(slash + 1) : text;
  for (qsizetype keep = name.size() - 1; keep >= 1; --keep) {
    const QString shortened = name.left((keep + 1) / 2) + kEllipsis + name.right(keep / 2);
    if (fm.horizontalAdvance(shortened) <= width) return shortened;
  }
  return kEllipsis;
}

QSize PathEllipsisDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const {
  // A size is asked without a cell to fit: nothing is shortened for it.
  QStyleOptionViewItem whole = option;
  QStyledItemDelegate::initStyleOption(&whole, index);
  const QStyle* style = option.widget ? option.widget->style() : QApplication::style();
  return style->sizeFromContents(QStyle::CT_ItemViewItem, &whole, QSize(), option.widget);
}

void PathEllipsisDelegate::initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const {
  QStyledItemDelegate::initStyleOption(option, index);
  if (option->text.isEmpty()) return;
  // The style keeps this margin on both sides of a cell's text.
  const QStyle* style = option->widget ? option->widget->style() : QApplication::style();
  const int margin = style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, option->widget) + 1;
  int room = option->rect.width() - 2 * margin;
  if (option->features & QStyleOptionViewItem::HasDecoration) room -= option->decorationSize.width() + margin;
  option->text = Elide(option->text, option->fontMetrics, room);
}
