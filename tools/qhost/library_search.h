#pragma once

#include <memory>
#include <string>
#include <vector>

#include "library_loader.h"

namespace qhost {

// Where the library is looked for without --library: the top of the build tree that holds
// this executable (build/tools/qhost/qhost beside build/libquorlin.so), then beside the
// executable, then an installed lib folder, each under every name of LibraryFileNames. The
// first file found is the only candidate; when none is found, the names go to the system's
// loader, which searches its own paths.
std::vector<std::string> DefaultLibraryCandidates();

// Loads the first candidate that loads. Throws LibraryLoadError with every candidate's reason
// when none does.
std::unique_ptr<SharedLibrary> LoadFirstOf(const std::vector<std::string>& candidates);

}  // namespace qhost
