#pragma once

#include <windows.h>

#include <string>

#include "quorlin.h"

namespace quorlin::test {

// The library loaded by path, as hosts load it, with the exports the dialog tests call.
// Unloaded when the object dies.
class LibraryUnderTest {
 public:
  explicit LibraryUnderTest(const std::string& path);
  ~LibraryUnderTest();
  LibraryUnderTest(const LibraryUnderTest&) = delete;
  LibraryUnderTest& operator=(const LibraryUnderTest&) = delete;

  bool Loaded() const { return m_module != nullptr; }
  // What failed to load or resolve; empty when everything is there.
  const std::string& Problem() const { return m_problem; }

  decltype(&::SQLConnectToDatabase) connect = nullptr;
  decltype(&::SQLExcute) execute = nullptr;
  decltype(&::SQLSelectToTable) select = nullptr;
  decltype(&::SQLAggregate) aggregate = nullptr;
  decltype(&::SQLGetFieldValue) fieldValue = nullptr;
  decltype(&::SQLDisplay) display = nullptr;
  decltype(&::SQLCleanup) cleanup = nullptr;
  decltype(&::SQLLastError) lastError = nullptr;

 private:
  template <typename Function>
  void Resolve(Function& function, const char* name);

  HMODULE m_module = nullptr;
  std::string m_problem;
};

}  // namespace quorlin::test
