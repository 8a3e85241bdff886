#include "sim/FaultKind.h"

#include <algorithm>

namespace sim {

std::string FaultKindHelp(std::string_view indent) {
  constexpr size_t kColumn = 18;
  std::string help;
  for (const FaultKindInfo& k : kFaultKinds) {
    std::string form(k.name);
    if (!k.number.empty()) form.append("=").append(k.number);
    form.resize(std::max(form.size() + 1, kColumn), ' ');
    help.append(indent).append(form).append(k.meaning).append("\n");
  }
  return help;
}

}  // namespace sim
