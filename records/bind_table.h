#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "quorlin.h"

namespace quorlin::records {

enum class BindTableResult {
  kRead,          // every row read
  kNotOpened,     // missing, or held by another process
  kNotBindTable,  // column count other than 4
  kDamaged,       // no caption row, shorter than its counts promise, or a read error
};

// Frees a block of entries the way hosts are told to: with operator delete.
struct BindEntriesDelete {
  void operator()(BindEntry* entries) const { ::operator delete(entries); }
};
using BindEntries = std::unique_ptr<BindEntry, BindEntriesDelete>;

// Reads a bind-table file (a grid of four columns, one data row per field) into one block
// of entries allocated with operator new. On kRead, entries holds the block (also for no
// entries) and count the number of entries.
BindTableResult ReadBindTable(const std::string& path, BindEntries& entries, std::uint32_t& count);

// The export: hands the block to the caller, who owns it from then on.
int GetBindTable(const char* path, BindEntry** entries, unsigned int* count);

}  // namespace quorlin::records
