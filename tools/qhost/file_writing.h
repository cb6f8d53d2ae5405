#pragma once

#include <string>

namespace qhost {

// Writes the bytes as the whole file: first into PATH.part, then renamed over PATH, so that
// a write that fails leaves an existing file as it was. Throws std::runtime_error naming the
// file.
void WriteWholeFile(const std::string& path, const std::string& bytes);

}  // namespace qhost
