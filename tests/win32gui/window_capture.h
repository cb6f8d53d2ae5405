#pragma once

#include <windows.h>

#include <string>

namespace quorlin::test {

// Where the tests keep their screenshots (QUORLIN_TEST_ARTEFACTS, set by CTest to a folder in
// the build tree; the current folder otherwise). The folder is made when missing.
std::string ArtefactPath(const std::string& name);

// The window as it stands on the screen, saved as a 24-bit BMP file; false if that failed.
bool SaveWindowBitmap(HWND window, const std::string& path);

}  // namespace quorlin::test
