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
  for (const FaultKindInfo& k : kFaultKinds) {
    if (rest != k.name) continue;
    fault.kind = k.kind;
    int value = 0;
    const bool needsNumber = !k.number.empty();
    if (needsNumber && (!ParseInt(number, &value) || value < 0)) {
      *error = "fault '" + rest + "' needs =" + std::string(k.number);
      return std::nullopt;
    }
    if (!needsNumber && !number.empty()) {
      *error = "fault '" + rest + "' takes no number";
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
