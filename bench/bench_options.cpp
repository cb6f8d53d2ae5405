#include "bench_options.h"

#include <strings.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>

namespace quorlin::bench {
namespace {

// Reads the whole number after argv[i] into value, within 1..limit.
bool ReadCount(int argc, char** argv, int& i, long limit, long& value) {
  char* end = nullptr;
  if (i + 1 < argc) value = std::strtol(argv[i + 1], &end, 10);
  if (i + 1 >= argc || end == argv[i + 1] || *end != '\0' || value < 1 || value > limit) {
    std::fprintf(stderr, "%s needs a whole number from 1 to %ld\n", argv[i], limit);
    return false;
  }
  ++i;
  return true;
}

// The names BenchDatabases gives the databases.
bool KnownDatabase(const char* name) {
  for (const char* known : {"SQLite", "PostgreSQL", "MariaDB"}) {
    if (strcasecmp(name, known) == 0) return true;
  }
  return false;
}

}  // namespace

ParseOutcome ParseOptions(int argc, char** argv, long maxRows, Options& options) {
  for (int i = 1; i < argc; ++i) {
    long value = 0;
    if (std::strcmp(argv[i], "--help") == 0) return ParseOutcome::kHelp;
    if (std::strcmp(argv[i], "--rows") == 0) {
      if (!ReadCount(argc, argv, i, maxRows, value)) return ParseOutcome::kBad;
      options.rows = value;
    } else if (std::strcmp(argv[i], "--database") == 0) {
      if (i + 1 >= argc || !KnownDatabase(argv[i + 1])) {
        std::fprintf(stderr, "--database needs one of SQLite, PostgreSQL, MariaDB\n");
        return ParseOutcome::kBad;
      }
      options.database = argv[++i];
    } else if (std::strcmp(argv[i], "--runs") == 0) {
      if (!ReadCount(argc, argv, i, 1000L, value)) return ParseOutcome::kBad;
      options.runs = static_cast<int>(value);
    } else {
      std::fprintf(stderr, "unexpected argument: %s\n", argv[i]);
      return ParseOutcome::kBad;
    }
  }
  return ParseOutcome::kRun;
}

double Ms(Seconds time) {
  return time.count() * 1000.0;
}

bool Check(bool held, const std::string& what) {
  std::printf("  [%s] %s\n", held ? "ok" : "FAILED", what.c_str());
  return held;
}

int BenchMain(int argc, char** argv, long maxRows, Options defaults, void (*usage)(const char*),
              int (*run)(const Options&)) {
  Options options = defaults;
  const ParseOutcome outcome = ParseOptions(argc, argv, maxRows, options);
  if (outcome != ParseOutcome::kRun) {
    usage(argv[0]);
    return outcome == ParseOutcome::kHelp ? 0 : 2;
  }
  try {
    return run(options);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "error: %s\n", e.what());
    return 1;
  }
}

}  // namespace quorlin::bench
