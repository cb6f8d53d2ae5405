#include "library_walk.h"

#include <cstring>
#include <stdexcept>
#include <utility>

#include "quorlin.h"

namespace quorlin::bench {
namespace {

std::vector<BindEntry> BindEntries(const std::vector<std::string>& columns) {
  std::vector<BindEntry> entries(columns.size());
  for (std::size_t i = 0; i < columns.size(); ++i) {
    std::memset(&entries[i], 0, sizeof entries[i]);
    std::strncpy(entries[i].fieldName, columns[i].c_str(), sizeof entries[i].fieldName - 1);
    entries[i].typeCode = QUORLIN_TYPE_CHAR;
  }
  return entries;
}

// SQLGet copies like strncpy: a value that fills its slot has no terminator.
std::string SlotText(const char* slot) {
  const void* end = std::memchr(slot, '\0', QUORLIN_GET_SLOT_SIZE);
  return std::string(slot, end ? static_cast<const char*>(end) - slot : QUORLIN_GET_SLOT_SIZE);
}

}  // namespace

std::string LibraryLastError() {
  char text[QUORLIN_LAST_ERROR_SIZE] = {0};
  return SQLLastError(text, sizeof text) == 0 ? text : "(no last-error text)";
}

void LibrarySelect(int id, const std::string& table) {
  if (SQLSelectToTable(id, table.c_str(), "") != 0) {
    throw std::runtime_error("SQLSelectToTable failed: " + LibraryLastError());
  }
}

WalkResult LibrarySelectWalk(int id, const std::string& table,
                             const std::vector<std::string>& columns) {
  const std::vector<BindEntry> entries = BindEntries(columns);
  const int count = static_cast<int>(entries.size());
  // Two blocks taken in turn: the failed read at the end zero-fills only the spare one, so the
  // last record's values survive without a copy per record.
  const std::size_t blockSize = entries.size() * QUORLIN_GET_SLOT_SIZE;
  std::vector<char> blocks(2 * blockSize);
  char* block = blocks.data();
  char* spare = blocks.data() + blockSize;
  const char* lastRead = nullptr;
  WalkResult result;
  result.selectTime = TimeOf([&] { LibrarySelect(id, table); });
  do {
    if (SQLGet(count, entries.data(), block) != 1) continue;
    for (int c = 0; c < count; ++c) {
      result.checksum += static_cast<unsigned char>(block[c * QUORLIN_GET_SLOT_SIZE]);
    }
    if (++result.records == 1) result.firstId = SlotText(block);
    lastRead = block;
    std::swap(block, spare);
  } while (SQLMoveRecord(QUORLIN_MOVE_NEXT) != -1);
  if (lastRead != nullptr) result.lastId = SlotText(lastRead);
  return result;
}

long LibraryMoveToEnd() {
  long moves = 0;
  while (SQLMoveRecord(QUORLIN_MOVE_NEXT) != -1) ++moves;
  return moves;
}

RowCountProbe ProbeRowCount(const std::string& idField) {
  RowCountProbe probe;
  probe.time = TimeOf([&] { probe.count = SQLGetRowCount(); });
  char value[QUORLIN_GET_SLOT_SIZE + 1] = {0};
  if (SQLGetFieldValue(idField.c_str(), value, QUORLIN_GET_SLOT_SIZE) == 1) probe.idAfter = value;
  return probe;
}

}  // namespace quorlin::bench
