#pragma once

#include <optional>
#include <string>

#include "core/paper_layout.h"

namespace mirvale {

// The settings file PrinterSetup keeps: a small INI text with a [PageSetup] section.
//
//   [PageSetup]
//   PaperWidthMm=210
//   PaperHeightMm=297
//   Orientation=Portrait        (or Landscape)
//   MarginLeftMm=15             (and MarginTopMm, MarginRightMm, MarginBottomMm)
//
// Reading starts from the defaults and takes every key that holds a sensible value, so a
// hand-edited or partly damaged file still gives a usable layout. nullopt when the file
// cannot be opened.
std::optional<PaperLayout> ReadPageSetupFile(const std::string& path);

// False when the file cannot be written; nothing else happens then.
bool WritePageSetupFile(const std::string& path, const PaperLayout& layout);

}  // namespace mirvale
