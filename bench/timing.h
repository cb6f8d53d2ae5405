#pragma once

#include <algorithm>
#include <chrono>
#include <vector>

namespace quorlin::bench {

using Seconds = std::chrono::duration<double>;

template <typename Body>
Seconds TimeOf(Body&& body) {
  const auto start = std::chrono::steady_clock::now();
  body();
  return std::chrono::steady_clock::now() - start;
}

struct Summary {
  Seconds best{};
  Seconds median{};
};

inline Summary Summarise(std::vector<Seconds> times) {
  Summary summary;
  if (times.empty()) return summary;
  std::sort(times.begin(), times.end());
  summary.best = times.front();
  const std::size_t middle = times.size() / 2;
  summary.median =
      times.size() % 2 == 1 ? times[middle] : (times[middle - 1] + times[middle]) / 2.0;
  return summary;
}

}  // namespace quorlin::bench
