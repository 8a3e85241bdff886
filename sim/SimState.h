#pragma once
// Everything the simulated logger remembers besides its clock and records:
// settings, the communication module's network record, live values and the
// inspection-mode flags. A plain value, copied out to tests under the
// simulator's lock.

#include <cstdint>
#include <string>
#include <vector>

namespace sim {

struct SimAlarm {
  int no = 0;
  double threshold = 0.0;  // mm
  int period = 0;          // minutes
  bool on = false;
};

struct SimState {
  // Identity, as the wake-up reply and "RD SYS" tell it.
  std::string ident = "Corvanel-QZ";
  std::string version = "1.02";
  std::string build = "24-02-20 R1.02";
  std::string serial = "A123";

  // Measurement schedule.
  bool measuring = false;
  int64_t start = 0;  // logger seconds
  int64_t next = 0;
  int sampling = 600;  // seconds
  int samplingEvent = 60;
  int sendCount = 6;
  int sendCountEvent = 1;
  int batteryStop = 3600;  // mV
  double rainPerCount = 0.5;
  SimAlarm alarm[2] = {{1, 10.0, 90, true}, {2, 5.5, 30, false}};
  int rss = 0;
  int idle = 0;
  int average = 0;
  std::string calibration;

  // Network record of the communication module.
  std::string apn = "rain.example";
  std::string user = "kx2";
  std::string password = "kx2pass";
  std::string auth = "CHAP";
  std::string imei = "356938035643809";
  std::string myDial = "0000000000";
  std::string host = "data.example.net";
  std::string port = "8080";
  std::string post = "/kx2/upload";

  // Live values.
  int batteryMv = 3610;
  double rainMm = 12.5;  // since the last rain reset
  int antenna = -85;     // dBm
  std::string moduleVersion = "MDM 2.31.0";

  // Inspection mode and the communication module under monitor.
  bool inspecting = false;
  bool monitoring = false;
  int imageLines = 0;
  // The header strings of the image being transferred: the family tag, the
  // version it brings, then what else its maker notes.
  std::vector<std::string> imageHeader;
  bool moduleOn = true;
  bool moduleAwake = false;

  std::vector<std::string> errorLog;

  // Settings back to their factory values; identity, module and live values stay.
  void ResetSettings();
};

}  // namespace sim
