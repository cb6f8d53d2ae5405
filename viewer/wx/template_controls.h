#pragma once

#include "resources/view_data_template.h"

class wxDialog;

namespace quorlin::viewer {

// Gives the dialog the template's title and size and creates its controls, in template
// order (the tab order), at the template's places converted from dialog units with the
// dialog's own font.
void BuildFromTemplate(wxDialog& dialog, const resources::DialogTemplate& dialogTemplate);

}  // namespace quorlin::viewer
