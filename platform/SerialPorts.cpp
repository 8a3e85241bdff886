#include "platform/SerialPorts.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <system_error>

namespace platform {
namespace {

namespace fs = std::filesystem;

std::string FirstLine(const fs::path& file) {
  std::ifstream in(file);
  std::string line;
  if (!in || !std::getline(in, line)) return {};
  while (!line.empty() && std::isspace(static_cast<unsigned char>(line.back()))) line.pop_back();
  return line;
}

// "ttyS2" before "ttyS10": digit runs compare by value.
bool NaturalLess(const std::string& a, const std::string& b) {
  size_t i = 0, j = 0;
  while (i < a.size() && j < b.size()) {
    const bool da = std::isdigit(static_cast<unsigned char>(a[i])) != 0;
    const bool db = std::isdigit(static_cast<unsigned char>(b[j])) != 0;
    if (da && db) {
      size_t ei = i, ej = j;
      while (ei < a.size() && std::isdigit(static_cast<unsigned char>(a[ei]))) ++ei;
      while (ej < b.size() && std::isdigit(static_cast<unsigned char>(b[ej]))) ++ej;
      std::string na = a.substr(i, ei - i), nb = b.substr(j, ej - j);
      na.erase(0, std::min(na.find_first_not_of('0'), na.size()));
      nb.erase(0, std::min(nb.find_first_not_of('0'), nb.size()));
      if (na.size() != nb.size()) return na.size() < nb.size();
      if (na != nb) return na < nb;
      i = ei;
      j = ej;
    } else {
      if (a[i] != b[j]) return a[i] < b[j];
      ++i;
      ++j;
    }
  }
  return a.size() - i < b.size() - j;
}

std::string Describe(const fs::path& device) {
  // The product string sits on the USB device: the tty's device is the
  // usb-serial port (two levels below it) or the interface (one level).
  fs::path dir = device;
  for (int level = 0; level < 3 && !dir.empty(); ++level, dir = dir.parent_path()) {
    const std::string product = FirstLine(dir / "product");
    if (!product.empty()) return product;
  }
  // Newer kernels put a serial-base "port"/"ctrl" layer between the tty and
  // the driver that names the hardware; look past it.
  dir = device;
  for (int level = 0; level < 3 && !dir.empty(); ++level, dir = dir.parent_path()) {
    std::error_code ec;
    const fs::path driver = fs::read_symlink(dir / "driver", ec);
    if (ec) continue;
    if (driver.parent_path().parent_path().filename() == "serial-base") continue;
    return driver.filename().string();
  }
  return {};
}

// A USB serial adapter or modem: named so by its driver, or hanging off a USB
// bus whatever its driver calls it.
bool IsAdapter(const std::string& name, const fs::path& device) {
  if (name.rfind("ttyUSB", 0) == 0 || name.rfind("ttyACM", 0) == 0) return true;
  bool inDevices = false;  // only the device tree counts, not where sysfs sits
  for (const fs::path& part : device) {
    if (inDevices && part.string().rfind("usb", 0) == 0) return true;
    inDevices = inDevices || part == "devices";
  }
  return false;
}

}  // namespace

std::vector<SerialPortInfo> ListSerialPorts(const std::string& sysfsRoot) {
  struct Found {
    SerialPortInfo info;
    bool adapter;
  };
  std::vector<Found> found;
  std::error_code ec;
  for (fs::directory_iterator it(sysfsRoot, ec), end; !ec && it != end; it.increment(ec)) {
    const fs::path entry = it->path();
    const fs::path deviceLink = entry / "device";
    if (!fs::exists(deviceLink, ec)) {
      ec.clear();
      continue;
    }
    // The serial core keeps a tty for every legacy port it probed; type 0
    // means no UART answered there.
    if (FirstLine(entry / "type") == "0") continue;
    const fs::path device = fs::canonical(deviceLink, ec);
    const std::string name = entry.filename().string();
    found.push_back({{name, ec ? std::string() : Describe(device)}, IsAdapter(name, ec ? fs::path() : device)});
    ec.clear();
  }
  // A logger hangs on a USB adapter far more often than on a built-in UART,
  // which nearly every PC has and which the list would otherwise put first.
  std::sort(found.begin(), found.end(), [](const Found& a, const Found& b) {
    if (a.adapter != b.adapter) return a.adapter;
    return NaturalLess(a.info.name, b.info.name);
  });

  // The ports the user named come first, in the order named; a name that is
  // also a listed port (as "ttyUSB0" or "/dev/ttyUSB0") takes that row along.
  std::vector<SerialPortInfo> ports;
  const char* extra = std::getenv("KX2_PORTS");
  const std::string list = extra ? extra : "";
  for (size_t start = 0; extra && start <= list.size();) {
    const size_t colon = std::min(list.find(':', start), list.size());
    const std::string path = list.substr(start, colon - start);
    start = colon + 1;
    const auto names = [&path](const std::string& name) { return name == path || "/dev/" + name == path; };
    const bool seen = std::any_of(ports.begin(), ports.end(), [&](const SerialPortInfo& p) { return names(p.name); });
    if (path.empty() || seen) continue;
    const auto listed = std::find_if(found.begin(), found.end(), [&](const Found& f) { return names(f.info.name); });
    if (listed == found.end()) {
      ports.push_back({path, "Virtual port"});
      continue;
    }
    ports.push_back(listed->info);
    found.erase(listed);
  }
  for (Found& f : found) ports.push_back(std::move(f.info));
  return ports;
}

}  // namespace platform
