#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/SerialPorts.h"
#include "tests/support/TestFolder.h"

using namespace platform;
namespace fs = std::filesystem;

namespace {

// A small stand-in for /sys: class/tty entries linking to device folders.
class FakeSysfs : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_FALSE(m_root.empty());
    fs::create_directories(m_root / "class/tty");
    if (const char* old = std::getenv("KX2_PORTS")) m_savedPorts = old;
    ::unsetenv("KX2_PORTS");
  }
  void TearDown() override {
    if (m_savedPorts)
      ::setenv("KX2_PORTS", m_savedPorts->c_str(), 1);
    else
      ::unsetenv("KX2_PORTS");
  }

  static void Write(const fs::path& file, const std::string& text) {
    fs::create_directories(file.parent_path());
    std::ofstream(file) << text;
  }

  // A tty whose device is `devicePath` (relative to the root), bound to a driver.
  void AddTty(const std::string& name, const std::string& devicePath, const std::string& driver,
              const std::string& type = "") {
    const fs::path tty = m_root / "class/tty" / name;
    fs::create_directories(tty);
    const fs::path device = m_root / devicePath;
    fs::create_directories(device);
    fs::create_directory_symlink(device, tty / "device");
    if (!driver.empty()) {
      fs::create_directories(m_root / "bus/drivers" / driver);
      fs::create_directory_symlink(m_root / "bus/drivers" / driver, device / "driver");
    }
    if (!type.empty()) Write(tty / "type", type + "\n");
  }

  std::vector<SerialPortInfo> List() const { return ListSerialPorts((m_root / "class/tty").string()); }

  TestFolder m_folder{"sysfs"};
  fs::path m_root = m_folder.Path();
  std::optional<std::string> m_savedPorts;
};

}  // namespace

TEST_F(FakeSysfs, ListsTtysWithADeviceInNaturalOrderWithDescriptions) {
  AddTty("ttyUSB0", "devices/usb1/1-1/1-1:1.0/ttyUSB0", "ftdi_sio");
  Write(m_root / "devices/usb1/1-1/product", "FT232R USB UART\n");
  AddTty("ttyACM0", "devices/usb1/1-2/1-2:1.0", "cdc_acm");
  Write(m_root / "devices/usb1/1-2/product", "Kestrix2 Logger\n");
  AddTty("ttyS10", "devices/pnp0/00:04", "serial", "4");
  // Newer kernels: a serial-base port device between the tty and its driver.
  fs::create_directories(m_root / "bus/serial-base/drivers/port");
  AddTty("ttyS11", "devices/pnp0/00:05/00:05:0/00:05:0.0", "");
  fs::create_directory_symlink(m_root / "bus/serial-base/drivers/port",
                               m_root / "devices/pnp0/00:05/00:05:0/00:05:0.0/driver");
  fs::create_directory_symlink(m_root / "bus/drivers/serial", m_root / "devices/pnp0/00:05/driver");
  AddTty("ttyS2", "devices/platform/serial8250/tty/ttyS2", "serial8250", "4");
  AddTty("ttyS3", "devices/platform/serial8250/tty/ttyS3", "serial8250", "0");  // probed, no UART
  fs::create_directories(m_root / "class/tty/tty0");                            // a console: no device

  // A vendor driver's own name for a USB adapter still counts as one.
  AddTty("ttyXR0", "devices/usb2/2-1/2-1:1.0/tty/ttyXR0", "xr_serial");

  const auto ports = List();
  const std::vector<std::pair<std::string, std::string>> expected = {
      {"ttyACM0", "Kestrix2 Logger"}, {"ttyUSB0", "FT232R USB UART"}, {"ttyXR0", "xr_serial"},
      {"ttyS2", "serial8250"},        {"ttyS10", "serial"},           {"ttyS11", "serial"}};
  ASSERT_EQ(ports.size(), expected.size());
  for (size_t i = 0; i < expected.size(); ++i) {
    EXPECT_EQ(ports[i].name, expected[i].first) << i;
    EXPECT_EQ(ports[i].description, expected[i].second) << i;
  }
}

TEST_F(FakeSysfs, PutsThePortsOfTheEnvironmentFirst) {
  AddTty("ttyS0", "devices/pnp0/00:04", "serial", "4");
  AddTty("ttyUSB0", "devices/usb1/1-1/1-1:1.0/ttyUSB0", "");
  AddTty("ttyUSB1", "devices/usb1/1-2/1-2:1.0/ttyUSB1", "");
  ::setenv("KX2_PORTS", "/tmp/kx2sim::/dev/ttyUSB1:/tmp/kx2sim2:/tmp/kx2sim:ttyS0:ttyUSB1", 1);
  const auto ports = List();
  // ttyUSB0 has neither product nor driver.
  const std::vector<std::pair<std::string, std::string>> expected = {{"/tmp/kx2sim", "Virtual port"},
                                                                     {"ttyUSB1", ""},
                                                                     {"/tmp/kx2sim2", "Virtual port"},
                                                                     {"ttyS0", "serial"},
                                                                     {"ttyUSB0", ""}};
  ASSERT_EQ(ports.size(), expected.size());
  for (size_t i = 0; i < expected.size(); ++i) {
    EXPECT_EQ(ports[i].name, expected[i].first) << i;
    EXPECT_EQ(ports[i].description, expected[i].second) << i;
  }
}

TEST_F(FakeSysfs, AMissingTreeListsOnlyTheVirtualPorts) {
  ::setenv("KX2_PORTS", "/tmp/kx2sim", 1);
  const auto ports = ListSerialPorts((m_root / "no-such-folder").string());
  ASSERT_EQ(ports.size(), 1u);
  EXPECT_EQ(ports[0].name, "/tmp/kx2sim");
}
