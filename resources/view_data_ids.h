#pragma once

namespace quorlin::resources {

// The id of the "View data" dialog's template and the ids of its controls, from the template.
#define QUORLIN_VIEW_DATA_DIALOG(id, ...) inline constexpr unsigned kViewDataTemplateId = id;
#define QUORLIN_VIEW_DATA_CONTROL(...)
#include "resources/view_data_template.inc"
#undef QUORLIN_VIEW_DATA_CONTROL
#undef QUORLIN_VIEW_DATA_DIALOG

enum ViewDataControl : int {
#define QUORLIN_VIEW_DATA_DIALOG(...)
#define QUORLIN_VIEW_DATA_CONTROL(name, id, ...) name = id,
#include "resources/view_data_template.inc"
#undef QUORLIN_VIEW_DATA_CONTROL
#undef QUORLIN_VIEW_DATA_DIALOG
};

}  // namespace quorlin::resources
