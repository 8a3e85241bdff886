#pragma once
// The traffic log: everything that passes over the serial link, in both
// directions, goes into an echo ring that the terminal pulls and, while the
// operator records, raw into a log file. After every write the terminal is
// asked to refresh.
//
// Lock order in a write: the outer lock, then the ring lock (released), then
// the file lock (released); the refresh is posted after all are released, so
// a writer never waits for the terminal.

#include <atomic>
#include <cstdint>

#include "link/MLogFile.h"
#include "link/TLogBuffer.h"
#include "platform/CriticalSection.h"
#include "platform/Hooks.h"

class CMLog : public CMLogFile {
 public:
  CMLog();
  ~CMLog() override;

  // Sent bytes: echo ring (marked sent), file, refresh.
  void Write(const char* data, int32_t length);
  // Received bytes: the same steps with the received mark.
  void WriteReceived(const char* data, int32_t length);
  // The file append alone, inside the outer lock; no echo, no refresh.
  void WriteRaw(const char* data, int32_t length) override;

  CTLogBuffer m_echoBuffer;

 private:
  void WriteMarked(const char* data, int32_t length, uint16_t mark);

  platform::CriticalSection m_csOuter;

 public:
  // Set by the user-interface thread while writers on other threads read
  // them, hence atomic. 0 / 0 while no terminal listens.
  std::atomic<platform::WindowHandle> m_hNotifyWnd{0};
  std::atomic<uint32_t> m_nNotifyCmd{0};
  // True while the notify window is hidden: a refresh would change nothing
  // on screen and only wake the user-interface thread for every chunk of a
  // download, so none is posted; the window pulls what gathered when it is
  // shown again (the ring keeps far more than it displays).
  std::atomic<bool> m_bNotifyHidden{false};
};

// The log that EchoToTerminal writes into: the application installs its own at
// start-up, tests theirs. Null (the default) makes EchoToTerminal do nothing.
void SetEchoLog(CMLog* log);
CMLog* GetEchoLog();
