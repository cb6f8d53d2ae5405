#pragma once

#include <windows.h>

#include <optional>

#include "core/paper_layout.h"

namespace mirvale {

// The system's page-setup dialog over parent (may be null), starting from layout: paper,
// orientation and margins. The operator's choices, or nullopt when cancelled or failed.
std::optional<PaperLayout> RunPageSetupDialog(const PaperLayout& layout, HWND parent);

}  // namespace mirvale
