#include "fault_library.h"

#include <dlfcn.h>

#include <stdexcept>
#include <string>

namespace fault_tests {

const Profile kProfiles[2] = {{"Full", QUORLIN_FULL_LIBRARY, -1},
                              {"Legacy", QUORLIN_LEGACY_LIBRARY, 0}};

namespace {

template <typename Function>
void Bind(void* handle, const char* name, Function& function) {
  function = reinterpret_cast<Function>(dlsym(handle, name));
  if (function == nullptr) throw std::runtime_error(std::string("missing export ") + name);
}

}  // namespace

const Library& Load(const Profile& profile) {
  static Library libraries[2];
  static bool loaded[2] = {false, false};
  const std::size_t index = &profile - kProfiles;
  if (!loaded[index]) {
    void* handle = dlopen(profile.path, RTLD_NOW | RTLD_LOCAL);
    if (handle == nullptr) throw std::runtime_error(dlerror());
    Library& l = libraries[index];
    Bind(handle, "SQLLastError", l.lastError);
    Bind(handle, "SQLConnectToDatabase", l.connect);
    Bind(handle, "SQLCleanup", l.cleanup);
    Bind(handle, "SQLCreateTableEx", l.createTableEx);
    Bind(handle, "SQLExcute", l.execute);
    Bind(handle, "SQLSelectToTable", l.select);
    Bind(handle, "SQLInsertRecordEx", l.insert);
    Bind(handle, "SQLUseTable", l.useTable);
    Bind(handle, "SQLMoveRecord", l.move);
    Bind(handle, "SQLGetRowCount", l.rowCount);
    Bind(handle, "SQLGetFieldValue", l.field);
    loaded[index] = true;
  }
  return libraries[index];
}

}  // namespace fault_tests
