#include "pyodbc_path.h"

#include <stdlib.h>

#include <cstdio>
#include <memory>

namespace quorlin::bench {
namespace {

struct PipeCloser {
  void operator()(FILE* pipe) const { pclose(pipe); }
};

}  // namespace

PyodbcRuns RunPyodbc(const std::string& connect, const std::string& sql, int runs) {
  PyodbcRuns result;
  // Through the environment, so that no text needs quoting for a shell.
  setenv("QUORLIN_BENCH_CONNECT", connect.c_str(), 1);
  setenv("QUORLIN_BENCH_SQL", sql.c_str(), 1);
  setenv("QUORLIN_BENCH_RUNS", std::to_string(runs).c_str(), 1);
  const std::string command =
      "'" QUORLIN_BENCH_PYTHON "' '" QUORLIN_BENCH_SOURCE_DIR "/pyodbc_walk.py' 2>&1";
  std::unique_ptr<FILE, PipeCloser> pipe(popen(command.c_str(), "r"));
  if (!pipe) {
    result.error = "cannot start " QUORLIN_BENCH_PYTHON;
    return result;
  }
  char line[4096];
  while (std::fgets(line, sizeof line, pipe.get()) != nullptr) {
    double seconds = 0;
    long records = 0;
    char first[64] = {0};
    char last[64] = {0};
    if (std::sscanf(line, "run %lf %ld %63s %63s", &seconds, &records, first, last) >= 2) {
      result.times.push_back(Seconds(seconds));
      WalkResult walk;
      walk.records = records;
      walk.firstId = first;
      walk.lastId = last;
      result.walks.push_back(walk);
    } else {
      result.error += line;
    }
  }
  const int status = pclose(pipe.release());
  const bool complete = static_cast<int>(result.times.size()) == runs;
  // Stray lines (warnings) matter only when the script did not do its work.
  if (status == 0 && complete) {
    result.error.clear();
  } else {
    result.error += QUORLIN_BENCH_PYTHON " exited with status " + std::to_string(status) +
                    " after " + std::to_string(result.times.size()) + " of " +
                    std::to_string(runs) + " runs";
  }
  return result;
}

}  // namespace quorlin::bench
