#include "app/LogView.h"

#include <QFontMetrics>
#include <QGlyphRun>
#include <QGuiApplication>
#include <QPainter>
#include <QScreen>
#include <algorithm>
#include <cstdio>
#include <ctime>

#include "res/StringIds.h"
#include "res/StringTable.h"
#include "ui/DC.h"
#include "ui/Fonts.h"
#include "ui/KeyboardHook.h"
#include "ui/MessageService.h"

namespace {

constexpr int kWidestSampleLength = 62;
// Measured only, never shown; the cell width is its average advance.
constexpr const char* kSample = "0123456789abcdefghijklnmopqrstuvwxyzABCDEFGHIJKLNMOPQRSTUVWXYZ";
constexpr int kFontHeight = 20;

QColor TextColour(uint16_t mark) { return mark <= CLogData::kSent ? QColor(255, 255, 255) : QColor(255, 255, 0); }

QColor BackColour(uint16_t mark) {
  if (mark == CLogData::kReceived) return QColor(0, 0, 100);
  if (mark == CLogData::kSent) return QColor(100, 0, 0);
  return QColor(0, 100, 0);
}

// Control characters have no glyph in the font; they keep a cell of their own.
bool IsBlankCell(uint8_t ch) { return ch < 0x20 || ch == 0x7F; }

}  // namespace

CLogView::CLogView() {
  // Allocated here as well as on creation, so that the text handling works
  // before (and without) a window.
  m_lines.Resize(kDisplayLines);
  m_history.Resize(kHistoryLines);
}

CLogView::~CLogView() = default;

int CLogView::OnCreate(LPCREATESTRUCT cs) {
  if (CView::OnCreate(cs) == -1) return -1;
  m_font = FontForFace("Courier New", 10);
  m_font.setFixedPitch(true);
  m_font.setStyleHint(QFont::TypeWriter);
  m_font.setWeight(QFont::Normal);
  // The font is asked for a 20-pixel cell height, leading included.
  for (int px = kFontHeight; px > 6; --px) {
    m_font.setPixelSize(px);
    if (QFontMetrics(m_font).height() <= kFontHeight) break;
  }
  PrepareGlyphs();
  if (!m_lines.Resize(kDisplayLines) || !m_history.Resize(kHistoryLines)) return -1;
  m_nMaxColumn = 0;
  return 0;
}

void CLogView::OnInitialUpdate() {
  CView::OnInitialUpdate();
  Metrics();
  RestartBlink();
}

void CLogView::RestartBlink() {
  if (m_nTimerId != 0) KillTimer(m_nTimerId);
  m_nBlink = 0;
  m_nTimerId = SetTimer(kBlinkTimer, 100);
}

int CLogView::Metrics() {
  if (!GetWidget()) return 0;
  CRect rc;
  GetClientRect(&rc);
  // The image starts screen-sized and is replaced only when the client area
  // outgrows it, so resizing the window rarely allocates.
  QSize size;
  if (m_bitmap.isNull()) {
    QScreen* screen = QGuiApplication::primaryScreen();
    size = screen ? screen->size() : QSize(rc.Width(), rc.Height());
  } else if (rc.Height() > m_rcBitmap.Height() || rc.Width() > m_rcBitmap.Width()) {
    size = QSize(rc.Width(), rc.Height());
  }
  if (size.isValid() && !size.isEmpty()) {
    QImage image(size, QImage::Format_RGB32);
    if (image.isNull()) {
      ShowMessageBox(nullptr, "Error 002", nullptr, MB_OK);
      return 0;
    }
    m_bitmap = std::move(image);
    m_rcBitmap.SetRect(0, 0, size.width(), size.height());
  }
  QFontMetrics fm(m_font);
  const int width = fm.horizontalAdvance(QString::fromLatin1(kSample));
  m_nCellWidth = std::max(1, width / kWidestSampleLength);
  m_nCellHeight = std::max(1, fm.height());
  m_nVisibleCols = std::max(0, (rc.Width() - kBarThickness) / m_nCellWidth);
  m_nVisibleRows = std::max(0, (rc.Height() - kBarThickness) / m_nCellHeight);
  UpdateBars();
  return 1;
}

void CLogView::OnSize(UINT type, int cx, int cy) {
  CView::OnSize(type, cx, cy);
  LayoutScrollBars(cx, cy);
  Metrics();
}

void CLogView::LayoutScrollBars(int cx, int cy) {
  if (!m_hScroll.GetWidget()) {
    m_hScroll.Create(WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | SBS_HORZ, CRect(0, 0, 0, 0), this, kHScrollId);
    m_hScroll.SetScrollPos(0);
    m_hScroll.SetScrollRange(0, 0);
  }
  if (!m_vScroll.GetWidget()) {
    m_vScroll.Create(WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | SBS_VERT, CRect(0, 0, 0, 0), this, kVScrollId);
    m_vScroll.SetScrollPos(0);
    m_vScroll.SetScrollRange(0, 0);
  }
  m_hScroll.MoveWindow(0, cy - kBarThickness, std::max(0, cx - kBarThickness), kBarThickness);
  m_vScroll.MoveWindow(std::max(0, cx - kBarThickness), 0, kBarThickness, std::max(0, cy - kBarThickness));
  SCROLLINFO si;
  m_hScroll.GetScrollInfo(&si, SIF_ALL);
  m_hScroll.SetScrollInfo(&si, TRUE);
  m_vScroll.GetScrollInfo(&si, SIF_ALL);
  m_vScroll.SetScrollInfo(&si, TRUE);
}

void CLogView::UpdateBar(CScrollBar& bar, int range, int page) {
  SCROLLINFO si;
  bar.GetScrollInfo(&si, SIF_ALL);
  int pos = si.nPos;
  // A bar that follows the end keeps following it as lines arrive.
  if (si.nMax != 0 && range == si.nMax + 1 && pos != 0) ++pos;
  if (si.nMax == range && si.nPage == static_cast<UINT>(page)) return;
  si.fMask = SIF_ALL;
  si.nMin = 0;
  si.nMax = range;
  si.nPage = static_cast<UINT>(page);
  si.nPos = pos < range ? pos : 0;
  bar.SetScrollInfo(&si, TRUE);
}

void CLogView::UpdateBars() {
  UpdateBar(m_hScroll, std::max(m_nMaxColumn + 1, m_nVisibleCols), m_nVisibleCols);
  UpdateBar(m_vScroll, m_lines.GetCount() + 1, m_nVisibleRows);
}

void CLogView::Repaint() {
  if (GetWidget()) Invalidate(FALSE);
}

void CLogView::PushLine(const CLogData& line) { m_lines.Push(line); }

void CLogView::AppendText(const std::vector<uint16_t>& entries) {
  if (entries.empty()) return;
  for (uint16_t entry : entries) {
    m_lineRecv.Add(entry);
    const uint8_t ch = CLogData::Char(entry);
    if (ch == 13) continue;
    if (ch == 10) {
      PushLine(m_lineRecv);
      m_lineRecv.RemoveAll();
      continue;
    }
    m_nMaxColumn = std::max(m_nMaxColumn, m_lineRecv.GetSize());
    if (m_lineRecv.GetSize() >= kMaxLine) {
      PushLine(m_lineRecv);
      m_lineRecv.RemoveAll();
    }
  }
  UpdateBars();
  m_nBlink = 0;
  m_vScroll.SetScrollPos(EndPosition());
  m_hScroll.SetScrollPos(0);
  Repaint();
}

void CLogView::ScrollCaretIntoView() {
  const int column = m_lineRecv.GetSize() + m_nCaret;
  const int h = m_hScroll.GetScrollPos();
  if (column < h || column >= h + m_nVisibleCols) {
    m_hScroll.SetScrollPos(std::max(0, column - m_nVisibleCols + 1));
  }
  Repaint();
}

void CLogView::InputChars(const char* chars, int32_t count) {
  for (int32_t i = 0; i < count; ++i) {
    const auto c = static_cast<uint8_t>(chars[i]);
    const uint16_t entry = CLogData::Entry(c, CLogData::kTyped);
    if (c == 8) {
      if (!m_lineInput.IsEmpty() && m_nCaret > 0) m_lineInput.RemoveAt(--m_nCaret);
    } else if (c == 10) {
      m_lineSend.Copy(m_lineInput);
      m_lineInput.RemoveAll();
      m_nCaret = 0;
      if (!m_lineSend.IsEmpty()) {
        m_history.Push(m_lineSend);
        m_nHistoryIndex = 0;
      }
    } else if (c == 27) {
      // Esc goes out with the line but keeps it out of the history.
      m_lineInput.Add(entry);
      m_lineSend.Copy(m_lineInput);
      m_lineInput.RemoveAll();
      m_nCaret = 0;
    } else if (m_lineInput.GetSize() < kMaxInput) {
      m_lineInput.InsertAt(m_nCaret++, entry);
      m_nMaxColumn = std::max(m_nMaxColumn, m_lineRecv.GetSize() + m_lineInput.GetSize());
      // The bar learns the wider line first, or it would hold the caret's
      // column back when several characters come in one call.
      UpdateBars();
      m_vScroll.SetScrollPos(EndPosition());
      ScrollCaretIntoView();
    }
  }
  UpdateBars();
  m_nBlink = 0;
  Repaint();
}

int32_t CLogView::GetInputLine(std::string& out) const {
  for (int32_t i = 0; i < m_lineSend.GetSize(); ++i) out += static_cast<char>(CLogData::Char(m_lineSend[i]));
  return m_lineSend.GetSize();
}

bool CLogView::DeleteAtCaret() {
  if (m_lineInput.IsEmpty() || m_nCaret < 0 || m_nCaret >= m_lineInput.GetSize()) return false;
  m_lineInput.RemoveAt(m_nCaret);
  m_nBlink = 0;
  Repaint();
  return true;
}

void CLogView::OnCursorKey(int virtualKey) {
  switch (virtualKey) {
    case VK_LEFT:
    case VK_RIGHT:
      if (virtualKey == VK_LEFT && m_nCaret > 0) --m_nCaret;
      if (virtualKey == VK_RIGHT && m_nCaret + 1 <= m_lineInput.GetSize()) ++m_nCaret;
      m_nBlink = 0;
      ScrollCaretIntoView();
      break;
    case VK_UP:
      if (m_history.GetCount() > m_nHistoryIndex) ++m_nHistoryIndex;
      Recall();
      break;
    case VK_DOWN:
      if (m_nHistoryIndex > 1) --m_nHistoryIndex;
      Recall();
      break;
    default:
      break;
  }
}

void CLogView::Recall() {
  const int32_t count = m_history.GetCount();
  if (count == 0) return;
  const int32_t k = std::clamp(m_nHistoryIndex, 1, count);
  m_lineInput.Copy(m_history.At(count - k));
  m_nCaret = m_lineInput.GetSize();
  m_nBlink = 0;
  Repaint();
}

namespace {
// Both bars step alike: a line, a page or to the thumb, within the bar's range
// and never below 0. The codes of both orientations share their values.
int ScrolledPosition(const SCROLLINFO& si, UINT code, UINT pos) {
  int p = si.nPos;
  switch (code) {
    case SB_LINEUP:
      p = std::max(si.nMin, p - 1);
      break;
    case SB_LINEDOWN:
      p = std::min(si.nMax, p + 1);
      break;
    case SB_PAGEUP:
      p = std::max(si.nMin, p - static_cast<int>(si.nPage));
      break;
    case SB_PAGEDOWN:
      p = std::min(si.nMax, p + static_cast<int>(si.nPage));
      break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK:
      p = static_cast<int>(pos);
      break;
    default:
      break;
  }
  return std::max(p, 0);
}
}  // namespace

void CLogView::OnHScroll(UINT code, UINT pos, CScrollBar* bar) {
  (void)bar;
  SCROLLINFO si;
  m_hScroll.GetScrollInfo(&si, SIF_ALL);
  const int p = ScrolledPosition(si, code, pos);
  if (p == si.nPos || p >= m_nMaxColumn) return;
  m_hScroll.SetScrollPos(p);
  Repaint();
}

void CLogView::OnVScroll(UINT code, UINT pos, CScrollBar* bar) {
  (void)bar;
  SCROLLINFO si;
  m_vScroll.GetScrollInfo(&si, SIF_ALL);
  const int p = ScrolledPosition(si, code, pos);
  if (p == si.nPos || p >= EndPosition()) return;
  m_vScroll.SetScrollPos(p);
  Repaint();
}

BOOL CLogView::OnMouseWheel(UINT flags, short delta, CPoint pt) {
  (void)flags;
  (void)pt;
  SCROLLINFO si;
  m_vScroll.GetScrollInfo(&si, SIF_ALL);
  const int step = (GetKeyState(VK_SHIFT) & 0x8000) ? static_cast<int>(si.nPage) : 1;
  int p = delta < 0 ? si.nPos + step : si.nPos - step;
  p = std::clamp(p, si.nMin, std::max(si.nMin, si.nMax));
  if (p != si.nPos) {
    m_vScroll.SetScrollPos(p);
    Repaint();
  }
  return TRUE;
}

void CLogView::OnTimer(UINT_PTR id) {
  (void)id;
  m_nBlink = static_cast<uint8_t>((m_nBlink + 1) % 12);
  if (m_nBlink % 5 == 0) Repaint();
}

void CLogView::EnableCaretBlink(UINT state, CWnd* other, BOOL minimized) {
  (void)other;
  (void)minimized;
  if (!GetWidget()) return;
  if (state != WA_INACTIVE) {
    RestartBlink();
  } else {
    if (m_nTimerId != 0) KillTimer(m_nTimerId);
    m_nTimerId = 0;
  }
  Repaint();
}

void CLogView::OnActivate(UINT state, CWnd* other, BOOL minimized) { EnableCaretBlink(state, other, minimized); }

void CLogView::OnDestroy() {
  if (m_nTimerId != 0) KillTimer(m_nTimerId);
  m_nTimerId = 0;
  CView::OnDestroy();
  m_hScroll.DestroyWindow();
  m_vScroll.DestroyWindow();
  m_bitmap = QImage();
}

void CLogView::SaveLogFile() {
  char name[64];
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  std::strftime(name, sizeof name, "DWL_%Y%m%d_%H%M%S", &local);

  FileDialogRequest request;
  request.open = false;
  request.defaultExt = "log";
  request.fileName = std::string(name) + ".log";
  request.flags = OFN_OVERWRITEPROMPT;
  request.filter = "Log file(*.log)|*.log||";
  request.owner = this;
  const std::optional<std::string> path = GetMessageService().FileDialog(request);
  if (!path) return;

  // Bytes as they passed the line, CR and LF included; the marks stay behind.
  std::FILE* file = std::fopen(path->c_str(), "wb");
  bool ok = file != nullptr;
  std::string bytes;
  for (int32_t i = 0; ok && i < m_lines.GetCount(); ++i) {
    const CLogData& line = m_lines.At(i);
    bytes.clear();
    for (int32_t j = 0; j < line.GetSize(); ++j) bytes += static_cast<char>(CLogData::Char(line[j]));
    if (!bytes.empty() && std::fwrite(bytes.data(), 1, bytes.size(), file) != bytes.size()) ok = false;
  }
  if (file && std::fclose(file) != 0) ok = false;
  // The operator chose a file and expects the text in it: say so when it is not.
  if (!ok) ShowMessageBox(this, res::LoadString(res::kStrFileCreateFailed), nullptr, MB_OK | MB_ICONEXCLAMATION);
}

void CLogView::PrepareGlyphs() {
  m_rawFont = QRawFont::fromFont(m_font);
  m_nAscent = QFontMetrics(m_font).ascent();
  QString all;
  for (int c = 0; c < 256; ++c) all += IsBlankCell(static_cast<uint8_t>(c)) ? QChar(' ') : QChar(c);
  const QList<quint32> glyphs = m_rawFont.glyphIndexesForString(all);
  const QList<QPointF> advances = m_rawFont.advancesForGlyphIndexes(glyphs);
  for (int c = 0; c < 256 && c < glyphs.size(); ++c) {
    m_glyphs[static_cast<size_t>(c)] = glyphs[c];
    m_advances[static_cast<size_t>(c)] = std::max(1, qRound(advances[c].x()));
  }
}

int CLogView::DrawLine(QPainter& p, int x, int y, const CLogData& line, int caret) {
  const int n = line.GetSize();
  // Cells beyond the image are measured but not drawn.
  const int right = m_rcBitmap.Width();
  int caretX = -1;
  int caretW = m_nCellWidth;
  int i = 0;
  while (i < n) {
    const uint16_t mark = CLogData::Mark(line[i]);
    // One run of cells of the same mark: one background, one glyph run.
    m_runGlyphs.clear();
    m_runPositions.clear();
    const int runX = x;
    int j = i;
    for (; j < n && CLogData::Mark(line[j]) == mark; ++j) {
      const uint8_t ch = CLogData::Char(line[j]);
      if (ch == 10 || ch == 13) continue;
      const int advance = m_advances[ch];
      if (j == caret) {
        caretX = x;
        caretW = advance;
      }
      if (x + advance > 0 && x < right) {
        m_runGlyphs.push_back(m_glyphs[ch]);
        m_runPositions.emplace_back(x, 0);
      }
      x += advance;
    }
    if (!m_runGlyphs.empty()) {
      p.fillRect(QRect(runX, y, x - runX, m_nCellHeight), BackColour(mark));
      QGlyphRun glyphs;
      glyphs.setRawFont(m_rawFont);
      glyphs.setGlyphIndexes(QList<quint32>(m_runGlyphs.begin(), m_runGlyphs.end()));
      glyphs.setPositions(QList<QPointF>(m_runPositions.begin(), m_runPositions.end()));
      p.setPen(TextColour(mark));
      p.drawGlyphRun(QPointF(0, y + m_nAscent), glyphs);
    }
    i = j;
  }
  if (caret >= 0 && m_nTimerId != 0) {
    if (caret >= n) caretX = x;
    if (caretX >= 0) {
      const QPainter::CompositionMode old = p.compositionMode();
      p.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
      p.fillRect(QRect(caretX, y, caretW, m_nCellHeight), Qt::white);
      p.setCompositionMode(old);
    }
  }
  return x;
}

void CLogView::Render() {
  if (m_bitmap.isNull()) return;
  CRect rc;
  GetClientRect(&rc);
  QPainter p(&m_bitmap);
  p.fillRect(QRect(0, 0, rc.Width(), rc.Height()), Qt::black);
  const int h = m_hScroll.GetScrollPos();
  const int v = m_vScroll.GetScrollPos();
  const int x0 = -(m_nCellWidth * h);
  const int count = m_lines.GetCount();
  int y = 0;
  int r = 0;
  for (; r < m_nVisibleRows && v + r < count; ++r, y += m_nCellHeight) DrawLine(p, x0, y, m_lines.At(v + r), -1);
  // Below the last line: the unfinished received line (the logger's prompt)
  // with the input line right after it.
  if (v + r == count && r < m_nVisibleRows) {
    const int x = DrawLine(p, x0, y, m_lineRecv, -1);
    DrawLine(p, x, y, m_lineInput, m_nBlink < 5 ? m_nCaret : -1);
  }
}

void CLogView::OnDraw(CDC* dc) {
  QPainter* target = dc->GetPainter();
  Render();
  CRect rc;
  GetClientRect(&rc);
  target->drawImage(QPoint(0, 0), m_bitmap, QRect(0, 0, rc.Width(), rc.Height()));
}
