#pragma once

#include <cstddef>
#include <cstring>
#include <string>

#include "timing.h"

namespace quorlin::bench {

// What one walk over the result saw; both paths must agree on it.
struct WalkResult {
  long records = 0;
  std::string firstId;
  std::string lastId;
  // Touches every value read, so that no read can be optimised away.
  unsigned long checksum = 0;
  // The part of the walk's time spent running the statement and freeing a result (the
  // library frees the previous result of the same table inside its select; the raw path
  // frees its own at the end).
  Seconds selectTime{};
};

// What a raw walk that fetches blocks into bound buffers does with each value. Reading the
// values where the driver put them is less than any SQLGet host can do: SQLGet must hand every
// value over in a slot of the host's, copied like strncpy, which is what the second one costs.
enum class BlockValues { kReadInPlace, kCopiedIntoSlots };

inline constexpr std::size_t kSlotSize = 128;  // a SQLGet slot

// strncpy into a slot of kSlotSize bytes: zero-filled after the value, no terminator when the
// value fills the slot.
inline void CopyIntoSlot(char* slot, const char* value) {
  std::strncpy(slot, value, kSlotSize);
}

inline std::string SlotValue(const char* slot) {
  return std::string(slot, strnlen(slot, kSlotSize));
}

// The SELECT text the library sends for SQLSelectToTable(id, table, ""), so that both paths
// run the very same statement.
inline std::string SelectAllText(const std::string& table) {
  return "SELECT * FROM  " + table + " ";
}

}  // namespace quorlin::bench
