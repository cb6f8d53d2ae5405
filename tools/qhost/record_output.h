#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "arguments.h"

namespace qhost {

// Where and how rows and dump show the records they read.
struct RecordOutput {
  bool csv = false;
  std::string file;  // with csv: the file to write; empty for the screen
};

// Takes the option that may come right after the command's name: --csv for CSV on the
// screen, --csv=FILE for a CSV file. Without it the records print as a table. Any other word
// starting with -- there is refused, so that a mistyped option is not taken for a field.
RecordOutput TakeRecordOutput(Arguments& arguments);

// Shows the records under their field names as `output` asks. A file is written whole or not
// at all (std::runtime_error naming it); the screen then gets one line saying so.
void ShowRecords(const RecordOutput& output, const std::vector<std::string>& names,
                 const std::vector<std::vector<std::string>>& rows, std::ostream& out);

}  // namespace qhost
