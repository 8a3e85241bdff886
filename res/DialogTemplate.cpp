#include "res/DialogTemplate.h"

#include <algorithm>

#include "res/TemplateSet.h"

namespace res {
namespace {

template <typename Fn>
void ForEachSet(Fn fn) {
  for (const auto* set : {&FrameTemplates(), &PageTemplates(), &WizardTemplates()}) {
    for (const DialogTemplateData& t : *set) fn(t);
  }
}

}  // namespace

const DialogTemplateData* FindDialogTemplate(unsigned id) {
  const DialogTemplateData* found = nullptr;
  ForEachSet([&](const DialogTemplateData& t) {
    if (!found && t.id == id) found = &t;
  });
  return found;
}

std::vector<unsigned> AllDialogTemplateIds() {
  std::vector<unsigned> ids;
  ForEachSet([&](const DialogTemplateData& t) { ids.push_back(t.id); });
  std::sort(ids.begin(), ids.end());
  return ids;
}

}  // namespace res
