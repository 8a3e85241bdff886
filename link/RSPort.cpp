#include "link/RSPort.h"

#include <cstring>
#include <new>

#include "link/MLog.h"
#include "platform/Hooks.h"
#include "platform/Time.h"

namespace {
constexpr uint32_t kChunk = 4096;
constexpr uint32_t kInQueue = 4096;
constexpr uint32_t kOutQueue = 256;
constexpr uint32_t kPurgeAll =
    platform::PURGE_TXABORT | platform::PURGE_RXABORT | platform::PURGE_TXCLEAR | platform::PURGE_RXCLEAR;
constexpr uint32_t kWriteWaitMs = 10000;
constexpr uint32_t kSliceMs = 200;

// The settings that decide whether an open port may stay as it is. Other
// fields (DTR control among them) never force a reopen.
bool SameLineSettings(const platform::DCB& a, const platform::DCB& b) {
  return a.BaudRate == b.BaudRate && a.ByteSize == b.ByteSize && a.StopBits == b.StopBits && a.Parity == b.Parity &&
         a.fDsrSensitivity == b.fDsrSensitivity && a.fOutX == b.fOutX && a.fInX == b.fInX &&
         a.fOutxCtsFlow == b.fOutxCtsFlow && a.fOutxDsrFlow == b.fOutxDsrFlow && a.fRtsControl == b.fRtsControl;
}
}  // namespace

CRSPort::CRSPort() = default;

CRSPort::~CRSPort() {
  Close();
  m_pReadData.reset();
}

PortOpenResult CRSPort::Open(const std::string& name, const platform::DCB& settings) {
  if (IsOpen()) {
    if (name.empty()) return PortOpenResult::kOpened;
    if (name == m_strName && SameLineSettings(settings, m_dcb)) return PortOpenResult::kOpened;
  }
  m_dcb = settings;
  m_strName = name;

  Close();
  m_pWriteEvent.reset(new (std::nothrow) platform::Event(true, false));
  if (!m_pWriteEvent) return PortOpenResult::kCannotCreate;
  if (!m_pReadData) {
    m_pReadData.reset(new (std::nothrow) CReadData());
    if (!m_pReadData) return PortOpenResult::kCannotCreate;
    // A buffer without its storage would lose every answer, and the operator
    // would be told that the logger does not answer. The next open tries
    // again from the start.
    if (m_pReadData->Init() != 1) {
      m_pReadData.reset();
      return PortOpenResult::kCannotCreate;
    }
  }
  if (!m_hCom.Open(name)) return PortOpenResult::kCannotCreate;

  if (const PortOpenResult set = ConfigureDevice(settings); set != PortOpenResult::kOpened) return Fail(set);

  m_hCom.Purge(kPurgeAll);
  m_pReadData->Clear();
  m_pReadData->Shut(false);
  {
    platform::CriticalSectionLock lock(m_csPort);
    m_settle.Reset();
  }
  m_evLinkDown.Reset();
  m_bLinkUp = true;

  StartReader();
  // Gives the logger's side of the line time to settle before the first
  // command.
  platform::Sleep(500);
  return PortOpenResult::kOpened;
}

// Queue sizes, time-outs and the line format, within what the device
// offers.
PortOpenResult CRSPort::ConfigureDevice(const platform::DCB& settings) {
  platform::COMMPROP prop;
  m_hCom.GetProperties(prop);
  uint32_t inQueue = kInQueue;
  uint32_t outQueue = kOutQueue;
  if (prop.dwMaxRxQueue != 0 && prop.dwMaxRxQueue < inQueue) inQueue = prop.dwMaxRxQueue;
  if (prop.dwMaxTxQueue != 0 && prop.dwMaxTxQueue < outQueue) outQueue = prop.dwMaxTxQueue;
  if (!m_hCom.Setup(inQueue, outQueue)) return PortOpenResult::kSetupRejected;
  if (!(prop.dwProvCapabilities & platform::PCF_TOTALTIMEOUTS)) return PortOpenResult::kSetupRejected;

  // A one-byte read waits up to 10 s for its byte, so the reader sleeps in the
  // device until the logger talks and then takes the whole queue at once.
  platform::COMMTIMEOUTS timeouts;
  if (!m_hCom.GetTimeouts(timeouts)) return PortOpenResult::kSetupRejected;
  timeouts.ReadIntervalTimeout = platform::MAXDWORD;
  timeouts.ReadTotalTimeoutMultiplier = 10000;
  timeouts.ReadTotalTimeoutConstant = 10;
  timeouts.WriteTotalTimeoutMultiplier = 3000;
  timeouts.WriteTotalTimeoutConstant = 10;
  if (!m_hCom.SetTimeouts(timeouts)) return PortOpenResult::kSetupRejected;

  // Only the line format is laid onto the port's own state: flow control
  // stays as the port has it.
  platform::DCB state;
  if (!m_hCom.GetState(state)) return PortOpenResult::kStateUnreadable;
  state.BaudRate = settings.BaudRate;
  state.ByteSize = settings.ByteSize;
  state.Parity = settings.Parity;
  state.StopBits = settings.StopBits;
  if (prop.dwMaxBaud != 0 && state.BaudRate > prop.dwMaxBaud) return PortOpenResult::kSetupRejected;
  if (state.Parity == platform::ODDPARITY && !(prop.dwProvCapabilities & platform::PCF_PARITY_CHECK))
    return PortOpenResult::kSetupRejected;
  m_hCom.SetState(state);
  return PortOpenResult::kOpened;
}

// The reader thread of this opening; Close ends it.
void CRSPort::StartReader() {
  if (m_pThread) return;
  m_nRun = 1;
  m_evStop.Reset();
  m_evReaderUp.Reset();
  auto thread = std::make_unique<platform::Thread>();
  if (thread->Create([this] { return ReadThreadProc(this); })) {
    thread->Resume();
    thread->SetPriorityHighest();
    m_pThread = std::move(thread);
    // The reader purges the port as it starts. A logger that answers the
    // first command quickly, or a slow thread start, would otherwise see
    // that reply purged.
    // A wait without a limit ends only when signalled.
    static_cast<void>(m_evReaderUp.Wait(platform::kInfinite));
  }
}

PortOpenResult CRSPort::Fail(PortOpenResult code) {
  Close();
  return code;
}

void CRSPort::LinkDown() {
  m_bLinkUp = false;
  m_evLinkDown.Set();
  if (m_pReadData) m_pReadData->Shut(true);
}

void CRSPort::LinkLost() {
  // Close takes the link down first, so a read it cancels tells no one.
  const bool wasUp = m_bLinkUp.exchange(false);
  LinkDown();
  const platform::WindowHandle window = m_hLostWnd.load();
  if (wasUp && window != 0) platform::PostCommand(window, m_nLostCmd.load(), 0);
}

void CRSPort::SetLinkLostNotify(platform::WindowHandle window, uint32_t command) {
  m_nLostCmd = command;
  m_hLostWnd = window;
}

bool CRSPort::PauseWhileOpen(uint32_t ms) {
  // Whether the pause ended early is what IsOpen tells.
  if (IsOpen()) static_cast<void>(m_evLinkDown.Wait(ms));
  return IsOpen();
}

int32_t CRSPort::Close() {
  // First of all, so that an exchange waiting on another thread ends now
  // instead of at its time-out, holding the port lock meanwhile.
  LinkDown();
  m_nRun = 0;
  m_evStop.Set();
  if (m_pThread) {
    platform::Sleep(500);
    // The reader may sit in a read that waits up to 10 s for a byte; wake it
    // until it has gone, so a wake-up that lands just before it reads again is
    // not lost.
    for (;;) {
      m_hCom.CancelIo();
      if (m_pThread->Join(kSliceMs)) break;
    }
    m_pThread.reset();
  }
  m_pWriteEvent.reset();
  if (m_hCom.IsOpen()) {
    m_hCom.ClearError(nullptr, nullptr);
    m_hCom.Purge(kPurgeAll);
    if (m_pReadData) m_pReadData->Clear();
    m_hCom.Close();
  }
  return 1;
}

int32_t CRSPort::Write(const char* data, int32_t length, int32_t purgeFirst) {
  if (!data) return 0;
  if (length == 0) length = static_cast<int32_t>(std::strlen(data));
  if (length < 0) return 0;
  // Only a purge can take a waiting exchange's reply away. A write without
  // one (the operator's typed line, on the user-interface thread) must not
  // wait for an exchange that may take minutes.
  if (purgeFirst == 1 && m_pReadData) {
    m_pReadData->ReaderLock().Enter();
    m_pReadData->ReaderLock().Leave();
  }
  if (purgeFirst == 1 && IsOpen()) {
    m_hCom.Purge(kPurgeAll);
    if (m_pReadData) m_pReadData->Clear();
  }
  int32_t result = 0;
  if (IsOpen()) {
    uint32_t written = 0;
    const platform::IoResult io = m_hCom.Write(data, static_cast<uint32_t>(length), written, kWriteWaitMs);
    result = (io == platform::IoResult::Ok && written == static_cast<uint32_t>(length)) ? 1 : 0;
    if (written > 0) m_nLastTx = platform::TickCount();
    if (io == platform::IoResult::Error) LinkLost();
  }
  // The device's write waits by itself, so the write event is never signalled
  // and needs no reset here; leaving it alone also keeps a write on a worker
  // safe from a Close on the user-interface thread, which destroys the event.
  platform::PumpMessages();
  return result;
}

uint32_t CRSPort::ReadThreadProc(CRSPort* port) {
  port->ReadLoop();
  return 0;
}

void CRSPort::ReadLoop() {
  if (m_hCom.IsOpen()) {
    m_hCom.Purge(kPurgeAll);
    m_pReadData->Clear();
  }
  m_hCom.ClearError(nullptr, nullptr);
  m_evReaderUp.Set();
  char chunk[kChunk] = {};

  while (m_nRun != 0) {
    uint32_t waiting = 0;
    m_hCom.ClearError(nullptr, &waiting);
    const uint32_t size = waiting == 0 ? 1 : (waiting < kChunk ? waiting : kChunk);
    uint32_t got = 0;
    uint64_t flushes = 0;
    const platform::IoResult io = m_hCom.Read(chunk, size, got, &flushes);
    if (io == platform::IoResult::Ok && got > 0) {
      m_nLastRx = platform::TickCount();
      // Logged before the line buffer can complete a line with them: an
      // exchange that takes that line and sends its next command would
      // otherwise log the command ahead of the reply that let it go.
      EchoToTerminal(chunk, static_cast<int32_t>(got), 0);
      m_pReadData->PutUnlessFlushed(chunk, static_cast<int32_t>(got), m_hCom.InputFlushes(), flushes);
      std::memset(chunk, 0, got);
    } else if (io == platform::IoResult::Error) {
      // Hang-up or I/O error: the device has gone (an adapter pulled). Say so
      // at once rather than let every exchange wait out its time-out. A
      // vanished device answers every call at once; without a pause the
      // reader would spin at full speed until the port is closed.
      LinkLost();
      // Ended early by Close; the loop's run flag says which.
      static_cast<void>(m_evStop.Wait(kSliceMs));
    } else {
      platform::Sleep(0);
    }
  }

  if (m_hCom.IsOpen()) {
    m_hCom.Purge(kPurgeAll);
    m_pReadData->Clear();
  }
}

void EchoToTerminal(const char* data, int32_t length, int32_t sent) {
  CMLog* log = GetEchoLog();
  if (!log) return;
  if (sent)
    log->Write(data, length);
  else
    log->WriteReceived(data, length);
}
