#pragma once

#include <windows.h>

#include <memory>
#include <type_traits>

#include "core/paper_layout.h"

namespace mirvale {

// Owns movable global memory, as the common dialogs hand device modes and names back in.
struct GlobalMemoryDeleter {
  void operator()(HGLOBAL memory) const { GlobalFree(memory); }
};
using GlobalMemory = std::unique_ptr<std::remove_pointer_t<HGLOBAL>, GlobalMemoryDeleter>;

// A device mode asking for the layout's paper and orientation, for the dialogs to start from.
GlobalMemory DevModeFor(const PaperLayout& layout);

// The default printer's names, for the dialogs to start from: a device mode without them
// is not enough for every implementation of the page-setup dialog. Null without a default
// printer (the dialogs then say there is none).
GlobalMemory DevNamesOfDefaultPrinter();

// Whether the device mode the dialog returned lies the paper on its side.
bool DevModeIsLandscape(HGLOBAL devMode, bool otherwise);

}  // namespace mirvale
