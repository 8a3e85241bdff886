// The Data-recording page's works, on the runner's worker thread: they touch
// no window but the progress window, and that only by posting.
#include "app/DlgMainRecodeData.h"
#include "app/DlgWorking.h"
#include "app/Kestrix2CommApp.h"
#include "link/DownloadProgress.h"
#include "platform/Thread.h"

namespace {

// The download's view of the page's run: the abort button's escape event,
// the owner's stop, and the progress window's counts.
class PageDownload final : public CDownloadProgress {
 public:
  explicit PageDownload(CDlgMainRecodeData& page) : m_page(page) {}

  bool AbortPressed() override {
    platform::Event* escape = m_page.m_escapeEvent.m_hEvent;
    if (escape == nullptr || escape->Wait(0) != platform::WaitResult::Signaled) return false;
    escape->Reset();
    return true;
  }
  bool Stopping() override {
    return (m_page.m_hStopEvent && m_page.m_hStopEvent->Wait(0) == platform::WaitResult::Signaled) ||
           platform::Thread::CurrentAbandoned();
  }
  void ShowTotal(int32_t count) override { m_page.PostWorkingCommand(CDlgWorking::kSetTotal, count); }
  void ShowCount(int32_t lines) override { m_page.PostWorkingCommand(CDlgWorking::kSetCount, lines); }

 private:
  CDlgMainRecodeData& m_page;
};

}  // namespace

WorkResult CDlgMainRecodeData::ThreadWork() {
  switch (m_nMode) {
    case kModeRecords:
      return ReadRecords();
    case kModeErrorLog:
      return ReadErrorLog();
    case kModeClear:
      return ClearData();
    default:
      return WorkResult::kDone;
  }
}

WorkResult CDlgMainRecodeData::ReadRecords() {
  PageDownload progress(*this);
  return WorkResultOf(theApp.m_device.ReadRecords(m_nStartId, m_nCount, m_strData, progress));
}

WorkResult CDlgMainRecodeData::ReadErrorLog() { return WorkResultOf(theApp.m_device.ReadErrorLog(m_strData)); }

WorkResult CDlgMainRecodeData::ClearData() { return WorkResultOf(theApp.m_device.ClearData()); }
