#include "platform/SerialDevice.h"

#include <fcntl.h>
#include <grp.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <vector>

#include "platform/TermiosDcb.h"
#include "platform/Time.h"

namespace platform {
namespace {

// Modem-line ioctls are refused by pseudo-terminals and some adapters; the
// line then simply stays as the driver has it.
void SetModemLine(int fd, int bit, bool on) { ::ioctl(fd, on ? TIOCMBIS : TIOCMBIC, &bit); }

using Clock = std::chrono::steady_clock;

// Total time-out of a call in ms; kInfinite for none.
uint32_t TotalTimeout(uint32_t multiplier, uint32_t constant, uint32_t length) {
  if (multiplier == 0 && constant == 0) return kInfinite;
  const uint64_t total = static_cast<uint64_t>(multiplier) * length + constant;
  return total >= kInfinite ? kInfinite - 1 : static_cast<uint32_t>(total);
}

// Milliseconds left until the deadline, for poll (-1: wait without limit).
int PollMs(bool limited, Clock::time_point deadline) {
  if (!limited) return -1;
  const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now()).count();
  return left <= 0 ? 0 : static_cast<int>(std::min<int64_t>(left, 1 << 30));
}

void CloseFd(int& fd) {
  if (fd >= 0) ::close(fd);
  fd = -1;
}

}  // namespace

struct SerialDevice::Call {
  Direction dir;
  uint64_t gen = 0;
  int fd = -1;
  COMMTIMEOUTS timeouts;
};

SerialDevice::SerialDevice() = default;

SerialDevice::~SerialDevice() { Close(); }

std::string SerialDevice::MapDevicePath(const std::string& name) {
  static const std::string kPrefix = "\\\\.\\";
  if (name.compare(0, kPrefix.size(), kPrefix) != 0) return name;
  const std::string rest = name.substr(kPrefix.size());
  if (!rest.empty() && rest[0] == '/') return rest;
  return "/dev/" + rest;
}

std::string SerialDevice::OwningGroup(const std::string& name) {
  struct stat st {};
  if (::stat(MapDevicePath(name).c_str(), &st) != 0) return {};
  // Joining the group only helps where the group may read and write the
  // device, and nobody should join root's group for a serial port.
  if ((st.st_mode & (S_IRGRP | S_IWGRP)) != (S_IRGRP | S_IWGRP) || st.st_gid == 0) return {};
  std::vector<char> buffer(16384);
  group entry{};
  group* found = nullptr;
  if (::getgrgid_r(st.st_gid, &entry, buffer.data(), buffer.size(), &found) != 0 || !found) return {};
  return found->gr_name ? std::string(found->gr_name) : std::string();
}

uint32_t SerialDevice::MaxRate() { return HighestStandardRate(); }

bool SerialDevice::FailOpen(OpenError reason, int err) {
  m_openError = reason;
  m_errno = err;
  return false;
}

bool SerialDevice::Open(const std::string& name) {
  Close();
  m_openError = OpenError::None;
  m_errno = 0;
  const std::string path = MapDevicePath(name);
  const int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) {
    const int err = errno;
    switch (err) {
      case ENOENT:
      case ENODEV:
      case ENXIO:
      case ENOTDIR:
        return FailOpen(OpenError::NotFound, err);
      case EBUSY:
        return FailOpen(OpenError::Busy, err);
      case EACCES:
      case EPERM:
        return FailOpen(OpenError::Permission, err);
      default:
        return FailOpen(OpenError::Other, err);
    }
  }
  int localFd = fd;
  auto fail = [&](OpenError reason, int err) {
    CloseFd(localFd);
    return FailOpen(reason, err);
  };
  // TIOCEXCL alone does not stop a privileged process; the flock does.
  if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
    const int err = errno;
    return fail(err == EWOULDBLOCK ? OpenError::Busy : OpenError::Other, err);
  }
  termios tio{};
  if (::tcgetattr(fd, &tio) != 0) return fail(OpenError::Other, errno);
  if (::ioctl(fd, TIOCEXCL) != 0) return fail(OpenError::Other, errno);
  ::cfmakeraw(&tio);
  tio.c_cflag |= CLOCAL | CREAD;
  tio.c_cc[VMIN] = 1;
  tio.c_cc[VTIME] = 0;
  if (::tcsetattr(fd, TCSANOW, &tio) != 0) {
    const int err = errno;
    ::ioctl(fd, TIOCNXCL);
    return fail(OpenError::Other, err);
  }
  if (::pipe2(m_wakePipe, O_NONBLOCK | O_CLOEXEC) != 0) {
    const int err = errno;
    ::ioctl(fd, TIOCNXCL);
    return fail(OpenError::Other, err);
  }
  {
    std::lock_guard<std::mutex> lock(m_callLock);
    m_timeouts = COMMTIMEOUTS{};
    m_errors = 0;
    m_cancelKept[kRead] = m_cancelKept[kWrite] = false;
    m_wakeRaised = false;
    m_staleActive = 0;
  }
  m_fd = fd;
  return true;
}

void SerialDevice::Close() {
  int fd;
  {
    // A call still in progress on another thread must leave before the
    // descriptor goes, or it could end up polling a reused number.
    std::unique_lock<std::mutex> lock(m_callLock);
    fd = m_fd.exchange(-1);
    if (fd < 0) return;
    AbortLocked();
    m_callsEnded.wait(lock, [this] { return m_active[kRead] == 0 && m_active[kWrite] == 0; });
    m_cancelKept[kRead] = m_cancelKept[kWrite] = false;
    m_wakeRaised = false;
  }
  // The exclusive flag lives on the tty, not on our descriptor: a pseudo-
  // terminal would stay locked against the next open without this.
  ::ioctl(fd, TIOCNXCL);
  CloseFd(fd);
  CloseFd(m_wakePipe[0]);
  CloseFd(m_wakePipe[1]);
}

bool SerialDevice::Setup(uint32_t, uint32_t) { return IsOpen(); }

bool SerialDevice::GetProperties(COMMPROP& prop) const {
  const int fd = m_fd.load();
  if (fd < 0) return false;
  prop = COMMPROP{};
  prop.dwMaxBaud = MaxRate();
  if (::isatty(fd)) prop.dwProvCapabilities = PCF_TOTALTIMEOUTS | PCF_PARITY_CHECK;
  return true;
}

bool SerialDevice::GetState(DCB& dcb) const {
  const int fd = m_fd.load();
  if (fd < 0) return false;
  termios tio{};
  if (::tcgetattr(fd, &tio) != 0) return false;
  TermiosToDcb(tio, dcb);
  int lines = 0;
  const bool haveLines = ::ioctl(fd, TIOCMGET, &lines) == 0;
  dcb.fDtrControl = (!haveLines || (lines & TIOCM_DTR)) ? DTR_CONTROL_ENABLE : DTR_CONTROL_DISABLE;
  if (dcb.fRtsControl != RTS_CONTROL_HANDSHAKE)
    dcb.fRtsControl = (!haveLines || (lines & TIOCM_RTS)) ? RTS_CONTROL_ENABLE : RTS_CONTROL_DISABLE;
  return true;
}

bool SerialDevice::SetState(const DCB& dcb) {
  const int fd = m_fd.load();
  if (fd < 0) return false;
  termios tio{};
  if (::tcgetattr(fd, &tio) != 0) return false;
  if (!DcbToTermios(dcb, tio)) return false;
  if (::tcsetattr(fd, TCSANOW, &tio) != 0) return false;
  if (dcb.fDtrControl != DTR_CONTROL_HANDSHAKE) SetModemLine(fd, TIOCM_DTR, dcb.fDtrControl == DTR_CONTROL_ENABLE);
  if (!(tio.c_cflag & CRTSCTS) && dcb.fRtsControl != RTS_CONTROL_TOGGLE)
    SetModemLine(fd, TIOCM_RTS, dcb.fRtsControl == RTS_CONTROL_ENABLE);
  return true;
}

bool SerialDevice::GetTimeouts(COMMTIMEOUTS& t) const {
  if (!IsOpen()) return false;
  std::lock_guard<std::mutex> lock(m_callLock);
  t = m_timeouts;
  return true;
}

bool SerialDevice::SetTimeouts(const COMMTIMEOUTS& t) {
  if (!IsOpen()) return false;
  std::lock_guard<std::mutex> lock(m_callLock);
  m_timeouts = t;
  return true;
}

bool SerialDevice::Purge(uint32_t flags) {
  const int fd = m_fd.load();
  if (fd < 0) return false;
  if (flags & (PURGE_RXABORT | PURGE_TXABORT)) Abort(false);
  const bool rx = (flags & PURGE_RXCLEAR) != 0;
  const bool tx = (flags & PURGE_TXCLEAR) != 0;
  if (!rx && !tx) return true;
  std::lock_guard<std::mutex> lock(m_inputLock);
  const bool flushed = ::tcflush(fd, rx && tx ? TCIOFLUSH : rx ? TCIFLUSH : TCOFLUSH) == 0;
  if (rx) ++m_inputFlushes;
  return flushed;
}

bool SerialDevice::ClearError(uint32_t* errors, uint32_t* bytesWaiting) {
  const int fd = m_fd.load();
  if (fd < 0) return false;
  int waiting = 0;
  if (::ioctl(fd, FIONREAD, &waiting) != 0) return false;
  {
    std::lock_guard<std::mutex> lock(m_callLock);
    if (errors) *errors = m_errors;
    m_errors = 0;
  }
  if (bytesWaiting) *bytesWaiting = waiting > 0 ? static_cast<uint32_t>(waiting) : 0;
  return true;
}

void SerialDevice::CancelIo() { Abort(true); }

void SerialDevice::AbortLocked() {
  ++m_abortGen;
  m_staleActive = m_active[kRead] + m_active[kWrite];
  if (m_staleActive > 0 && !m_wakeRaised && m_wakePipe[1] >= 0) {
    const char byte = 1;
    m_wakeRaised = ::write(m_wakePipe[1], &byte, 1) == 1;
  }
}

void SerialDevice::Abort(bool keepForNext) {
  std::lock_guard<std::mutex> lock(m_callLock);
  if (m_fd.load() < 0) return;
  AbortLocked();
  if (keepForNext && m_active[kRead] == 0) m_cancelKept[kRead] = true;
}

bool SerialDevice::BeginCall(Direction dir, Call& call) {
  std::lock_guard<std::mutex> lock(m_callLock);
  call.dir = dir;
  call.fd = m_fd.load();
  if (call.fd < 0) return false;
  if (m_cancelKept[dir]) {
    m_cancelKept[dir] = false;
    call.fd = -2;  // ends Cancelled without touching the device
    return false;
  }
  ++m_active[dir];
  call.gen = m_abortGen;
  call.timeouts = m_timeouts;
  return true;
}

void SerialDevice::EndCall(Call& call) {
  std::lock_guard<std::mutex> lock(m_callLock);
  --m_active[call.dir];
  if (call.gen != m_abortGen) --m_staleActive;
  if (m_staleActive <= 0 && m_wakeRaised) {
    char sink[16];
    while (::read(m_wakePipe[0], sink, sizeof sink) > 0) {
    }
    m_wakeRaised = false;
  }
  if (m_active[kRead] == 0 && m_active[kWrite] == 0) m_callsEnded.notify_all();
}

bool SerialDevice::IsAborted(const Call& call, bool& othersWaking) {
  std::lock_guard<std::mutex> lock(m_callLock);
  const bool aborted = call.gen != m_abortGen;
  othersWaking = !aborted && m_wakeRaised;
  return aborted;
}

IoResult SerialDevice::Read(void* buffer, uint32_t size, uint32_t& got, uint64_t* flushes) {
  got = 0;
  Call call;
  if (!BeginCall(kRead, call)) return call.fd == -2 ? IoResult::Cancelled : IoResult::Error;
  struct Guard {
    SerialDevice* self;
    Call& call;
    ~Guard() { self->EndCall(call); }
  } guard{this, call};
  if (size == 0) return IoResult::Ok;

  const COMMTIMEOUTS& t = call.timeouts;
  // Interval MAXDWORD with no total time-out: return at once with what is there.
  const bool immediate =
      t.ReadIntervalTimeout == MAXDWORD && t.ReadTotalTimeoutMultiplier == 0 && t.ReadTotalTimeoutConstant == 0;
  const uint32_t totalMs = immediate ? 0 : TotalTimeout(t.ReadTotalTimeoutMultiplier, t.ReadTotalTimeoutConstant, size);
  const bool limited = totalMs != kInfinite;
  const auto deadline = Clock::now() + std::chrono::milliseconds(limited ? totalMs : 0);

  for (;;) {
    ssize_t n;
    int err;
    {
      std::lock_guard<std::mutex> lock(m_inputLock);
      n = ::read(call.fd, buffer, size);
      err = errno;
      if (flushes) *flushes = m_inputFlushes.load();
    }
    if (n > 0) {
      got = static_cast<uint32_t>(n);
      return IoResult::Ok;
    }
    // A tty that has been hung up reads as end of file.
    if (n == 0) return IoResult::Error;
    if (err == EINTR) continue;
    if (err != EAGAIN && err != EWOULDBLOCK) return IoResult::Error;

    bool othersWaking = false;
    if (IsAborted(call, othersWaking)) return IoResult::Cancelled;
    int waitMs = PollMs(limited, deadline);
    if (limited && waitMs == 0) return IoResult::Timeout;
    // While the wake byte is up for an older call, leave the pipe out and
    // look again shortly instead of spinning on it.
    if (othersWaking) waitMs = waitMs < 0 ? 5 : std::min(waitMs, 5);
    pollfd fds[2] = {{call.fd, POLLIN, 0}, {m_wakePipe[0], POLLIN, 0}};
    const int r = ::poll(fds, othersWaking ? 1 : 2, waitMs);
    if (r < 0 && errno != EINTR) return IoResult::Error;
    if (r <= 0) continue;
    if (fds[0].revents & (POLLHUP | POLLERR | POLLNVAL)) return IoResult::Error;
  }
}

IoResult SerialDevice::Write(const void* data, uint32_t length, uint32_t& written, uint32_t maxWaitMs) {
  written = 0;
  Call call;
  if (!BeginCall(kWrite, call)) return call.fd == -2 ? IoResult::Cancelled : IoResult::Error;
  struct Guard {
    SerialDevice* self;
    Call& call;
    ~Guard() { self->EndCall(call); }
  } guard{this, call};

  const COMMTIMEOUTS& t = call.timeouts;
  const uint32_t totalMs =
      std::min(TotalTimeout(t.WriteTotalTimeoutMultiplier, t.WriteTotalTimeoutConstant, length), maxWaitMs);
  const bool limited = totalMs != kInfinite;
  const auto deadline = Clock::now() + std::chrono::milliseconds(limited ? totalMs : 0);
  const auto* bytes = static_cast<const unsigned char*>(data);

  while (written < length) {
    const ssize_t n = ::write(call.fd, bytes + written, length - written);
    if (n > 0) {
      written += static_cast<uint32_t>(n);
      continue;
    }
    if (n < 0 && errno == EINTR) continue;
    if (n < 0 && errno != EAGAIN && errno != EWOULDBLOCK) return IoResult::Error;

    bool othersWaking = false;
    if (IsAborted(call, othersWaking)) return IoResult::Cancelled;
    int waitMs = PollMs(limited, deadline);
    if (limited && waitMs == 0) return IoResult::Timeout;
    if (othersWaking) waitMs = waitMs < 0 ? 5 : std::min(waitMs, 5);
    pollfd fds[2] = {{call.fd, POLLOUT, 0}, {m_wakePipe[0], POLLIN, 0}};
    const int r = ::poll(fds, othersWaking ? 1 : 2, waitMs);
    if (r < 0 && errno != EINTR) return IoResult::Error;
    if (r <= 0) continue;
    if (fds[0].revents & (POLLHUP | POLLERR | POLLNVAL)) return IoResult::Error;
  }
  return IoResult::Ok;
}

}  // namespace platform
