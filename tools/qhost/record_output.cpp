#include "record_output.h"

#include "csv_writer.h"
#include "file_writing.h"
#include "table_printer.h"

namespace qhost {

namespace {

constexpr char kCsvOption[] = "--csv";
constexpr char kCsvFileOption[] = "--csv=";

std::string RowCount(std::size_t count) {
  return std::to_string(count) + (count == 1 ? " row" : " rows");
}

}  // namespace

RecordOutput TakeRecordOutput(Arguments& arguments) {
  const std::optional<Word> word = arguments.Peek();
  if (!word || word->text.rfind("--", 0) != 0) return {};
  arguments.TakeOptional();
  if (word->text == kCsvOption) return {true, ""};
  if (word->text.rfind(kCsvFileOption, 0) == 0) {
    const std::string file = word->text.substr(sizeof kCsvFileOption - 1);
    if (file.empty()) throw UsageError("--csv= needs a FILE");
    return {true, file};
  }
  throw UsageError("unknown option " + word->text + " (--csv or --csv=FILE)");
}

void ShowRecords(const RecordOutput& output, const std::vector<std::string>& names,
                 const std::vector<std::vector<std::string>>& rows, std::ostream& out) {
  if (!output.csv) {
    PrintTable(names, rows, out);
    out << "(" << RowCount(rows.size()) << ")\n";
  } else if (output.file.empty()) {
    // Only the CSV, so that it can be copied as it stands.
    out << CsvText(names, rows, kCsvScreenLineEnd);
  } else {
    WriteWholeFile(output.file, CsvText(names, rows, kCsvFileLineEnd));
    out << "wrote " << output.file << ": " << RowCount(rows.size()) << " as CSV\n";
  }
}

}  // namespace qhost
