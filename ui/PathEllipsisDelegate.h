#pragma once
// Draws the cells of a list with texts that are too long shortened as paths
// are: the middle goes, the start and the last name stay as far as they fit.

#include <QStyledItemDelegate>

class QFontMetrics;

class PathEllipsisDelegate : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;

  // The text as it fits `width` pixels: whole when it fits; else the start of
  // its folder part, an ellipsis and the whole last name ("/work/…/port0");
  // else the start and the end of the last name ("po…0").
  static QString Elide(const QString& text, const QFontMetrics& fm, int width);

  // The size of the whole text, so that a column sized to its contents shows
  // it whole.
  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

 protected:
  void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override;
};
