#pragma once

#include <string>

#include "timing.h"

// What the benchmarks share: their command line and how they print checks.
namespace quorlin::bench {

struct Options {
  long rows = 100000;
  int runs = 5;
  // --database NAME: only that one of the databases a benchmark runs on (SQLite, PostgreSQL,
  // MariaDB; any case), for a profile of one; empty: all of them.
  std::string database;
};

enum class ParseOutcome { kRun, kHelp, kBad };

// Reads --rows N (1..maxRows), --runs N (1..1000), --database NAME and --help; complains on
// stderr.
ParseOutcome ParseOptions(int argc, char** argv, long maxRows, Options& options);

// A benchmark's whole main(): reads the command line over the defaults (printing
// usage(program) for --help or a bad one, then 0 or 2), runs run(options), and turns an
// exception into a message and 1.
int BenchMain(int argc, char** argv, long maxRows, Options defaults, void (*usage)(const char*),
              int (*run)(const Options&));

double Ms(Seconds time);

// Prints the outcome of one check; true when it held.
bool Check(bool held, const std::string& what);

}  // namespace quorlin::bench
