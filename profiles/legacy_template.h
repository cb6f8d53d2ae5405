#pragma once

#include "resources/view_data_template.h"

namespace quorlin::profile {

// The legacy "View data" template: Chinese whatever the interface language, 8 pt
// "MS Sans Serif", without the Preview, Printer setup and Print buttons, and with a
// read-only table-name field.
const resources::DialogTemplate& LegacyViewDataTemplate(bool chinese);

}  // namespace quorlin::profile
