#pragma once
// The one serial port of the system: opens and configures the device, runs a
// reader thread that feeds the received-line buffer and the traffic log, and
// writes command bytes.
//
// The port's own operations never take the port lock: the protocol layer holds
// it for a whole exchange (command to last reply line).

#include <atomic>
#include <cstdint>
#include <memory>
#include <string>

#include "link/PortOpenResult.h"
#include "link/ReadData.h"
#include "link/ReplySettle.h"
#include "platform/CriticalSection.h"
#include "platform/Event.h"
#include "platform/Hooks.h"
#include "platform/SerialDevice.h"
#include "platform/Thread.h"

class CRSPort {
 public:
  CRSPort();
  virtual ~CRSPort();
  CRSPort(const CRSPort&) = delete;
  CRSPort& operator=(const CRSPort&) = delete;

  PortOpenResult Open(const std::string& name, const platform::DCB& settings);
  int32_t Close();
  // 1 when all bytes went out, else 0. length 0 means up to the NUL;
  // purgeFirst 1 discards everything queued and empties the line buffer first.
  int32_t Write(const char* data, int32_t length, int32_t purgeFirst);
  static uint32_t ReadThreadProc(CRSPort* port);

  // Whether the link is there: the device is open and has not gone (hang-up
  // or I/O error) or begun to close. An exchange finds it false at once.
  bool IsOpen() const { return m_bLinkUp.load() && m_hCom.IsOpen(); }
  // TickCount when the reader last received bytes, stale ones included, and
  // when bytes last went out.
  uint32_t LastReceived() const { return m_nLastRx.load(); }
  uint32_t LastSent() const { return m_nLastTx.load(); }
  // What the exchanges owe the line after a command went unanswered; used
  // under the port lock only.
  CReplySettle& Settle() { return m_settle; }
  // Waits ms (scaled) or until the link goes; true while it is still there.
  bool PauseWhileOpen(uint32_t ms);
  CReadData* GetReadData() { return m_pReadData.get(); }
  platform::CriticalSection& PortLock() { return m_csPort; }
  const std::string& GetName() const { return m_strName; }
  // Why the device itself could not be opened by the last Open (241).
  platform::OpenError LastOpenError() const { return m_hCom.LastOpenError(); }
  const platform::DCB& GetSettings() const { return m_dcb; }
  // The window told, by the command posted to it, when the link goes while
  // the port is open (a hang-up or an I/O error, not a Close); once per
  // link, from whichever thread finds it. 0 / 0 while none listens.
  void SetLinkLostNotify(platform::WindowHandle window, uint32_t command);

 private:
  void ReadLoop();
  // Closes the port again after a rejected set-up and passes the code on.
  PortOpenResult Fail(PortOpenResult code);
  PortOpenResult ConfigureDevice(const platform::DCB& settings);
  void StartReader();
  // The link is gone or going: exchanges waiting for a line end at once and
  // every later one finds the port closed.
  void LinkDown();
  // The device failed under an open port: LinkDown, and the listening window
  // is told.
  void LinkLost();

  platform::SerialDevice m_hCom;
  std::string m_strName;
  platform::DCB m_dcb{};
  std::unique_ptr<CReadData> m_pReadData;
  std::unique_ptr<platform::Thread> m_pThread;
  std::atomic<int32_t> m_nRun{1};  // a plain flag word: the reader polls it without a lock
  std::unique_ptr<platform::Event> m_pWriteEvent;
  platform::CriticalSection m_csPort;
  // Set by Close: the reader's pause after a device failure ends at once.
  platform::Event m_evStop{true, false};
  // Set by the reader once its start-up purge is done; Open waits for it.
  platform::Event m_evReaderUp{true, false};
  std::atomic<bool> m_bLinkUp{false};
  // Set while the link is down, so that pauses between exchanges end with it.
  platform::Event m_evLinkDown{true, true};
  std::atomic<uint32_t> m_nLastRx{0};
  std::atomic<uint32_t> m_nLastTx{0};
  std::atomic<platform::WindowHandle> m_hLostWnd{0};
  std::atomic<uint32_t> m_nLostCmd{0};
  CReplySettle m_settle{*this};
};

// Records bytes of either direction in the traffic log: sent non-zero marks
// them as sent, 0 as received. Nothing happens until a log is set.
void EchoToTerminal(const char* data, int32_t length, int32_t sent);
