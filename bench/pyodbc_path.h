#pragma once

#include <string>
#include <vector>

#include "timing.h"
#include "walk_result.h"

namespace quorlin::bench {

// The times and what the pyodbc path saw, from pyodbc_walk.py run by python3.
struct PyodbcRuns {
  std::vector<Seconds> times;
  std::vector<WalkResult> walks;  // records, first and last ID (no checksum)
  std::string error;              // empty when the script ran and printed every run
};

PyodbcRuns RunPyodbc(const std::string& connect, const std::string& sql, int runs);

}  // namespace quorlin::bench
