#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <pty.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstring>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "platform/SerialDevice.h"
#include "platform/TermiosDcb.h"
#include "platform/Time.h"
#include "tests/support/TestFolder.h"

using namespace platform;

namespace {

using Clock = std::chrono::steady_clock;

int64_t MsSince(Clock::time_point t0) {
  return std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - t0).count();
}

// A pseudo-terminal standing in for the logger: the test plays the logger on
// the master side, the device under test opens the slave by its path.
class PtyTest : public ::testing::Test {
 protected:
  void SetUp() override {
    int slave = -1;
    char name[256] = {};
    ASSERT_EQ(::openpty(&m_master, &slave, name, nullptr, nullptr), 0);
    m_path = name;
    ::close(slave);
  }
  void TearDown() override { CloseMaster(); }

  std::string DeviceName() const { return "\\\\.\\" + m_path; }

  void OpenDevice() { ASSERT_TRUE(m_dev.Open(DeviceName())) << "errno " << m_dev.LastErrno(); }

  void CloseMaster() {
    if (m_master >= 0) ::close(m_master);
    m_master = -1;
  }

  void MasterWrite(const std::string& s) { ASSERT_EQ(::write(m_master, s.data(), s.size()), (ssize_t)s.size()); }

  // Reads what the device sent, waiting up to a second for n bytes.
  std::string MasterRead(size_t n) {
    std::string out;
    const auto t0 = Clock::now();
    while (out.size() < n && MsSince(t0) < 1000) {
      pollfd p{m_master, POLLIN, 0};
      if (::poll(&p, 1, 50) <= 0) continue;
      char buf[4096];
      const ssize_t r = ::read(m_master, buf, sizeof buf);
      if (r > 0) out.append(buf, static_cast<size_t>(r));
    }
    return out;
  }

  // Waits until the device sees `n` bytes queued (the pty delivers them
  // asynchronously).
  void WaitQueued(uint32_t n) {
    const auto t0 = Clock::now();
    uint32_t waiting = 0;
    while (MsSince(t0) < 1000 && m_dev.ClearError(nullptr, &waiting) && waiting < n) std::this_thread::yield();
    ASSERT_GE(waiting, n);
  }

  void SetReadTimeouts(uint32_t interval, uint32_t mult, uint32_t constant) {
    COMMTIMEOUTS t;
    t.ReadIntervalTimeout = interval;
    t.ReadTotalTimeoutMultiplier = mult;
    t.ReadTotalTimeoutConstant = constant;
    ASSERT_TRUE(m_dev.SetTimeouts(t));
  }

  int m_master = -1;
  std::string m_path;
  SerialDevice m_dev;
};

}  // namespace

TEST(SerialDevicePath, MapsDeviceNames) {
  EXPECT_EQ(SerialDevice::MapDevicePath("\\\\.\\ttyUSB0"), "/dev/ttyUSB0");
  EXPECT_EQ(SerialDevice::MapDevicePath("\\\\.\\/tmp/kx2sim"), "/tmp/kx2sim");
  EXPECT_EQ(SerialDevice::MapDevicePath("/dev/ttyS1"), "/dev/ttyS1");
}

TEST(SerialDeviceOpen, KeepsTheReasonOfAFailure) {
  SerialDevice dev;
  EXPECT_FALSE(dev.Open("\\\\.\\/nonexistent/kx2-no-such-port"));
  EXPECT_EQ(dev.LastOpenError(), OpenError::NotFound);
  EXPECT_FALSE(dev.IsOpen());
  COMMPROP prop;
  DCB dcb;
  EXPECT_FALSE(dev.Setup(4096, 256));
  EXPECT_FALSE(dev.GetProperties(prop));
  EXPECT_FALSE(dev.GetState(dcb));
  uint32_t got = 0;
  char c;
  EXPECT_EQ(dev.Read(&c, 1, got), IoResult::Error);

  // A file that is not a terminal opens but is refused as a port.
  const TestFolder folder("notatty");
  const std::string file = folder.File("plain");
  std::ofstream(file) << "x";
  EXPECT_FALSE(dev.Open(file));
  EXPECT_EQ(dev.LastOpenError(), OpenError::Other);
}

TEST_F(PtyTest, OpenIsExclusiveUntilClosed) {
  OpenDevice();
  EXPECT_EQ(m_dev.LastOpenError(), OpenError::None);
  SerialDevice second;
  EXPECT_FALSE(second.Open(DeviceName()));
  EXPECT_EQ(second.LastOpenError(), OpenError::Busy);
  m_dev.Close();
  EXPECT_FALSE(m_dev.IsOpen());
  EXPECT_TRUE(second.Open(DeviceName())) << "errno " << second.LastErrno();
}

TEST_F(PtyTest, PropertiesOfATty) {
  OpenDevice();
  COMMPROP prop;
  ASSERT_TRUE(m_dev.GetProperties(prop));
  EXPECT_EQ(prop.dwMaxRxQueue, 0u);
  EXPECT_EQ(prop.dwMaxTxQueue, 0u);
  EXPECT_GE(prop.dwMaxBaud, 115200u);
  EXPECT_TRUE(prop.dwProvCapabilities & PCF_TOTALTIMEOUTS);
  EXPECT_TRUE(prop.dwProvCapabilities & PCF_PARITY_CHECK);
  EXPECT_TRUE(m_dev.Setup(4096, 256));
}

namespace {
struct LineCase {
  uint32_t baud;
  uint8_t size, parity, stop;
  bool outX, inX, cts;
};
constexpr LineCase kLineCases[] = {
    {9600, 8, NOPARITY, ONESTOPBIT, false, false, false},     {19200, 7, EVENPARITY, TWOSTOPBITS, true, true, false},
    {115200, 8, ODDPARITY, ONESTOPBIT, false, false, true},   {4800, 7, MARKPARITY, ONESTOPBIT, false, false, false},
    {2400, 6, SPACEPARITY, TWOSTOPBITS, false, false, false}, {1200, 5, NOPARITY, ONE5STOPBITS, false, false, false},
};

DCB MakeDcb(const LineCase& c) {
  DCB set;
  set.BaudRate = c.baud;
  set.ByteSize = c.size;
  set.Parity = c.parity;
  set.fParity = c.parity != NOPARITY;
  set.StopBits = c.stop;
  set.fOutX = c.outX;
  set.fInX = c.inX;
  set.XonChar = 0x11;
  set.XoffChar = 0x13;
  set.fOutxCtsFlow = c.cts;
  set.fRtsControl = c.cts ? RTS_CONTROL_HANDSHAKE : RTS_CONTROL_ENABLE;
  return set;
}

void ExpectFlowAndRate(const DCB& back, const LineCase& c) {
  EXPECT_EQ(back.BaudRate, c.baud);
  EXPECT_EQ(back.fOutX, c.outX ? 1u : 0u);
  EXPECT_EQ(back.fInX, c.inX ? 1u : 0u);
  EXPECT_EQ(back.fOutxCtsFlow, c.cts ? 1u : 0u);
  EXPECT_EQ(back.fRtsControl == RTS_CONTROL_HANDSHAKE, c.cts);
  if (c.outX || c.inX) {
    EXPECT_EQ(back.XonChar, 0x11);
    EXPECT_EQ(back.XoffChar, 0x13);
  }
}
}  // namespace

TEST(TermiosDcb, EveryLineSettingRoundTrips) {
  for (const auto& c : kLineCases) {
    SCOPED_TRACE(c.baud);
    termios tio{};
    ::cfmakeraw(&tio);
    ASSERT_TRUE(DcbToTermios(MakeDcb(c), tio));
    DCB back;
    TermiosToDcb(tio, back);
    EXPECT_EQ(back.DCBlength, sizeof(DCB));
    EXPECT_EQ(back.fBinary, 1u);
    EXPECT_EQ(back.ByteSize, c.size);
    EXPECT_EQ(back.Parity, c.parity);
    EXPECT_EQ(back.fParity, c.parity != NOPARITY ? 1u : 0u);
    EXPECT_EQ(back.StopBits, c.stop);
    ExpectFlowAndRate(back, c);
  }
}

TEST(TermiosDcb, RefusesWhatTheLineCannotDoAndLeavesItAlone) {
  DCB good = MakeDcb(kLineCases[0]);
  termios tio{};
  ::cfmakeraw(&tio);
  ASSERT_TRUE(DcbToTermios(good, tio));
  const termios before = tio;
  auto refused = [&](auto change) {
    DCB bad = good;
    change(bad);
    termios t = before;
    const bool ok = DcbToTermios(bad, t);
    EXPECT_EQ(std::memcmp(&t, &before, sizeof t), 0);
    return !ok;
  };
  EXPECT_TRUE(refused([](DCB& d) { d.BaudRate = 12345; }));
  EXPECT_TRUE(refused([](DCB& d) { d.BaudRate = 0; }));
  EXPECT_TRUE(refused([](DCB& d) { d.BaudRate = 128000; }));  // 11 % from 115200: not the logger's rate
  EXPECT_TRUE(refused([](DCB& d) { d.ByteSize = 9; }));
  EXPECT_TRUE(refused([](DCB& d) { d.ByteSize = 4; }));
  EXPECT_TRUE(refused([](DCB& d) { d.Parity = 5; }));
  EXPECT_TRUE(refused([](DCB& d) { d.StopBits = ONE5STOPBITS; }));  // only with 5 data bits
  EXPECT_TRUE(refused([](DCB& d) { d.StopBits = 3; }));
  EXPECT_EQ(NearestStandardRate(56000), 57600u);
  EXPECT_EQ(NearestStandardRate(9600), 9600u);
  EXPECT_EQ(SerialDevice::MaxRate(), HighestStandardRate());
  EXPECT_GE(HighestStandardRate(), 230400u);
}

TEST_F(PtyTest, StateRoundTrip) {
  OpenDevice();
  DCB dcb;
  ASSERT_TRUE(m_dev.GetState(dcb));
  EXPECT_EQ(dcb.ByteSize, 8);  // raw mode
  EXPECT_EQ(dcb.Parity, NOPARITY);
  // A pseudo-terminal takes every setting but keeps 8 data bits and no
  // parity; rate, stop bits and flow control come back as set.
  for (const auto& c : kLineCases) {
    if (c.size != 8 && c.stop != ONESTOPBIT) continue;
    SCOPED_TRACE(c.baud);
    ASSERT_TRUE(m_dev.SetState(MakeDcb(c)));
    DCB back;
    ASSERT_TRUE(m_dev.GetState(back));
    EXPECT_EQ(back.StopBits, c.stop);
    ExpectFlowAndRate(back, c);
  }
}

TEST_F(PtyTest, SetStateRefusesWhatTheLineCannotDo) {
  OpenDevice();
  DCB good;
  ASSERT_TRUE(m_dev.GetState(good));
  good.BaudRate = 9600;
  ASSERT_TRUE(m_dev.SetState(good));
  DCB bad = good;
  bad.BaudRate = 12345;
  EXPECT_FALSE(m_dev.SetState(bad));
  DCB back;
  ASSERT_TRUE(m_dev.GetState(back));
  EXPECT_EQ(back.BaudRate, 9600u);  // a refused state leaves the line as it was
}

TEST_F(PtyTest, ReadReturnsOnTheFirstByteWithWhatIsThere) {
  OpenDevice();
  SetReadTimeouts(MAXDWORD, 10000, 10);  // the port's own setting: ~10 s for one byte
  std::thread logger([this] {
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
    MasterWrite("A");
  });
  char buf[16] = {};
  uint32_t got = 0;
  const auto t0 = Clock::now();
  EXPECT_EQ(m_dev.Read(buf, 1, got), IoResult::Ok);
  EXPECT_LT(MsSince(t0), 2000);
  logger.join();
  EXPECT_EQ(got, 1u);
  EXPECT_EQ(buf[0], 'A');

  // More than asked for stays queued; a bigger read takes what is there
  // without waiting to fill its buffer.
  MasterWrite("HELLO");
  WaitQueued(5);
  uint32_t waiting = 0;
  ASSERT_TRUE(m_dev.ClearError(nullptr, &waiting));
  EXPECT_EQ(waiting, 5u);
  ASSERT_EQ(m_dev.Read(buf, 2, got), IoResult::Ok);
  EXPECT_EQ(std::string(buf, got), "HE");
  ASSERT_EQ(m_dev.Read(buf, sizeof buf, got), IoResult::Ok);
  EXPECT_EQ(std::string(buf, got), "LLO");
}

TEST_F(PtyTest, ReadEndsAtItsTimeout) {
  OpenDevice();
  char c;
  uint32_t got = 7;
  SetReadTimeouts(MAXDWORD, 0, 40);
  auto t0 = Clock::now();
  EXPECT_EQ(m_dev.Read(&c, 1, got), IoResult::Timeout);
  EXPECT_EQ(got, 0u);
  EXPECT_GE(MsSince(t0), 35);

  SetReadTimeouts(MAXDWORD, 0, 0);  // return at once with what is there
  t0 = Clock::now();
  EXPECT_EQ(m_dev.Read(&c, 1, got), IoResult::Timeout);
  EXPECT_LT(MsSince(t0), 500);

  SetReadTimeouts(0, 10, 5);  // 10 ms a byte: 4 bytes, 45 ms
  char buf[4];
  t0 = Clock::now();
  EXPECT_EQ(m_dev.Read(buf, 4, got), IoResult::Timeout);
  EXPECT_GE(MsSince(t0), 40);
}

TEST_F(PtyTest, WriteReachesThePeer) {
  OpenDevice();
  COMMTIMEOUTS t;
  t.WriteTotalTimeoutMultiplier = 3000;
  t.WriteTotalTimeoutConstant = 10;
  ASSERT_TRUE(m_dev.SetTimeouts(t));
  COMMTIMEOUTS back;
  ASSERT_TRUE(m_dev.GetTimeouts(back));
  EXPECT_EQ(back.WriteTotalTimeoutMultiplier, 3000u);
  const std::string cmd = "RD SYS\r\n";
  uint32_t written = 0;
  EXPECT_EQ(m_dev.Write(cmd.data(), cmd.size(), written, 10000), IoResult::Ok);
  EXPECT_EQ(written, cmd.size());
  EXPECT_EQ(MasterRead(cmd.size()), cmd);  // raw: CR LF pass unchanged
}

TEST_F(PtyTest, WriteToAStalledPeerTimesOut) {
  OpenDevice();
  COMMTIMEOUTS t;
  t.WriteTotalTimeoutConstant = 5000;
  ASSERT_TRUE(m_dev.SetTimeouts(t));
  // Nobody reads the master: the pty buffer fills and the write stalls. The
  // caller's own limit is shorter than the record's and wins.
  std::vector<char> big(4 << 20, 'x');
  uint32_t written = 0;
  const auto t0 = Clock::now();
  EXPECT_EQ(m_dev.Write(big.data(), big.size(), written, 50), IoResult::Timeout);
  EXPECT_LT(written, big.size());
  EXPECT_LT(MsSince(t0), 2000);
}

TEST_F(PtyTest, PurgeDiscardsInputAndAbortsAPendingRead) {
  OpenDevice();
  MasterWrite("stale bytes");
  WaitQueued(11);
  ASSERT_TRUE(m_dev.Purge(PURGE_RXCLEAR | PURGE_TXCLEAR));
  uint32_t waiting = 99;
  uint32_t errors = 99;
  ASSERT_TRUE(m_dev.ClearError(&errors, &waiting));
  EXPECT_EQ(waiting, 0u);
  EXPECT_EQ(errors, 0u);

  SetReadTimeouts(MAXDWORD, 10000, 10);
  std::atomic<IoResult> result{IoResult::Ok};
  std::atomic<bool> done{false};
  std::thread reader([&] {
    char c;
    uint32_t got;
    result.store(m_dev.Read(&c, 1, got));
    done = true;
  });
  // A purge only aborts a read already waiting; repeat it until the reader
  // has surely started.
  while (!done) {
    ASSERT_TRUE(m_dev.Purge(PURGE_TXABORT | PURGE_RXABORT | PURGE_TXCLEAR | PURGE_RXCLEAR));
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  reader.join();
  EXPECT_EQ(result, IoResult::Cancelled);

  // A purge is not kept for later calls: the writer purges before it writes.
  const std::string cmd = "ST STP\r\n";
  uint32_t written = 0;
  EXPECT_EQ(m_dev.Write(cmd.data(), cmd.size(), written, 1000), IoResult::Ok);
  EXPECT_EQ(MasterRead(cmd.size()), cmd);
}

TEST_F(PtyTest, CancelIoWakesReadAndWrite) {
  OpenDevice();
  SetReadTimeouts(0, 0, 0);
  IoResult readResult = IoResult::Ok, writeResult = IoResult::Ok;
  std::vector<char> big(4 << 20, 'x');
  std::thread reader([&] {
    char c;
    uint32_t got;
    readResult = m_dev.Read(&c, 1, got);
  });
  std::thread writer([&] {
    uint32_t written;
    writeResult = m_dev.Write(big.data(), big.size(), written, kInfinite);
  });
  pollfd p{m_master, POLLIN, 0};
  ASSERT_EQ(::poll(&p, 1, 5000), 1);  // the writer is under way
  const auto t0 = Clock::now();
  m_dev.CancelIo();
  reader.join();
  writer.join();
  EXPECT_LT(MsSince(t0), 1000);
  EXPECT_EQ(readResult, IoResult::Cancelled);
  EXPECT_EQ(writeResult, IoResult::Cancelled);
}

TEST_F(PtyTest, CancelBeforeTheReadIsNotLost) {
  OpenDevice();
  SetReadTimeouts(0, 0, 0);
  m_dev.CancelIo();  // shutdown raced ahead of the reader's next Read
  char c;
  uint32_t got;
  EXPECT_EQ(m_dev.Read(&c, 1, got), IoResult::Cancelled);
  // Taken once: the next read works normally.
  MasterWrite("Z");
  EXPECT_EQ(m_dev.Read(&c, 1, got), IoResult::Ok);
  EXPECT_EQ(c, 'Z');
}

TEST_F(PtyTest, HangUpEndsAReadWithAnErrorEveryTime) {
  OpenDevice();
  SetReadTimeouts(MAXDWORD, 10000, 10);
  IoResult result = IoResult::Ok;
  std::thread reader([&] {
    char c;
    uint32_t got;
    result = m_dev.Read(&c, 1, got);
  });
  std::this_thread::sleep_for(std::chrono::milliseconds(30));
  const auto t0 = Clock::now();
  CloseMaster();  // the adapter is pulled
  reader.join();
  EXPECT_LT(MsSince(t0), 1000);
  EXPECT_EQ(result, IoResult::Error);
  // Never a stream of empty successes: each later call fails at once.
  for (int i = 0; i < 3; ++i) {
    char c;
    uint32_t got = 5;
    const auto t1 = Clock::now();
    EXPECT_EQ(m_dev.Read(&c, 1, got), IoResult::Error);
    EXPECT_EQ(got, 0u);
    EXPECT_LT(MsSince(t1), 500);
  }
  uint32_t written = 0;
  EXPECT_EQ(m_dev.Write("x", 1, written, 100), IoResult::Error);
}

TEST_F(PtyTest, CloseWaitsForACallInProgress) {
  OpenDevice();
  SetReadTimeouts(0, 0, 0);
  IoResult result = IoResult::Ok;
  std::thread reader([&] {
    char c;
    uint32_t got;
    result = m_dev.Read(&c, 1, got);
  });
  std::this_thread::sleep_for(std::chrono::milliseconds(30));
  m_dev.Close();
  reader.join();
  // Cancelled when the read was waiting, Error when it came after the close.
  EXPECT_NE(result, IoResult::Ok);
  EXPECT_FALSE(m_dev.IsOpen());
}
