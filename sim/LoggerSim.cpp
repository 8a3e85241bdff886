#include "sim/LoggerSim.h"

#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <climits>
#include <cstdlib>

#include "platform/Time.h"
#include "sim/SimText.h"

namespace sim {
namespace {

constexpr char kEsc = 0x1b;
// A command line never comes close to this; anything longer is line noise.
constexpr size_t kMaxPendingInput = 65536;
constexpr size_t kDownloadChunk = 4096;

// A data line cut after its key and the key's separator: "IMEI:12-3456" gives
// "IMEI:", "ANT -85" gives "ANT". Acknowledgements and end markers stay.
void DropValues(SimReply& reply) {
  for (SimLine& l : reply.head) {
    const std::string upper = ToUpper(l.text);
    if (upper == "OK" || upper == "NG" || upper.rfind("YES END", 0) == 0 || upper.rfind("NOT END", 0) == 0) continue;
    size_t key = 0;
    while (key < l.text.size() && std::isalpha(static_cast<unsigned char>(l.text[key]))) ++key;
    if (key < l.text.size() && l.text[key] == ':') ++key;
    l.text.erase(key);
  }
}

}  // namespace

LoggerSim::LoggerSim() = default;

LoggerSim::~LoggerSim() { Stop(); }

bool LoggerSim::Start() {
  if (m_thread.joinable()) return false;
  const int master = posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
  if (master < 0) return false;
  char name[128];
  if (grantpt(master) != 0 || unlockpt(master) != 0 || ptsname_r(master, name, sizeof name) != 0) {
    ::close(master);
    return false;
  }
  const int slave = ::open(name, O_RDWR | O_NOCTTY | O_CLOEXEC);
  if (slave < 0 || pipe2(m_wake, O_CLOEXEC | O_NONBLOCK) != 0) {
    if (slave >= 0) ::close(slave);
    ::close(master);
    return false;
  }
  // Raw from the start: with the default echo the terminal would hand every
  // reply straight back to us as a command before the program sets its modes.
  termios tio{};
  tcgetattr(slave, &tio);
  cfmakeraw(&tio);
  tio.c_cflag |= CLOCAL | CREAD;
  cfsetspeed(&tio, B9600);
  tcsetattr(slave, TCSANOW, &tio);
  fcntl(master, F_SETFL, fcntl(master, F_GETFL) | O_NONBLOCK);

  m_master = master;
  m_slaveHold = slave;
  m_slavePath = name;
  m_input.clear();
  m_stop = false;
  m_vanished = false;
  m_thread = std::thread([this] { Run(); });
  return true;
}

void LoggerSim::Stop() {
  if (!m_thread.joinable()) return;
  m_stop = true;
  const char byte = 1;
  [[maybe_unused]] auto n = ::write(m_wake[1], &byte, 1);
  m_thread.join();
  CloseTerminal();
  ::close(m_wake[0]);
  ::close(m_wake[1]);
  m_wake[0] = m_wake[1] = -1;
}

std::string LoggerSim::SlavePath() const { return m_slavePath; }

SimState LoggerSim::State() const {
  std::lock_guard<std::mutex> lock(m_lock);
  return m_handler.State();
}

void LoggerSim::Update(const std::function<void(SimState&)>& change) {
  std::lock_guard<std::mutex> lock(m_lock);
  change(m_handler.State());
}

void LoggerSim::SetRecords(int first, int count) {
  std::lock_guard<std::mutex> lock(m_lock);
  m_handler.Populate(first, count);
}

int LoggerSim::FirstRecord() const {
  std::lock_guard<std::mutex> lock(m_lock);
  return m_handler.Records().FirstNumber();
}

int LoggerSim::LastRecord() const {
  std::lock_guard<std::mutex> lock(m_lock);
  return m_handler.Records().LastNumber();
}

std::string LoggerSim::RecordLine(int number) const {
  std::lock_guard<std::mutex> lock(m_lock);
  return m_handler.RecordLine(number);
}

void LoggerSim::SetClock(int64_t seconds, bool running) {
  std::lock_guard<std::mutex> lock(m_lock);
  m_handler.Clock().Set(seconds);
  m_handler.Clock().SetRunning(running);
  // Records and schedule follow the clock, so the first reply is consistent.
  const RecordRing& ring = m_handler.Records();
  m_handler.Populate(ring.Count() == 0 ? 1 : ring.FirstNumber(), ring.Count());
}

int64_t LoggerSim::Clock() const {
  std::lock_guard<std::mutex> lock(m_lock);
  return m_handler.Clock().Now();
}

void LoggerSim::InjectFault(const Fault& fault) {
  std::lock_guard<std::mutex> lock(m_lock);
  m_faults.Add(fault);
}

void LoggerSim::ClearFaults() {
  std::lock_guard<std::mutex> lock(m_lock);
  m_faults.Clear();
}

std::vector<std::string> LoggerSim::ReceivedCommands() const {
  std::lock_guard<std::mutex> lock(m_lock);
  return m_received;
}

void LoggerSim::ClearReceivedCommands() {
  std::lock_guard<std::mutex> lock(m_lock);
  m_received.clear();
  m_answered = 0;
}

bool LoggerSim::WaitForCommands(size_t n, uint32_t ms) const {
  std::unique_lock<std::mutex> lock(m_lock);
  return m_logChanged.wait_for(lock, std::chrono::milliseconds(ms), [&] { return m_answered >= n; });
}

void LoggerSim::LogCommand(const std::string& command) {
  std::lock_guard<std::mutex> lock(m_lock);
  m_received.push_back(command);
}

void LoggerSim::Run() {
  while (!m_stop && !m_vanished) {
    // Outside a download an ESC means nothing to the logger; it is only logged.
    for (auto esc = m_input.find(kEsc); esc != std::string::npos; esc = m_input.find(kEsc)) {
      m_input.erase(esc, 1);
      LogCommand(std::string(1, kEsc));
      std::lock_guard<std::mutex> lock(m_lock);
      ++m_answered;
      m_logChanged.notify_all();
    }
    const auto end = m_input.find_first_of("\r\n");
    if (end != std::string::npos) {
      std::string line = m_input.substr(0, end);
      m_input.erase(0, end + 1);
      line.erase(std::remove(line.begin(), line.end(), '\0'), line.end());
      if (!line.empty()) ProcessLine(line);
      continue;
    }
    if (m_input.size() > kMaxPendingInput) m_input.clear();
    pollfd fds[2] = {{m_master, POLLIN, 0}, {m_wake[0], POLLIN, 0}};
    const int rc = ::poll(fds, 2, 1000);
    if (rc < 0 && errno != EINTR) break;
    if (rc <= 0) continue;
    if (fds[1].revents != 0) continue;  // Stop() woke us
    if (fds[0].revents & POLLIN) {
      DrainInput();
    } else if (fds[0].revents & (POLLHUP | POLLERR)) {
      // Cannot happen while we hold the slave open; avoid spinning if it does.
      platform::Sleep(10);
    }
  }
}

void LoggerSim::DrainInput() {
  char buf[4096];
  for (;;) {
    const ssize_t n = ::read(m_master, buf, sizeof buf);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return;
    std::string chunk(buf, static_cast<size_t>(n));
    if (m_inDownload) {
      for (auto esc = chunk.find(kEsc); esc != std::string::npos; esc = chunk.find(kEsc)) {
        chunk.erase(esc, 1);
        if (!m_ignoreEsc) m_abort = true;
        LogCommand(std::string(1, kEsc));
        std::lock_guard<std::mutex> lock(m_lock);
        ++m_answered;
        m_logChanged.notify_all();
      }
    }
    m_input += chunk;
  }
}

void LoggerSim::ProcessLine(const std::string& line) {
  LogCommand(line);
  SimReply reply;
  std::optional<Fault> fault;
  {
    std::lock_guard<std::mutex> lock(m_lock);
    fault = m_faults.Take(line);
    const FaultKind kind = fault ? fault->kind : FaultKind::Split;
    if (fault && kind == FaultKind::Ng)
      reply.head.push_back({"NG"});
    else if (fault && kind == FaultKind::NotEnd)
      reply.head.push_back({"NOT END"});
    else if (fault && kind == FaultKind::Garbage)
      reply.head.push_back({"?~%$GARBAGE&!~?"});
    else if (!fault || (kind != FaultKind::NoAnswer && kind != FaultKind::Vanish))
      reply = m_handler.Handle(line);
    if (fault && kind == FaultKind::NoValue) DropValues(reply);
  }
  if (fault && fault->kind == FaultKind::Vanish) {
    // The logger is gone: the program sees its port hang up.
    m_vanished = true;
    CloseTerminal();
  } else if (!fault || fault->kind != FaultKind::NoAnswer) {
    if (fault && fault->kind == FaultKind::Delay) Pause(fault->delayMs);
    SendReply(reply, fault ? &*fault : nullptr);
  }
  std::lock_guard<std::mutex> lock(m_lock);
  ++m_answered;
  m_logChanged.notify_all();
}

void LoggerSim::SendReply(const SimReply& reply, const Fault* fault) {
  int budget = fault && fault->kind == FaultKind::Stall ? fault->lines : INT_MAX;
  // An ESC that comes while the download's "OK" is still on its way counts too.
  m_inDownload = reply.download;
  m_abort = false;
  m_ignoreEsc = fault && fault->kind == FaultKind::IgnoreEsc;
  bool ok = !(fault && fault->kind == FaultKind::LongLine) || WriteAll(std::string(5000, 'X') + "\r\n");
  for (size_t i = 0; ok && i < reply.head.size(); ++i)
    ok = SendLine(reply.head[i].text, reply.head[i].delayMs, &budget, fault);
  if (ok && reply.download) Download(reply, &budget, fault);
  m_inDownload = false;
}

void LoggerSim::Download(const SimReply& reply, int* budget, const Fault* fault) {
  // Records go out in chunks, as a logger empties its send buffer; an ESC is
  // looked for between chunks and while a full terminal holds a write back.
  // Faults that change how a line goes out send line by line.
  const FaultKind kind = fault ? fault->kind : FaultKind::NoAnswer;
  const bool paced = fault && kind == FaultKind::Pace;
  const bool perLine =
      paced || (fault && (kind == FaultKind::Split || kind == FaultKind::HashLines || kind == FaultKind::Stall));
  const bool givesUp = fault && (kind == FaultKind::GiveUp || kind == FaultKind::GiveUpNg);
  std::string chunk;
  bool ok = true;
  int sent = 0;
  for (size_t i = 0; ok && i < reply.records.size(); ++i) {
    if (paced || i % 32 == 0) DrainInput();
    if (m_abort || m_stop || (givesUp && sent >= fault->lines)) break;
    std::string text;
    {
      std::lock_guard<std::mutex> lock(m_lock);
      text = m_handler.RecordLine(reply.records[i]);
    }
    if (text.empty()) continue;  // dropped from memory since the command came
    ++sent;
    if (perLine) {
      ok = SendLine(text, paced ? fault->delayMs : 0, budget, fault);
      continue;
    }
    chunk += text;
    chunk += "\r\n";
    if (chunk.size() >= kDownloadChunk) {
      ok = WriteAll(chunk, true);
      chunk.clear();
    }
  }
  // An ESC drops what still waits to go out, as a logger clears its send
  // buffer: the lines after it are only those already on their way.
  if (ok && !chunk.empty() && !m_abort) ok = WriteAll(chunk);
  m_inDownload = false;
  if (!ok || m_stop) return;
  // An aborted download still ends with a marker, so the program stops waiting.
  if (m_abort) {
    SendLine("NOT END", 0, budget, fault);
    return;
  }
  if (givesUp && sent >= fault->lines) {
    SendLine(kind == FaultKind::GiveUpNg ? "NG" : "NOT END", 0, budget, fault);
    return;
  }
  for (const SimLine& l : reply.tail)
    if (!SendLine(l.text, l.delayMs, budget, fault)) return;
}

bool LoggerSim::SendLine(const std::string& text, uint32_t delayMs, int* budget, const Fault* fault) {
  if (delayMs != 0 && !Pause(delayMs)) return false;
  if (*budget <= 0) return false;
  --*budget;
  if (fault && fault->kind == FaultKind::HashLines && !WriteAll("#>RX:$STAT:IDLE\r\n")) return false;
  const std::string data = text + "\r\n";
  if (!fault || fault->kind != FaultKind::Split) return WriteAll(data);
  for (size_t off = 0; off < data.size(); off += 3) {
    if (!WriteAll(data.substr(off, 3))) return false;
    if (!Pause(2)) return false;
  }
  return true;
}

bool LoggerSim::WriteAll(const std::string& data, bool records) {
  size_t off = 0;
  size_t end = data.size();
  while (off < end) {
    if (m_stop || m_master < 0) return false;
    if (records && m_abort && end == data.size()) {
      // Only the line on its way is finished (none when the last byte
      // written ended one).
      end = off == 0 ? 0 : data.find('\n', off - 1) + 1;
      if (off >= end) break;
    }
    const ssize_t n = ::write(m_master, data.data() + off, end - off);
    if (n > 0) {
      off += static_cast<size_t>(n);
      continue;
    }
    if (n < 0 && errno == EINTR) continue;
    if (n < 0 && errno != EAGAIN) return false;
    // The program is not reading: wait for room, and keep reading so an ESC
    // can still stop a download.
    pollfd fds[2] = {{m_master, POLLOUT | POLLIN, 0}, {m_wake[0], POLLIN, 0}};
    if (::poll(fds, 2, 100) > 0 && (fds[0].revents & POLLIN)) DrainInput();
  }
  return true;
}

bool LoggerSim::Pause(uint32_t ms) {
  // Short steps keep Stop() prompt; the tick count keeps the total right
  // however much each step oversleeps.
  const uint32_t start = platform::TickCount();
  for (uint32_t passed = 0; passed < ms && !m_stop; passed = platform::TickCount() - start)
    platform::Sleep(std::min<uint32_t>(ms - passed, 20));
  return !m_stop;
}

void LoggerSim::CloseTerminal() {
  if (m_master >= 0) ::close(m_master);
  if (m_slaveHold >= 0) ::close(m_slaveHold);
  m_master = m_slaveHold = -1;
}

}  // namespace sim
