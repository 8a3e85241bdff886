#include "sim/FaultPlan.h"

#include "sim/SimText.h"

namespace sim {

void FaultPlan::Add(const Fault& fault) {
  if (fault.count != 0) m_faults.push_back(fault);
}

void FaultPlan::Clear() { m_faults.clear(); }

std::optional<Fault> FaultPlan::Take(const std::string& command) {
  const std::string upper = ToUpper(command);
  for (auto it = m_faults.begin(); it != m_faults.end(); ++it) {
    if (upper.compare(0, it->command.size(), ToUpper(it->command)) != 0) continue;
    Fault fault = *it;
    if (it->count > 0 && --it->count == 0) m_faults.erase(it);
    return fault;
  }
  return std::nullopt;
}

std::optional<Fault> FaultPlan::Parse(const std::string& scenario, std::string* error) {
  struct Name {
    const char* name;
    FaultKind kind;
    bool needsNumber;
  };
  static const Name kNames[] = {
      {"noanswer", FaultKind::NoAnswer, false},
      {"delay", FaultKind::Delay, true},
      {"ng", FaultKind::Ng, false},
      {"notend", FaultKind::NotEnd, false},
      {"garbage", FaultKind::Garbage, false},
      {"split", FaultKind::Split, false},
      {"hash", FaultKind::HashLines, false},
      {"long", FaultKind::LongLine, false},
      {"stall", FaultKind::Stall, true},
      {"vanish", FaultKind::Vanish, false},
      {"novalue", FaultKind::NoValue, false},
      {"ignoreesc", FaultKind::IgnoreEsc, false},
      {"giveup", FaultKind::GiveUp, true},
      {"giveupng", FaultKind::GiveUpNg, true},
      {"pace", FaultKind::Pace, true},
  };
  Fault fault;
  fault.count = -1;
  std::string rest = scenario;
  if (const auto at = rest.find('@'); at != std::string::npos) {
    fault.command = rest.substr(at + 1);
    rest.erase(at);
  }
  if (const auto star = rest.find('*'); star != std::string::npos) {
    if (!ParseInt(rest.substr(star + 1), &fault.count) || fault.count <= 0) {
      *error = "bad count in fault '" + scenario + "'";
      return std::nullopt;
    }
    rest.erase(star);
  }
  std::string number;
  if (const auto eq = rest.find('='); eq != std::string::npos) {
    number = rest.substr(eq + 1);
    rest.erase(eq);
  }
  for (const Name& n : kNames) {
    if (rest != n.name) continue;
    fault.kind = n.kind;
    int value = 0;
    if (n.needsNumber && (!ParseInt(number, &value) || value < 0)) {
      *error = std::string("fault '") + n.name + "' needs =NUMBER";
      return std::nullopt;
    }
    if (!n.needsNumber && !number.empty()) {
      *error = std::string("fault '") + n.name + "' takes no number";
      return std::nullopt;
    }
    fault.delayMs = static_cast<uint32_t>(value);
    fault.lines = value;
    return fault;
  }
  *error = "unknown fault '" + rest + "'";
  return std::nullopt;
}

}  // namespace sim
