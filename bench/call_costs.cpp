#include "call_costs.h"

#include <cstdio>
#include <cstring>
#include <mutex>

#include "quorlin.h"
#include "timing.h"
#include "walk_result.h"

namespace quorlin::bench {
namespace {

// Nanoseconds per call of body, best and median over runs.
template <typename Body>
Summary PerCall(long calls, int runs, Body&& body) {
  std::vector<Seconds> times;
  for (int run = 0; run < runs; ++run) {
    times.push_back(TimeOf([&] {
      for (long k = 0; k < calls; ++k) body();
    }));
  }
  Summary summary = Summarise(times);
  summary.best /= static_cast<double>(calls);
  summary.median /= static_cast<double>(calls);
  return summary;
}

void PrintCost(const char* label, const Summary& each) {
  std::printf("  %-46s %8.1f %8.1f\n", label, each.best.count() * 1e9, each.median.count() * 1e9);
}

}  // namespace

void PrintCallCosts(const std::vector<std::string>& columns, long calls, int runs) {
  std::vector<BindEntry> entries(columns.size());
  for (std::size_t i = 0; i < columns.size(); ++i) {
    std::memset(&entries[i], 0, sizeof entries[i]);
    std::strncpy(entries[i].fieldName, columns[i].c_str(), sizeof entries[i].fieldName - 1);
  }
  const int count = static_cast<int>(entries.size());
  std::vector<char> slots(entries.size() * kSlotSize);
  unsigned long touched = 0;  // keeps every copy and read alive
  std::printf("\n(e) per call, %ld calls a run, %d runs\n", calls, runs);
  std::printf("  %-46s %8s %8s\n", "", "best ns", "median ns");
  PrintCost("SQLGet of no field (the export frame)",
            PerCall(calls, runs, [&] { touched += SQLGet(0, entries.data(), slots.data()); }));
  PrintCost("SQLGet of the fields on one record", PerCall(calls, runs, [&] {
              touched += SQLGet(count, entries.data(), slots.data()) + slots[0];
            }));
  long moves = 0;
  PrintCost("SQLMoveRecord within a block (NEXT, PREVIOUS)", PerCall(calls, runs, [&] {
              touched +=
                  SQLMoveRecord(moves++ % 2 == 0 ? QUORLIN_MOVE_NEXT : QUORLIN_MOVE_PREVIOUS);
            }));
  if (moves % 2 != 0) SQLMoveRecord(QUORLIN_MOVE_PREVIOUS);
  std::recursive_mutex lock;
  PrintCost("for scale: a recursive mutex taken and released", PerCall(calls, runs, [&] {
              const std::lock_guard<std::recursive_mutex> held(lock);
              ++touched;
            }));
  std::vector<std::string> values(columns.size(), "tag-00012345");
  PrintCost("for scale: strncpy of the values into slots", PerCall(calls, runs, [&] {
              for (std::size_t c = 0; c < values.size(); ++c) {
                CopyIntoSlot(slots.data() + c * kSlotSize, values[c].c_str());
              }
              touched += static_cast<unsigned char>(slots[0]);
            }));
  if (touched == 0) std::printf("  (nothing was read)\n");
}

}  // namespace quorlin::bench
