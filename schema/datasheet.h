#pragma once

#include <string>
#include <vector>

namespace quorlin::schema {

// One column of a datasheet file, in the order the columns are to be created.
struct ColumnDef {
  std::string name;  // at most 64 characters
  int typeCode = 0;  // never negative
  int width = 0;
  int extraA = 0;  // carried, read by nothing
  int extraB = 0;
};

enum class DatasheetResult {
  kRead,          // every row read (none when the row count is 1 or less)
  kNotOpened,     // missing, or held by another process
  kNotDatasheet,  // column count other than 6
  kDamaged,       // shorter than its counts promise, or a read error
};

// Reads a datasheet file: a grid of six columns whose data rows describe one table column
// each. Nothing is read from a damaged file; columns stays empty then.
DatasheetResult ReadDatasheet(const std::string& path, std::vector<ColumnDef>& columns);

}  // namespace quorlin::schema
