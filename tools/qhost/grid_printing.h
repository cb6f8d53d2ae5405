#pragma once

#include <ostream>
#include <string>

namespace qhost {

// Prints every cell of a grid file as "text" value, a row per line under the column titles
// of its layout (datasheet, bind table) or plain column numbers, then what the file holds.
// Damaged files are refused by ReadGridFile before anything is printed.
void PrintGridFile(const std::string& path, std::ostream& out);

}  // namespace qhost
