#pragma once
// The serial ports present on this machine, for the port selection list.

#include <string>
#include <vector>

namespace platform {

struct SerialPortInfo {
  std::string name;         // "ttyUSB0" (opened as "\\.\ttyUSB0"), or a path as given in KX2_PORTS
  std::string description;  // USB product string, else driver name; "Virtual port" for KX2_PORTS
};

// The ports in the order a logger is likely to be found on them: first each
// path of the colon-separated environment variable KX2_PORTS in its order,
// then every tty under sysfsRoot that has a device behind it (a UART that the
// serial driver found absent is left out), USB adapters and modems before the
// rest, each group in natural name order. A KX2_PORTS entry that names a
// listed tty ("ttyUSB0" or "/dev/ttyUSB0") moves that tty to its place.
std::vector<SerialPortInfo> ListSerialPorts(const std::string& sysfsRoot = "/sys/class/tty");

}  // namespace platform
