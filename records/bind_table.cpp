#include "records/bind_table.h"

#include <cstring>
#include <new>
#include <vector>

#include "frame/failure.h"
#include "platform/file_exception.h"
#include "schema/grid_file.h"

namespace quorlin::records {
namespace {

constexpr int kBindTableColumns = 4;

// Copies a cell text up to its terminator, stopping at the field's end without one.
void CopyText(const schema::GridCell& cell, char (&field)[64]) {
  const std::string text = cell.Text();
  const std::size_t length = text.size() < sizeof field ? text.size() : sizeof field - 1;
  std::memcpy(field, text.data(), length);
  std::memset(field + length, 0, sizeof field - length);
}

}  // namespace

BindTableResult ReadBindTable(const std::string& path, BindEntries& entries, std::uint32_t& count) {
  schema::GridFile file;
  if (!file.Open(path)) return BindTableResult::kNotOpened;
  try {
    file.ReadCounts();
    if (file.ColumnCount() != kBindTableColumns) return BindTableResult::kNotBindTable;
    // Without a caption row the entry count would wrap round; a file too short for its
    // rows would make entries of bytes that are not there.
    if (file.RowCount() < 1) return BindTableResult::kDamaged;
    const auto rows = static_cast<std::uint32_t>(file.RowCount()) - 1;
    if (!file.Holds(rows)) return BindTableResult::kDamaged;
    BindEntries block(
        static_cast<BindEntry*>(::operator new(sizeof(BindEntry) * (rows > 0 ? rows : 1))));
    std::vector<schema::GridCell> row;
    file.ReadRow(row);  // the caption row means nothing to the library
    for (std::uint32_t i = 0; i < rows; ++i) {
      file.ReadRow(row);
      BindEntry& entry = block.get()[i];
      CopyText(row[1], entry.fieldName);
      entry.typeCode = row[2].value;
      CopyText(row[3], entry.detail);
    }
    entries = std::move(block);
    count = rows;
  } catch (const platform::CFileException&) {
    return BindTableResult::kDamaged;
  }
  return BindTableResult::kRead;
}

int GetBindTable(const char* path, BindEntry** entries, unsigned int* count) {
  if (entries == nullptr || count == nullptr) return 0;
  BindEntries block;
  std::uint32_t read = 0;
  const BindTableResult result = ReadBindTable(path != nullptr ? path : "", block, read);
  switch (result) {
    case BindTableResult::kRead:
      *entries = block.release();
      *count = read;
      return 1;
    case BindTableResult::kNotOpened:
      return 0;
    case BindTableResult::kNotBindTable:
      *entries = nullptr;
      return 0;
    case BindTableResult::kDamaged:
      *entries = nullptr;
      throw frame::Failure::OfProfile(profile::Failure::kGridFileUnreadable);
  }
  return 0;
}

}  // namespace quorlin::records
