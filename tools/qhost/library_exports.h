#pragma once

#include <vector>

#include "library_loader.h"
#include "quorlin.h"

namespace qhost {

// The 25 exports in header order, with their argument counts. On 32-bit Windows the
// library exports stdcall names decorated with the bytes of their arguments
// (_SQLConnectToDatabase@4), and every argument there takes four bytes.
#define QHOST_FOR_EACH_EXPORT(X) \
  X(SQLSetDebug, 1)              \
  X(SQLLastError, 2)             \
  X(SQLConnectToDatabase, 1)     \
  X(SQLDisconnectToDatabase, 1)  \
  X(SQLCleanup, 0)               \
  X(SQLGetConnect, 2)            \
  X(SQLGetDataSourceDesc, 2)     \
  X(SQLCreateTable, 3)           \
  X(SQLCreateTableEx, 6)         \
  X(SQLDropTable, 2)             \
  X(SQLSelectToTable, 3)         \
  X(SQLAggregate, 6)             \
  X(SQLExcute, 2)                \
  X(SQLUseTable, 2)              \
  X(SQLMoveRecord, 1)            \
  X(SQLMoveTo, 1)                \
  X(SQLGetRowCount, 0)           \
  X(SQLGetFieldValue, 3)         \
  X(SQLGet, 3)                   \
  X(GetBindTable, 3)             \
  X(SQLInsertRecord, 4)          \
  X(SQLInsertRecordEx, 6)        \
  X(SQLUpdateRecord, 5)          \
  X(SQLDeleteRecord, 3)          \
  X(SQLDisplay, 1)

// The exports of one loaded library, resolved by name. A pointer stays null when the library
// lacks that export (an older build, or the other profile), and the commands that need it say
// so instead of calling it. The pointer types come from the header's prototypes (decltype
// does not reference the symbols), so the calling convention is QUORLIN_CALL and the
// argument types cannot drift from the contract.
struct ExportTable {
  explicit ExportTable(const SharedLibrary& library);

#define QHOST_DECLARE_EXPORT(name, argumentCount) decltype(&::name) name = nullptr;
  QHOST_FOR_EACH_EXPORT(QHOST_DECLARE_EXPORT)
#undef QHOST_DECLARE_EXPORT

  struct Presence {
    const char* name;
    bool present;
  };
  // Every export in header order and whether this library has it.
  std::vector<Presence> Listing() const;
};

}  // namespace qhost
