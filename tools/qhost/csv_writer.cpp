#include "csv_writer.h"

namespace qhost {

namespace {

std::string CsvLine(const std::vector<std::string>& fields, const char* lineEnd) {
  if (fields.size() == 1 && fields.front().empty()) return std::string("\"\"") + lineEnd;
  std::string line;
  for (std::size_t i = 0; i < fields.size(); ++i) {
    if (i > 0) line += ',';
    line += CsvField(fields[i]);
  }
  return line + lineEnd;
}

}  // namespace

std::string CsvField(const std::string& text) {
  if (text.find_first_of(",\"\r\n") == std::string::npos) return text;
  std::string quoted = "\"";
  for (char c : text) {
    if (c == '"') quoted += '"';
    quoted += c;
  }
  return quoted + "\"";
}

std::string CsvText(const std::vector<std::string>& header,
                    const std::vector<std::vector<std::string>>& rows, const char* lineEnd) {
  std::string text = CsvLine(header, lineEnd);
  for (const auto& row : rows) text += CsvLine(row, lineEnd);
  return text;
}

}  // namespace qhost
