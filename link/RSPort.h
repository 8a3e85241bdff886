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
#include "platform/CriticalSection.h"
#include "platform/Event.h"
#include "platform/SerialDevice.h"
#include "platform/Thread.h"

class CRSPort {
 public:
  CRSPort();
  virtual ~CRSPort();
  CRSPort(const CRSPort&) = delete;
  CRSPort& operator=(const CRSPort&) = delete;

  // A PortOpenResult.
  int32_t Open(const std::string& name, const platform::DCB& settings);
  int32_t Close();
  // 1 when all bytes went out, else 0. length 0 means up to the NUL;
  // purgeFirst 1 discards everything queued and empties the line buffer first.
  int32_t Write(const char* data, int32_t length, int32_t purgeFirst);
  static uint32_t ReadThreadProc(CRSPort* port);

  // Whether the device is open; the link counts as there exactly while it is.
  bool IsOpen() const { return m_hCom.IsOpen(); }
  CReadData* GetReadData() { return m_pReadData.get(); }
  platform::CriticalSection& PortLock() { return m_csPort; }
  const std::string& GetName() const { return m_strName; }
  // Why the device itself could not be opened by the last Open (241).
  platform::OpenError LastOpenError() const { return m_hCom.LastOpenError(); }
  const platform::DCB& GetSettings() const { return m_dcb; }

 private:
  void ReadLoop();
  // Closes the port again after a rejected set-up and passes the code on.
  int32_t Fail(int32_t code);

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
};

// Records bytes of either direction in the traffic log: sent non-zero marks
// them as sent, 0 as received. Nothing happens until a log is set.
void EchoToTerminal(const char* data, int32_t length, int32_t sent);
