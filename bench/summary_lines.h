#pragma once

#include <vector>

#include "timing.h"

namespace quorlin::bench {

// One line: the label, then best and median in milliseconds.
void PrintTimes(const char* label, const std::vector<Seconds>& times, int labelWidth);

// One line: a/b of best and median; true when both are within target (0: no target). Load
// from other processes stretches single runs of either path, so one ratio alone can pass by
// luck.
bool PrintRatio(const char* label, const std::vector<Seconds>& a, const std::vector<Seconds>& b,
                double target, int labelWidth);

}  // namespace quorlin::bench
