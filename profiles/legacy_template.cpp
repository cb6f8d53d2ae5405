#include "profiles/legacy_template.h"

#include <vector>

#include "resources/view_data_ids.h"

namespace quorlin::profile {
namespace {

using resources::ControlKind;
using resources::DialogTemplate;
using resources::TemplateControl;

bool IsPrintButton(int id) {
  return id == resources::kPreviewButton || id == resources::kPrinterSetupButton ||
         id == resources::kPrintButton;
}

// The Chinese template's controls, in template order, less the print buttons.
std::vector<TemplateControl> LegacyControls(const DialogTemplate& chinese) {
  std::vector<TemplateControl> controls;
  for (std::size_t i = 0; i < chinese.controlCount; ++i) {
    TemplateControl control = chinese.controls[i];
    if (IsPrintButton(control.id)) continue;
    if (control.id == resources::kTableNameEdit) control.kind = ControlKind::kReadOnlyEdit;
    controls.push_back(control);
  }
  return controls;
}

}  // namespace

const DialogTemplate& LegacyViewDataTemplate(bool) {
  static const DialogTemplate& chinese = resources::ViewDataTemplate(true);
  static const std::vector<TemplateControl> controls = LegacyControls(chinese);
  static const DialogTemplate legacy = {
      chinese.id, chinese.title,   chinese.width,   chinese.height,
      8,          "MS Sans Serif", controls.data(), controls.size()};
  return legacy;
}

}  // namespace quorlin::profile
