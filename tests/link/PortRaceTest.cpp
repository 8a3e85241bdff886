// The reader thread against the exchanges: what a purge throws away, and in
// which order received bytes reach the traffic log and the line buffer.

#include <gtest/gtest.h>

#include <atomic>
#include <condition_variable>
#include <cstdio>
#include <mutex>
#include <string>
#include <thread>

#include "PortFixture.h"
#include "link/ReadData.h"
#include "tests/support/SerialSettings.h"

namespace {

// A logger that talks without pause: numbered lines "L<n>E", and `written`
// counts the lines wholly handed to the pseudo-terminal. What the port sends
// is read and dropped, so its writes never stall.
class TalkingLogger {
 public:
  explicit TalkingLogger(int master) : m_master(master) {
    ::fcntl(master, F_SETFL, ::fcntl(master, F_GETFL) | O_NONBLOCK);
    m_thread = std::thread([this] { Run(); });
  }
  ~TalkingLogger() {
    m_stop = true;
    m_thread.join();
  }
  int64_t Written() const { return m_written.load(); }

 private:
  void Run() {
    std::string line;
    size_t off = 0;
    for (int64_t n = 0; !m_stop;) {
      if (off == line.size()) {
        line = std::string("L").append(std::to_string(n)).append("E\r\n");
        off = 0;
      }
      pollfd p{m_master, POLLIN | POLLOUT, 0};
      if (::poll(&p, 1, 10) <= 0) continue;
      if (p.revents & POLLIN) {
        char sink[512];
        [[maybe_unused]] const ssize_t r = ::read(m_master, sink, sizeof sink);
      }
      if (!(p.revents & POLLOUT)) continue;
      const ssize_t w = ::write(m_master, line.data() + off, line.size() - off);
      if (w > 0) off += static_cast<size_t>(w);
      if (off == line.size()) m_written = ++n;
    }
  }

  int m_master;
  std::atomic<bool> m_stop{false};
  std::atomic<int64_t> m_written{0};
  std::thread m_thread;
};

// Every line the logger finished before a purging write began was received
// before the purge, and must not answer the command that follows it, not even
// when the reader had taken it off the device just before and hands it on
// just after.
TEST_F(PortTest, APurgeDiscardsTheChunkTheReaderHolds) {
  ASSERT_EQ(m_port.Open(m_name, LoggerLineSettings()), PortOpenResult::kOpened);
  TalkingLogger logger(m_master);
  int stale = 0;
  int answered = 0;
  std::string first;
  // About one purge in a thousand meets a chunk in the reader's hands: the
  // test goes on for a few thousand answered purges, which an idle machine
  // makes in about three seconds; a loaded one gets longer, within a bound.
  const auto t0 = Clock::now();
  for (int i = 0; i < 30000 && answered < 3000 && MsSince(t0) < 20000; ++i) {
    const int64_t before = logger.Written();
    ASSERT_EQ(m_port.Write("P\r\n", 3, 1), 1);
    char line[64] = {};
    if (m_port.GetReadData()->ReadLine(line, sizeof line, 1000) <= 0) continue;
    ++answered;
    // A line cut by the purge has lost its head or tail and tells nothing.
    long long n = -1;
    char end = 0;
    if (std::sscanf(line, "L%lld%c", &n, &end) != 2 || end != 'E') continue;
    if (n < before && ++stale == 1) first = line;
  }
  EXPECT_EQ(stale, 0) << "first: " << first << " of " << answered;
  EXPECT_GT(answered, 300);
}

// The log's refresh post, made on the reader thread after it logged a chunk,
// held until the test lets it go: while it is held, the test looks at what
// an exchange could see.
struct HeldPost {
  std::mutex mutex;
  std::condition_variable cv;
  CMLog* log = nullptr;
  int32_t holdAt = 0;  // entries in the ring when the post is held
  bool held = false;
  bool released = false;
};
HeldPost g_post;

bool AnyWindow(platform::WindowHandle) { return true; }

bool HoldingPost(platform::WindowHandle, unsigned, std::intptr_t) {
  std::unique_lock<std::mutex> lock(g_post.mutex);
  if (g_post.released || g_post.log->m_echoBuffer.Count() < g_post.holdAt) return true;
  g_post.held = true;
  g_post.cv.notify_all();
  g_post.cv.wait(lock, [] { return g_post.released; });
  return true;
}

// The traffic shows in the order it crossed the line: a received line is in
// the log before an exchange can take it, so the command the exchange sends
// next is logged after the reply that let it go.
TEST_F(PortTest, ReceivedBytesAreLoggedBeforeTheyCompleteALine) {
  ASSERT_EQ(m_port.Open(m_name, LoggerLineSettings()), PortOpenResult::kOpened);
  const std::string reply = "YES END\r\n";
  g_post.log = &m_log;
  g_post.holdAt = static_cast<int32_t>(reply.size());
  platform::InstallWindowServices({&AnyWindow, &HoldingPost});
  m_log.m_nNotifyCmd = 505;
  m_log.m_hNotifyWnd = 1;
  struct Restore {
    CMLog& log;
    ~Restore() {
      {
        std::lock_guard<std::mutex> lock(g_post.mutex);
        g_post.released = true;
      }
      g_post.cv.notify_all();
      log.m_hNotifyWnd = 0;
      platform::InstallWindowServices({});
    }
  } restore{m_log};

  MasterWrite(reply);
  {
    std::unique_lock<std::mutex> lock(g_post.mutex);
    ASSERT_TRUE(g_post.cv.wait_for(lock, std::chrono::seconds(5), [] { return g_post.held; }));
  }
  // The reader has logged the whole reply and waits in the refresh post.
  EXPECT_EQ(m_port.GetReadData()->LineCount(), 0) << "the line could be taken before it was logged";
  {
    std::lock_guard<std::mutex> lock(g_post.mutex);
    g_post.released = true;
  }
  g_post.cv.notify_all();
  WaitForLines(1);
}

}  // namespace
