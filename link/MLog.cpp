#include "link/MLog.h"

namespace {
std::atomic<CMLog*> g_echoLog{nullptr};
}  // namespace

void SetEchoLog(CMLog* log) { g_echoLog.store(log); }

CMLog* GetEchoLog() { return g_echoLog.load(); }

CMLog::CMLog() = default;

CMLog::~CMLog() { m_echoBuffer.Reset(); }

void CMLog::Write(const char* data, int32_t length) { WriteMarked(data, length, CTLogBuffer::kSent); }

void CMLog::WriteReceived(const char* data, int32_t length) { WriteMarked(data, length, CTLogBuffer::kReceived); }

void CMLog::WriteRaw(const char* data, int32_t length) {
  platform::CriticalSectionLock outer(m_csOuter);
  CMLogFile::WriteRaw(data, length);
}

void CMLog::WriteMarked(const char* data, int32_t length, uint16_t mark) {
  {
    platform::CriticalSectionLock outer(m_csOuter);
    if (data && length > 0) m_echoBuffer.Append(data, length, mark);
    CMLogFile::WriteRaw(data, length);
  }
  // Posted after every write, even one of NULs alone: the terminal pulls
  // whatever has gathered, so an extra refresh costs nothing.
  const platform::WindowHandle wnd = m_hNotifyWnd.load();
  if (wnd != 0 && !m_bNotifyHidden.load() && platform::IsWindow(wnd))
    platform::PostCommand(wnd, m_nNotifyCmd.load(), 0);
}
