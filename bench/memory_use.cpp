#include "memory_use.h"

#include <malloc.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>

namespace quorlin::bench {

MemoryUse MeasureMemory() {
  malloc_trim(0);
  MemoryUse use;
  const struct mallinfo2 info = mallinfo2();
  // Small blocks from the arenas plus the large ones malloc maps by themselves.
  use.heapBytes = static_cast<long long>(info.uordblks + info.hblkhd);
  long long pages = 0;
  long long resident = 0;
  std::ifstream statm("/proc/self/statm");
  if (statm >> pages >> resident) use.residentBytes = resident * sysconf(_SC_PAGESIZE);
  return use;
}

std::string Growth(const MemoryUse& before, const MemoryUse& after) {
  char text[96];
  std::snprintf(text, sizeof text, "heap %+.2f MB, resident %+.2f MB",
                static_cast<double>(after.heapBytes - before.heapBytes) / 1e6,
                static_cast<double>(after.residentBytes - before.residentBytes) / 1e6);
  return text;
}

}  // namespace quorlin::bench
