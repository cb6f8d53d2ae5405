#pragma once

#include <string>

class wxWindow;

namespace quorlin::test {

// Where the tests keep their screenshots and printed files (QUORLIN_TEST_ARTEFACTS, set by
// CTest to a folder in the build tree; the current folder otherwise).
std::string ArtefactPath(const std::string& name);

// The window as it stands on the screen, saved as a PNG; false if that failed.
bool SaveScreenshot(wxWindow& window, const std::string& path);

}  // namespace quorlin::test
