// libFuzzer target for the grid-file readers: every input is written to a file and read as a
// grid of any column count, as a datasheet, as a bind table, and through the GetBindTable
// export. What each returns is compared with the input's own bytes, so that a reader which
// accepts a file too short for its counts, drops or invents rows, or mangles a cell traps
// here even when the sanitizers see nothing wrong.
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>
#include <string>
#include <vector>

#include "frame/frame_state.h"
#include "grid_bytes.h"
#include "platform/file_exception.h"
#include "profiles/profile.h"
#include "quorlin.h"
#include "records/bind_table.h"
#include "schema/datasheet.h"
#include "schema/grid_file.h"
#include "temp_dir.h"

#define FUZZ_CHECK(condition)                                                                    \
  do {                                                                                           \
    if (!(condition)) {                                                                          \
      std::fprintf(stderr, "grid_reader_fuzz.cpp:%d: check failed: %s\n", __LINE__, #condition); \
      __builtin_trap();                                                                          \
    }                                                                                            \
  } while (0)

namespace quorlin::fuzz {
namespace {

using records::BindTableResult;
using schema::DatasheetResult;

constexpr int kDatasheetColumns = 6;
constexpr int kBindTableColumns = 4;

// The readers take a path, so each input is written to one file, rewritten on every run. The
// folder belongs to this process alone: parallel fuzzing jobs never share it.
const std::string& InputPath() {
  static const test::TempDir folder;
  static const std::string path = folder.Path("input.grid");
  return path;
}

void WriteInput(const std::string& path, const std::uint8_t* data, std::size_t size) {
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
  std::size_t done = 0;
  while (fd >= 0 && done < size) {
    const ssize_t written = ::write(fd, data + done, size - done);
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) break;
    done += static_cast<std::size_t>(written);
  }
  if (fd < 0 || done != size || ::close(fd) != 0) {
    // The harness, not the library, failed: stop rather than test a file that is not the input.
    std::perror(path.c_str());
    std::abort();
  }
}

// What the profile reports for a damaged file: its built-in text, or the English text of its
// message (the fuzzer never changes the locale).
std::string DamageMessage() {
  const profile::FailureReport& report = profile::ReportOf(profile::Failure::kGridFileUnreadable);
  if (report.kind == profile::FailureReport::Kind::kText) return report.text;
  const platform::StringTable& table = profile::Active().messages;
  for (std::size_t i = 0; i < table.count; ++i) {
    if (table.entries[i].id == report.messageId) return table.entries[i].english;
  }
  return {};
}

DatasheetResult ExpectedDatasheet(const GridBytes& bytes) {
  if (!bytes.HasCounts()) return DatasheetResult::kDamaged;
  if (bytes.Columns() != kDatasheetColumns) return DatasheetResult::kNotDatasheet;
  if (bytes.Rows() <= 1) return DatasheetResult::kRead;
  return bytes.Backs(static_cast<std::uint64_t>(bytes.Rows())) ? DatasheetResult::kRead
                                                               : DatasheetResult::kDamaged;
}

BindTableResult ExpectedBindTable(const GridBytes& bytes) {
  if (!bytes.HasCounts()) return BindTableResult::kDamaged;
  if (bytes.Columns() != kBindTableColumns) return BindTableResult::kNotBindTable;
  if (bytes.Rows() < 1) return BindTableResult::kDamaged;
  return bytes.Backs(static_cast<std::uint64_t>(bytes.Rows())) ? BindTableResult::kRead
                                                               : BindTableResult::kDamaged;
}

// The C library's reading of a width text, clamped to int: what atoi means where it is defined.
int ExpectedWidth(const std::string& text) {
  const long long value = std::strtoll(text.c_str(), nullptr, 10);
  if (value > INT_MAX) return INT_MAX;
  if (value < INT_MIN) return INT_MIN;
  return static_cast<int>(value);
}

// The container alone, with whatever column count the file claims: Holds must agree with
// the file's length for every count, and the rows it vouches for read back as they were
// written.
void CheckGridFile(const GridBytes& bytes, const std::string& path) {
  schema::GridFile file;
  FUZZ_CHECK(file.Open(path));
  try {
    file.ReadCounts();
  } catch (const platform::CFileException&) {
    FUZZ_CHECK(!bytes.HasCounts());
    return;
  }
  FUZZ_CHECK(bytes.HasCounts());
  FUZZ_CHECK(file.RowCount() == bytes.Rows() && file.ColumnCount() == bytes.Columns());
  if (bytes.Rows() < 1) return;
  const auto rows = static_cast<std::uint64_t>(bytes.Rows());
  FUZZ_CHECK(file.Holds(rows - 1) == bytes.Backs(rows));
  if (!bytes.Backs(rows)) return;
  std::vector<schema::GridCell> cells;
  for (std::uint64_t row = 0; row < rows; ++row) {
    file.ReadRow(cells);
    FUZZ_CHECK(cells.size() == static_cast<std::size_t>(bytes.Columns()));
    for (int column = 0; column < bytes.Columns(); ++column) {
      FUZZ_CHECK(cells[column].Text() == bytes.Text(row, column));
      FUZZ_CHECK(cells[column].value == bytes.Value(row, column));
    }
  }
}

void CheckDatasheet(const GridBytes& bytes, const std::string& path) {
  std::vector<schema::ColumnDef> columns;
  const DatasheetResult result = schema::ReadDatasheet(path, columns);
  FUZZ_CHECK(result == ExpectedDatasheet(bytes));
  if (result != DatasheetResult::kRead) {
    FUZZ_CHECK(columns.empty());
    return;
  }
  const std::uint64_t dataRows =
      bytes.Rows() > 1 ? static_cast<std::uint64_t>(bytes.Rows()) - 1 : 0;
  FUZZ_CHECK(columns.size() == dataRows);
  FUZZ_CHECK(dataRows == 0 || bytes.Backs(dataRows + 1));
  for (std::uint64_t i = 0; i < dataRows; ++i) {
    const schema::ColumnDef& column = columns[i];
    const std::uint64_t row = i + 1;  // after the caption row
    FUZZ_CHECK(column.name.size() <= GridBytes::kTextSize);
    FUZZ_CHECK(column.name == bytes.Text(row, 1));
    FUZZ_CHECK(column.typeCode >= 0);
    FUZZ_CHECK(column.typeCode == (bytes.Value(row, 2) < 0 ? 0 : bytes.Value(row, 2)));
    FUZZ_CHECK(column.width == ExpectedWidth(bytes.Text(row, 3)));
    FUZZ_CHECK(column.extraB == bytes.Value(row, 4));
    FUZZ_CHECK(column.extraA == bytes.Value(row, 5));
  }
}

// A BindEntry text: the cell's text cut to 63 bytes, terminated, and zero up to the end, so
// that no stale heap bytes reach the host.
void CheckEntryText(const char (&field)[64], const std::string& cellText) {
  const std::size_t length = cellText.size() < sizeof field ? cellText.size() : sizeof field - 1;
  FUZZ_CHECK(std::memcmp(field, cellText.data(), length) == 0);
  for (std::size_t i = length; i < sizeof field; ++i) FUZZ_CHECK(field[i] == '\0');
}

void CheckEntries(const GridBytes& bytes, const BindEntry* entries, std::uint32_t count) {
  for (std::uint32_t i = 0; i < count; ++i) {
    const std::uint64_t row = static_cast<std::uint64_t>(i) + 1;  // after the caption row
    CheckEntryText(entries[i].fieldName, bytes.Text(row, 1));
    FUZZ_CHECK(entries[i].typeCode == bytes.Value(row, 2));
    CheckEntryText(entries[i].detail, bytes.Text(row, 3));
  }
}

void CheckBindTable(const GridBytes& bytes, const std::string& path) {
  records::BindEntries entries;
  std::uint32_t count = 0;
  const BindTableResult result = records::ReadBindTable(path, entries, count);
  FUZZ_CHECK(result == ExpectedBindTable(bytes));
  if (result != BindTableResult::kRead) {
    FUZZ_CHECK(entries == nullptr);
    return;
  }
  FUZZ_CHECK(entries != nullptr);
  FUZZ_CHECK(count == static_cast<std::uint32_t>(bytes.Rows()) - 1);
  FUZZ_CHECK(bytes.Backs(static_cast<std::uint64_t>(count) + 1));
  CheckEntries(bytes, entries.get(), count);
}

// The export as a host calls it: the block it hands out is freed with operator delete, and
// a damaged file leaves message 1606 in the last-error text.
void CheckGetBindTableExport(const GridBytes& bytes, const std::string& path) {
  frame::Frame().lastError.Set("");
  BindEntry unset{};
  BindEntry* entries = &unset;
  unsigned int count = 0;
  const int done = ::GetBindTable(path.c_str(), &entries, &count);
  const BindTableResult expected = ExpectedBindTable(bytes);
  if (expected != BindTableResult::kRead) {
    FUZZ_CHECK(done == 0);
    FUZZ_CHECK(entries == nullptr);
    if (expected == BindTableResult::kDamaged) {
      FUZZ_CHECK(frame::Frame().lastError.Text() == DamageMessage());
    }
    return;
  }
  FUZZ_CHECK(done == 1);
  FUZZ_CHECK(entries != nullptr && entries != &unset);
  FUZZ_CHECK(count == static_cast<std::uint32_t>(bytes.Rows()) - 1);
  CheckEntries(bytes, entries, count);
  ::operator delete(entries);
}

}  // namespace
}  // namespace quorlin::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace quorlin::fuzz;
  const std::string& path = InputPath();
  WriteInput(path, data, size);
  const GridBytes bytes(data, size);
  CheckGridFile(bytes, path);
  CheckDatasheet(bytes, path);
  CheckBindTable(bytes, path);
  CheckGetBindTableExport(bytes, path);
  return 0;
}
