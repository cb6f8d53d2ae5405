#include <stdlib.h>

#include <fstream>

#include "test_support.h"

namespace quorlin::test {

DriverManagerTrace::DriverManagerTrace() : traceFile_(dir_.Path("trace.log")) {
  const char* current = std::getenv("ODBCSYSINI");
  hadPrevious_ = current != nullptr;
  if (hadPrevious_) previous_ = current;
  const std::string source = (hadPrevious_ ? previous_ : std::string("/etc")) + "/odbcinst.ini";
  std::ifstream in(source, std::ios::binary);
  std::ofstream out(dir_.Path("odbcinst.ini"), std::ios::binary);
  out << in.rdbuf() << "\n[ODBC]\nTrace=Yes\nTraceFile=" << traceFile_ << "\n";
  out.close();
  setenv("ODBCSYSINI", dir_.Path("").c_str(), 1);
}

DriverManagerTrace::~DriverManagerTrace() {
  if (hadPrevious_) {
    setenv("ODBCSYSINI", previous_.c_str(), 1);
  } else {
    unsetenv("ODBCSYSINI");
  }
}

}  // namespace quorlin::test
