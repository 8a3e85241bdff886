#pragma once
// The Qt side of a read-only text box for texts of any length (a full
// logger memory is 100,000 lines). It keeps where each line starts in the
// text's bytes and lays out only the lines in sight as it paints: showing a
// text costs one pass over its bytes and a few bytes a line, where a text
// document would hold a copy, a block and a layout for every line.
//
// Lines end in LF or CR LF; bytes that are no UTF-8 show as U+FFFD. The
// mouse selects (Shift extends), Ctrl+A selects all, Ctrl+C and the context
// menu copy; the arrow and page keys scroll, Home and End go to either end.

#include <QAbstractScrollArea>
#include <QString>
#include <compare>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

class ReadOnlyEditWidget : public QAbstractScrollArea {
 public:
  explicit ReadOnlyEditWidget(QWidget* parent);

  // Shows bytes that the caller keeps, unchanged, until it shows others: no
  // copy is made, however long they are.
  void ShowBytes(std::string_view bytes);
  // Shows a copy of the text.
  void SetText(std::string text);
  std::string_view Bytes() const { return m_bytes; }

  int LineCount() const { return static_cast<int>(m_lineStarts.size()); }
  // A line as shown: without its line end, ill-formed bytes as U+FFFD.
  QString LineText(int line) const;
  int FirstVisibleLine() const;
  // The selected text, its lines joined by LF; empty when none.
  QString SelectedText() const;
  void SelectAll();
  // The selection to the clipboard; nothing without one.
  void Copy() const;

 protected:
  void paintEvent(QPaintEvent* e) override;
  void resizeEvent(QResizeEvent* e) override;
  void changeEvent(QEvent* e) override;
  void keyPressEvent(QKeyEvent* e) override;
  void mousePressEvent(QMouseEvent* e) override;
  void mouseMoveEvent(QMouseEvent* e) override;
  void mouseReleaseEvent(QMouseEvent* e) override;
  void contextMenuEvent(QContextMenuEvent* e) override;

 private:
  // A place in the text: a line and a UTF-16 position in it as shown.
  struct Place {
    int line = 0;
    int col = 0;
    auto operator<=>(const Place&) const = default;
  };

  void Index();
  void UpdateScrollBars();
  int LineHeight() const;
  int VisibleLines() const;
  // Left of the text in viewport coordinates, as scrolled.
  int TextLeft() const;
  Place PlaceAt(QPoint viewportPoint) const;
  void Select(Place anchor, Place caret);

  std::string m_owned;
  std::string_view m_bytes;
  // Where each line starts in m_bytes; a text has at least one line.
  std::vector<size_t> m_lineStarts{0};
  // The line longest in bytes, and the widest line measured so far in
  // pixels: that line when the text came, and any wider one once painted.
  int m_longestLine = 0;
  int m_widestPx = 0;
  Place m_anchor;
  Place m_caret;
  bool m_bDragging = false;
};
