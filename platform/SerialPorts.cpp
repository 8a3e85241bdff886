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

}  // namespace

std::vector<SerialPortInfo> ListSerialPorts(const std::string& sysfsRoot) {
  std::vector<SerialPortInfo> ports;
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
    ports.push_back({entry.filename().string(), ec ? std::string() : Describe(device)});
    ec.clear();
  }
  std::sort(ports.begin(), ports.end(),
            [](const SerialPortInfo& a, const SerialPortInfo& b) { return NaturalLess(a.name, b.name); });

  if (const char* extra = std::getenv("KX2_PORTS")) {
    const std::string list = extra;
    size_t start = 0;
    while (start <= list.size()) {
      const size_t colon = std::min(list.find(':', start), list.size());
      const std::string path = list.substr(start, colon - start);
      const bool seen =
          std::any_of(ports.begin(), ports.end(), [&](const SerialPortInfo& p) { return p.name == path; });
      if (!path.empty() && !seen) ports.push_back({path, "Virtual port"});
      start = colon + 1;
    }
  }
  return ports;
}

}  // namespace platform
