#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace qhost {

// Prints rows of texts as aligned columns under a header line.
void PrintTable(const std::vector<std::string>& header,
                const std::vector<std::vector<std::string>>& rows, std::ostream& out);

}  // namespace qhost
