#pragma once

#include <string>

namespace quorlin::bench {

// What the process holds at one moment: bytes in use by malloc, and the resident set.
struct MemoryUse {
  long long heapBytes = 0;
  long long residentBytes = 0;
};

// Returns freed memory to the system first, so that the resident set means something.
MemoryUse MeasureMemory();

// "heap +12.3 MB, resident +14.0 MB" for the growth from before to after.
std::string Growth(const MemoryUse& before, const MemoryUse& after);

}  // namespace quorlin::bench
