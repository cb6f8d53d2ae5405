#include "library_under_test.h"

#include "export_name.h"

namespace quorlin::test {

LibraryUnderTest::LibraryUnderTest(const std::string& path) {
  m_module = LoadLibraryA(path.c_str());
  if (m_module == nullptr) {
    m_problem = "cannot load " + path + " (error " + std::to_string(GetLastError()) + ")";
    return;
  }
  Resolve(connect, "SQLConnectToDatabase");
  Resolve(execute, "SQLExcute");
  Resolve(select, "SQLSelectToTable");
  Resolve(aggregate, "SQLAggregate");
  Resolve(fieldValue, "SQLGetFieldValue");
  Resolve(display, "SQLDisplay");
  Resolve(cleanup, "SQLCleanup");
  Resolve(lastError, "SQLLastError");
}

LibraryUnderTest::~LibraryUnderTest() {
  if (m_module != nullptr) FreeLibrary(m_module);
}

template <typename Function>
void LibraryUnderTest::Resolve(Function& function, const char* name) {
  const std::string exported = ExportName(name, Function{});
  function = reinterpret_cast<Function>(
      reinterpret_cast<void*>(GetProcAddress(m_module, exported.c_str())));
  if (function == nullptr) m_problem += std::string(m_problem.empty() ? "" : ", ") + "no " + name;
}

}  // namespace quorlin::test
