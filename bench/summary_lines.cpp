#include "summary_lines.h"

#include <cstdio>

#include "bench_options.h"

namespace quorlin::bench {

void PrintTimes(const char* label, const std::vector<Seconds>& times, int labelWidth) {
  const Summary summary = Summarise(times);
  std::printf("  %-*s %10.2f %10.2f\n", labelWidth, label, Ms(summary.best), Ms(summary.median));
}

bool PrintRatio(const char* label, const std::vector<Seconds>& a, const std::vector<Seconds>& b,
                double target, int labelWidth) {
  const Summary x = Summarise(a);
  const Summary y = Summarise(b);
  const double best = x.best / y.best;
  const double median = x.median / y.median;
  const bool met = best <= target && median <= target;
  std::printf("  %-*s best %.3f, median %.3f", labelWidth, label, best, median);
  if (target > 0) std::printf("  (target <= %.2f: %s)", target, met ? "MET" : "NOT MET");
  std::printf("\n");
  return met;
}

}  // namespace quorlin::bench
