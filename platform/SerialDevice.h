#pragma once
// A serial device over termios, offering what the serial port above it is
// written against (the Windows serial services): exclusive open of
// "\\.\NAME", queue sizes and capabilities, a device-control block (DCB) of
// our own with the fields the port sets, read/write time-outs, purge, bytes
// waiting, and reads that end on the first byte or at the read time-out.
// Works on real ttys, USB adapters and pseudo-terminals.
//
// Time-outs here are real milliseconds: they belong to the device, not to the
// logger protocol, and are never scaled.

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <string>

namespace platform {

// Device-control block: the fields of the Windows DCB that the port sets.
struct DCB {
  uint32_t DCBlength = 0;
  uint32_t BaudRate = 0;
  uint32_t fBinary : 1 = 0;
  uint32_t fParity : 1 = 0;
  uint32_t fOutxCtsFlow : 1 = 0;
  uint32_t fOutxDsrFlow : 1 = 0;
  uint32_t fDtrControl : 2 = 0;
  uint32_t fDsrSensitivity : 1 = 0;
  uint32_t fTXContinueOnXoff : 1 = 0;
  uint32_t fOutX : 1 = 0;
  uint32_t fInX : 1 = 0;
  uint32_t fErrorChar : 1 = 0;
  uint32_t fNull : 1 = 0;
  uint32_t fRtsControl : 2 = 0;
  uint32_t fAbortOnError : 1 = 0;
  uint16_t XonLim = 0;
  uint16_t XoffLim = 0;
  uint8_t ByteSize = 0;
  uint8_t Parity = 0;
  uint8_t StopBits = 0;
  char XonChar = 0;
  char XoffChar = 0;
  char ErrorChar = 0;
  char EofChar = 0;
  char EvtChar = 0;
};

enum : uint8_t { NOPARITY = 0, ODDPARITY = 1, EVENPARITY = 2, MARKPARITY = 3, SPACEPARITY = 4 };
enum : uint8_t { ONESTOPBIT = 0, ONE5STOPBITS = 1, TWOSTOPBITS = 2 };
enum : uint32_t { DTR_CONTROL_DISABLE = 0, DTR_CONTROL_ENABLE = 1, DTR_CONTROL_HANDSHAKE = 2 };
enum : uint32_t { RTS_CONTROL_DISABLE = 0, RTS_CONTROL_ENABLE = 1, RTS_CONTROL_HANDSHAKE = 2, RTS_CONTROL_TOGGLE = 3 };

constexpr uint32_t MAXDWORD = 0xFFFFFFFFu;

struct COMMTIMEOUTS {
  uint32_t ReadIntervalTimeout = 0;
  uint32_t ReadTotalTimeoutMultiplier = 0;
  uint32_t ReadTotalTimeoutConstant = 0;
  uint32_t WriteTotalTimeoutMultiplier = 0;
  uint32_t WriteTotalTimeoutConstant = 0;
};

// Capabilities: queue limits (0 = no limit), the highest baud rate as a rate,
// and capability flags.
struct COMMPROP {
  uint32_t dwMaxTxQueue = 0;
  uint32_t dwMaxRxQueue = 0;
  uint32_t dwMaxBaud = 0;
  uint32_t dwProvCapabilities = 0;
};
constexpr uint32_t PCF_PARITY_CHECK = 0x0008;
constexpr uint32_t PCF_TOTALTIMEOUTS = 0x0040;

enum : uint32_t { PURGE_TXABORT = 0x1, PURGE_RXABORT = 0x2, PURGE_TXCLEAR = 0x4, PURGE_RXCLEAR = 0x8 };

// clang-format 14 takes an attributed enum for a braced list and mangles it.
// clang-format off
enum class [[nodiscard]] OpenError { None, NotFound, Busy, Permission, Other };

enum class [[nodiscard]] IoResult {
  Ok,         // at least one byte moved (reads), all bytes (writes)
  Timeout,    // nothing within the time-out (reads), not all bytes in time (writes)
  Cancelled,  // CancelIo woke the call
  Error       // the device failed or vanished (hang-up)
};
// clang-format on

class SerialDevice {
 public:
  SerialDevice();
  ~SerialDevice();
  SerialDevice(const SerialDevice&) = delete;
  SerialDevice& operator=(const SerialDevice&) = delete;

  // "\\.\NAME" means /dev/NAME; "\\.\/abs/path" means /abs/path; any other
  // text is taken as a path as it stands.
  static std::string MapDevicePath(const std::string& name);
  // The name of the group that owns the device ("dialout"), empty when the
  // device or its group cannot be found, when the group may not both read
  // and write it, or when it is root's group: a group worth joining.
  static std::string OwningGroup(const std::string& name);

  // Opens exclusively (TIOCEXCL and a non-blocking flock, so even root cannot
  // open it twice), in raw mode. On failure the reason is kept.
  bool Open(const std::string& name);
  // Wakes a Read or Write still running on another thread (Cancelled) and
  // waits for it to leave before the descriptor is closed.
  void Close();
  bool IsOpen() const { return m_fd >= 0; }
  OpenError LastOpenError() const { return m_openError; }
  int LastErrno() const { return m_errno; }

  bool Setup(uint32_t inQueue, uint32_t outQueue);  // SetupComm
  bool GetProperties(COMMPROP& prop) const;
  bool GetState(DCB& dcb) const;
  bool SetState(const DCB& dcb);  // applies BaudRate, ByteSize, Parity, StopBits and flow control
  bool GetTimeouts(COMMTIMEOUTS& t) const;
  bool SetTimeouts(const COMMTIMEOUTS& t);
  // PURGE_* flags. The abort flags wake a read or write already waiting; they
  // are not kept, since a writer purges just before it writes.
  bool Purge(uint32_t flags);
  // ClearCommError: clears and returns the error flags (always 0: the tty
  // layer reports no line errors per call), and the bytes waiting in the
  // input queue (FIONREAD). Either pointer may be null.
  bool ClearError(uint32_t* errors, uint32_t* bytesWaiting);

  // Reads up to size bytes. Returns as soon as at least one byte is there, or
  // when the read time-out of the time-outs record ends (Timeout, got 0), or
  // when CancelIo is called (Cancelled), or on hang-up or failure (Error).
  // flushes, when given, gets the input-flush count at the moment the bytes
  // were taken off the device (see InputFlushes).
  IoResult Read(void* buffer, uint32_t size, uint32_t& got, uint64_t* flushes = nullptr);
  // How many purges have cleared the input queue since the device was made.
  // Taking bytes and clearing the queue are ordered, so a reader that got its
  // bytes at count n knows they came before every purge counted after n.
  const std::atomic<uint64_t>& InputFlushes() const { return m_inputFlushes; }
  // Writes all bytes within the write time-out of the time-outs record and at
  // most maxWaitMs (kInfinite-like 0xFFFFFFFF: no extra limit).
  IoResult Write(const void* data, uint32_t length, uint32_t& written, uint32_t maxWaitMs);
  // Wakes a Read or Write in progress on another thread (for shutdown). With
  // no Read in progress the cancel is kept for the next Read, so a reader that
  // checked its run flag just before cannot sleep through it.
  void CancelIo();

  // The highest rate the termios layer can set.
  static uint32_t MaxRate();

 private:
  enum Direction { kRead = 0, kWrite = 1 };
  struct Call;  // one Read or Write in progress
  bool BeginCall(Direction dir, Call& call);
  void EndCall(Call& call);
  bool IsAborted(const Call& call, bool& othersWaking);
  void Abort(bool keepForNext);
  void AbortLocked();
  bool FailOpen(OpenError reason, int err);

  std::atomic<int> m_fd{-1};
  // Held around the read that takes bytes and around the flush of the input
  // queue, never while waiting; both are quick calls on a non-blocking
  // descriptor.
  std::mutex m_inputLock;
  std::atomic<uint64_t> m_inputFlushes{0};
  int m_wakePipe[2] = {-1, -1};
  OpenError m_openError = OpenError::None;
  int m_errno = 0;
  COMMTIMEOUTS m_timeouts;
  uint32_t m_errors = 0;

  // Abort bookkeeping, all under m_callLock. Every abort bumps the generation;
  // a call that began under an older one ends Cancelled. The wake pipe holds
  // one byte while such a call is still in progress, and is drained by the
  // last of them, so one abort wakes every waiting call and never a later one.
  mutable std::mutex m_callLock;
  std::condition_variable m_callsEnded;
  uint64_t m_abortGen = 0;
  int m_active[2] = {0, 0};
  int m_staleActive = 0;
  bool m_wakeRaised = false;
  bool m_cancelKept[2] = {false, false};
};

}  // namespace platform
