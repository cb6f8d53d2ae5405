// The exports the fault cases call, from each library loaded once, side by side, as hosts
// load them.
#pragma once

#include "quorlin.h"

namespace fault_tests {

struct Library {
  decltype(&SQLLastError) lastError;
  decltype(&SQLConnectToDatabase) connect;
  decltype(&SQLCleanup) cleanup;
  decltype(&SQLCreateTableEx) createTableEx;
  decltype(&SQLExcute) execute;
  decltype(&SQLSelectToTable) select;
  decltype(&SQLInsertRecordEx) insert;
  decltype(&SQLUseTable) useTable;
  decltype(&SQLMoveRecord) move;
  decltype(&SQLGetRowCount) rowCount;
  decltype(&SQLGetFieldValue) field;
};

struct Profile {
  const char* name;
  const char* path;
  int rowCountWithoutRecordset;
};
extern const Profile kProfiles[2];

// Each library is loaded once, on its own (RTLD_LOCAL), and stays loaded.
const Library& Load(const Profile& profile);

}  // namespace fault_tests
