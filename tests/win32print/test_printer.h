#pragma once

namespace quorlin::test {

// Makes a PostScript printer that prints to a file the system's default printer of this
// Wine prefix (once; later calls find it there). False when it cannot be installed.
bool InstallFilePrinter();

}  // namespace quorlin::test
