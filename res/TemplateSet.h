#pragma once
// The dialog templates by area, each set in its own source file;
// DialogTemplate.cpp looks them up.

#include <utility>
#include <vector>

#include "res/DialogTemplate.h"

namespace res {

// Face of the templates' own fonts; the dialog-font pattern replaces it.
inline constexpr const char* kTemplateFace = "ＭＳ ゴシック";

// A template in the template font; rows in tab order.
inline DialogTemplateData Dialog(unsigned id, const char* caption, int cx, int cy, uint32_t style, int pointSize,
                                 std::vector<ControlTemplate> controls) {
  return {id, caption, cx, cy, style, kTemplateFace, pointSize, std::move(controls)};
}

// About box, port selection, panel, terminal, progress, record range,
// downloaded data, current values, firmware update.
const std::vector<DialogTemplateData>& FrameTemplates();
// The five logger pages of the panel.
const std::vector<DialogTemplateData>& PageTemplates();
// Item tree and wizard input pages.
const std::vector<DialogTemplateData>& WizardTemplates();

}  // namespace res
