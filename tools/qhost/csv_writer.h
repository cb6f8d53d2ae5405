#pragma once

#include <string>
#include <vector>

namespace qhost {

// Line ends of written CSV: files get CR LF, as RFC 4180 has it; the screen gets LF, like
// every other line of a transcript.
constexpr char kCsvFileLineEnd[] = "\r\n";
constexpr char kCsvScreenLineEnd[] = "\n";

// One CSV field as RFC 4180 writes it: in double quotes, with its quotes doubled, when it
// holds a comma, a double quote, CR or LF; as it is otherwise. Bytes are kept as they are,
// so texts in the locale's character set (UTF-8, GBK) pass unchanged.
std::string CsvField(const std::string& text);

// A header line and the records, each field written by CsvField and each line ended by
// `lineEnd`. A record of one empty field is written as "" so that it does not read as an
// empty line, which readers skip.
std::string CsvText(const std::vector<std::string>& header,
                    const std::vector<std::vector<std::string>>& rows, const char* lineEnd);

}  // namespace qhost
