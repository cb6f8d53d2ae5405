#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace qhost {

// NAME:TYPE[:EXTRA], the way the commands describe a column (EXTRA is a width or a detail).
struct ColumnSpec {
  std::string name;
  int type = 0;
  std::string extra;
};
ColumnSpec ParseColumnSpec(const std::string& word);

// NAME:TYPE=VALUE, a field with its value for insertex.
struct FieldValueSpec {
  std::string name;
  int type = 0;
  std::string value;
};
FieldValueSpec ParseFieldValueSpec(const std::string& word);

// A block of 64-byte slots holding zero-terminated texts, as the name and value blocks of the
// exports expect, with at least `minimumSlots` slots (the rest empty) and never fewer than
// one, so that the export always gets a valid address.
std::vector<char> SlotBlock(const std::vector<std::string>& texts, std::size_t minimumSlots);

}  // namespace qhost
