#pragma once
// The wizard page interface: one modal run of a page with its page flags,
// answered by the page result. The walk (CWizerdList) knows pages only
// through it.

class CWnd;

class CWizerdWorkCore {
 public:
  // Page flags. The low byte is the page's place in its walk, which the
  // walk writes; the bits above it come from whoever made the step.
  static constexpr unsigned kPlaceMask = 0xFF;
  static constexpr unsigned kMiddlePage = 0x00;
  static constexpr unsigned kFirstPage = 0x01;
  static constexpr unsigned kOnlyPage = 0x02;
  static constexpr unsigned kLastPage = 0x04;
  // Next keeps the input in the edited record and sends nothing; the work
  // hooks stand still (a page's own button still runs its work).
  static constexpr unsigned kEditOnly = 0x100;
  // No re-read of the logger's records after the page's work.
  static constexpr unsigned kNoReRead = 0x1000;
  // A running measurement is stopped before the page's work.
  static constexpr unsigned kStopMeasurement = 0x2000;

  // Page results.
  static constexpr int kClosed = -1;  // closed without a choice
  static constexpr int kNext = 0;
  static constexpr int kBack = 1;
  static constexpr int kCancel = 2;
  static constexpr int kSkip = 3;  // on in the direction of the last move

  virtual ~CWizerdWorkCore();
  virtual int RunPage(CWnd* parent, unsigned flags) = 0;
};
