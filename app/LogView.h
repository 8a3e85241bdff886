#pragma once
// The screen of the terminal: the serial traffic as coloured character cells
// in a fixed-pitch font (received, sent and typed text each in their own
// colours), the last 1500 lines, a one-line input editor with a blinking
// block caret after the unfinished received line (the logger's prompt), a
// history of the last 50 entered lines, two scroll bars of its own, and
// saving the kept lines byte for byte.
//
// Everything but painting works without a window, so the text handling can
// be driven directly.

#include <QFont>
#include <QImage>
#include <QPointF>
#include <QRawFont>
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "app/LogData.h"
#include "app/RingLogBuffer.h"
#include "ui/Rect.h"
#include "ui/ScrollBar.h"
#include "ui/View.h"

class QPainter;

class CLogView : public CView {
 public:
  static constexpr int32_t kDisplayLines = 1500;
  static constexpr int32_t kHistoryLines = 50;
  static constexpr int32_t kMaxInput = 255;
  // A received run without line feed is cut after this many characters.
  static constexpr int32_t kMaxLine = 2001;
  static constexpr UINT kBlinkTimer = 52;
  static constexpr int kBarThickness = 15;
  static constexpr UINT kHScrollId = 129;
  static constexpr UINT kVScrollId = 130;

  CLogView();
  ~CLogView() override;

  // Called by the terminal dialog.
  void InputChars(const char* chars, int32_t count);
  int32_t GetInputLine(std::string& out) const;
  void AppendText(const std::vector<uint16_t>& entries);
  void OnCursorKey(int virtualKey);
  void SaveLogFile();
  void EnableCaretBlink(UINT state, CWnd* other, BOOL minimized);
  BOOL OnMouseWheel(UINT flags, short delta, CPoint pt) override;
  void OnInitialUpdate() override;
  // Delete: removes the character under the caret; false when there is none.
  bool DeleteAtCaret();

  CScrollBar& VScroll() { return m_vScroll; }
  CScrollBar& HScroll() { return m_hScroll; }

  // State for the dialog and for tests.
  const CRingLogBuffer& Lines() const { return m_lines; }
  const CRingLogBuffer& History() const { return m_history; }
  const CLogData& UnfinishedLine() const { return m_lineRecv; }
  const CLogData& InputLine() const { return m_lineInput; }
  int32_t Caret() const { return m_nCaret; }
  int32_t WidestColumn() const { return m_nMaxColumn; }
  bool CaretShown() const { return m_nTimerId != 0 && m_nBlink < 5; }
  int32_t VisibleRows() const { return m_nVisibleRows; }
  int32_t VisibleColumns() const { return m_nVisibleCols; }
  int32_t CellWidth() const { return m_nCellWidth; }
  int32_t CellHeight() const { return m_nCellHeight; }
  // Draws the client area into the memory image (what a paint copies out).
  void Render();
  const QImage& Bitmap() const { return m_bitmap; }

 protected:
  int OnCreate(LPCREATESTRUCT cs) override;
  void OnDraw(CDC* dc) override;
  void OnSize(UINT type, int cx, int cy) override;
  void OnHScroll(UINT code, UINT pos, CScrollBar* bar) override;
  void OnVScroll(UINT code, UINT pos, CScrollBar* bar) override;
  void OnTimer(UINT_PTR id) override;
  void OnActivate(UINT state, CWnd* other, BOOL minimized) override;
  void OnDestroy() override;

 private:
  int Metrics();
  void LayoutScrollBars(int cx, int cy);
  void UpdateBar(CScrollBar& bar, int range, int page);
  void UpdateBars();
  void PushLine(const CLogData& line);
  void ScrollCaretIntoView();
  void Recall();
  void RestartBlink();
  void Repaint();
  void PrepareGlyphs();
  int DrawLine(QPainter& p, int x, int y, const CLogData& line, int caret);
  // The vertical position that shows the newest lines and the prompt.
  int EndPosition() const { return m_lines.GetCount() + 1; }

  CScrollBar m_hScroll;
  CScrollBar m_vScroll;
  // The memory image stands for the memory context and its bitmap: a paint
  // draws into it and copies it out in one go.
  QImage m_bitmap;
  QFont m_font;
  // The glyph and advance of every byte value in the display font: lines are
  // drawn as glyph runs, so a paint shapes no text.
  QRawFont m_rawFont;
  std::array<quint32, 256> m_glyphs{};
  std::array<int, 256> m_advances{};
  int m_nAscent = 0;
  std::vector<quint32> m_runGlyphs;
  std::vector<QPointF> m_runPositions;
  int32_t m_nCellWidth = 8;
  int32_t m_nCellHeight = 16;
  int32_t m_nVisibleCols = 0;
  int32_t m_nVisibleRows = 0;
  CRect m_rcBitmap;
  int32_t m_nMaxColumn = 0;
  CRingLogBuffer m_lines;
  CLogData m_lineRecv;
  CLogData m_lineInput;
  CLogData m_lineSend;
  int32_t m_nCaret = 0;
  UINT_PTR m_nTimerId = 0;
  uint8_t m_nBlink = 0;
  CRingLogBuffer m_history;
  int32_t m_nHistoryIndex = 0;
};
