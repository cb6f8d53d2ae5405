#pragma once

#include <stdexcept>
#include <string>
#include <vector>

namespace qhost {

// A CSV file that cannot be read as CSV; the text names the file and the line.
class CsvError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// One record of a CSV file and the line it starts on (counting from 1), for messages.
struct CsvRecord {
  int line = 0;
  std::vector<std::string> fields;
};

// Reads CSV as spreadsheets write it: fields separated by commas, records by LF or CRLF; a
// field in double quotes may hold commas, line ends and doubled quotes (""). A UTF-8 byte
// order mark at the start is skipped, and so are empty lines. Field texts are kept exactly,
// blanks included. Throws CsvError for a quote that is never closed, text after a closing
// quote, a quote inside an unquoted field, and zero bytes (a grid cell could not keep them).
// `sourceName` names the text in messages.
std::vector<CsvRecord> ParseCsv(const std::string& text, const std::string& sourceName);

// ParseCsv on a whole file; throws CsvError when the file cannot be read.
std::vector<CsvRecord> ReadCsvFile(const std::string& path);

}  // namespace qhost
