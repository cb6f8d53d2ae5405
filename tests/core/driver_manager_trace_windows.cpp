#include <cstdlib>
#include <stdexcept>

#include "test_support.h"

namespace quorlin::test {

namespace {

std::string TraceFileFromRunner() {
  const char* file = std::getenv("QUORLIN_WINE_ODBC_TRACE");
  if (file == nullptr || *file == '\0')
    throw std::runtime_error(
        "the driver manager reads its trace settings before the program starts: run this "
        "test with QUORLIN_WINE_ODBC_TRACE set (tests/wine/run-under-wine.sh)");
  return file;
}

}  // namespace

DriverManagerTrace::DriverManagerTrace() : traceFile_(TraceFileFromRunner()) {}

DriverManagerTrace::~DriverManagerTrace() = default;

}  // namespace quorlin::test
