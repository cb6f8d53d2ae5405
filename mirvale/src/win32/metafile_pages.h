#pragma once

#include <string>

#include "win32/page_render.h"

namespace mirvale {

// Writes every page as an enhanced metafile of the paper's size, without any window or
// printer: page 1 to path, page n to path with "-n" before its extension. False when a
// file cannot be written.
bool WriteMetafiles(const std::string& path, const PageSet& pages);

// The file page (from 1) goes to.
std::string MetafilePagePath(const std::string& path, int page);

}  // namespace mirvale
