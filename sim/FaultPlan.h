#pragma once
// Misbehaviour on demand: each fault applies to the commands that begin with
// its command text (any command when empty), for its next `count` matches or
// for ever (count < 0). The first fault in the plan that matches wins.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "sim/FaultKind.h"

namespace sim {

struct Fault {
  FaultKind kind = FaultKind::NoAnswer;
  std::string command;  // prefix, compared without regard to case
  int count = 1;
  uint32_t delayMs = 0;
  int lines = 0;
};

class FaultPlan {
 public:
  void Add(const Fault& fault);
  void Clear();
  bool Empty() const { return m_faults.empty(); }
  // The fault for this command, if any; uses up one of its count.
  std::optional<Fault> Take(const std::string& command);

  // "KIND[=N][*COUNT][@COMMAND]", e.g. "ng@RD SYS", "delay=3000*2", "stall=5@RD ALL",
  // KIND a name of kFaultKinds. Without *COUNT the fault stays for good.
  static std::optional<Fault> Parse(const std::string& scenario, std::string* error);

 private:
  std::vector<Fault> m_faults;
};

}  // namespace sim
