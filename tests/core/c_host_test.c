/* A host written in plain C that loads the library by path, as hosts do, and is told which
   profile the library was built with ("full" or "legacy"). */
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "c_host_platform.h"
#include "quorlin.h"

static int failures = 0;
static int checks = 0;

#define CHECK(condition)                                                      \
  do {                                                                        \
    ++checks;                                                                 \
    if (!(condition)) {                                                       \
      ++failures;                                                             \
      fprintf(stderr, "%s:%d: failed: %s\n", __FILE__, __LINE__, #condition); \
    }                                                                         \
  } while (0)

typedef int(QUORLIN_CALL* LastErrorFn)(char*, unsigned int);
typedef int(QUORLIN_CALL* ConnectFn)(const char*);
typedef int(QUORLIN_CALL* ExecFn)(int, const char*);
typedef int(QUORLIN_CALL* SelectFn)(int, const char*, const char*);
typedef int(QUORLIN_CALL* FieldFn)(const char*, char*, int);
typedef int(QUORLIN_CALL* MoveFn)(unsigned int);
typedef int(QUORLIN_CALL* CountFn)(void);
typedef void(QUORLIN_CALL* CleanupFn)(void);
typedef int(QUORLIN_CALL* AggregateFn)(int, const char*, int, const char*, double*, const char*);

/* Each export with the bytes its arguments take on a 32-bit stack, written out by hand from
   the prototypes, so that a wrong size in the library's export table shows here. */
typedef struct ExportName {
  const char* name;
  int argumentBytes;
} ExportName;
static const ExportName exports[] = {{"SQLSetDebug", 4},
                                     {"SQLLastError", 8},
                                     {"SQLConnectToDatabase", 4},
                                     {"SQLDisconnectToDatabase", 4},
                                     {"SQLCleanup", 0},
                                     {"SQLGetConnect", 8},
                                     {"SQLGetDataSourceDesc", 8},
                                     {"SQLCreateTable", 12},
                                     {"SQLCreateTableEx", 24},
                                     {"SQLDropTable", 8},
                                     {"SQLSelectToTable", 12},
                                     {"SQLAggregate", 24},
                                     {"SQLExcute", 8},
                                     {"SQLUseTable", 8},
                                     {"SQLMoveRecord", 4},
                                     {"SQLMoveTo", 4},
                                     {"SQLGetRowCount", 0},
                                     {"SQLGetFieldValue", 12},
                                     {"SQLGet", 12},
                                     {"GetBindTable", 12},
                                     {"SQLInsertRecord", 16},
                                     {"SQLInsertRecordEx", 24},
                                     {"SQLUpdateRecord", 20},
                                     {"SQLDeleteRecord", 12},
                                     {"SQLDisplay", 4}};

static void* Resolve(void* library, const char* name) {
  size_t i;
  void* symbol = NULL;
  for (i = 0; i < sizeof exports / sizeof exports[0]; ++i) {
    if (strcmp(exports[i].name, name) == 0) {
      symbol = HostSymbol(library, name, exports[i].argumentBytes);
      break;
    }
  }
  if (symbol == NULL) {
    fprintf(stderr, "missing export %s\n", name);
    exit(2);
  }
  return symbol;
}

int main(int argc, char** argv) {
  char buffer[QUORLIN_LAST_ERROR_SIZE];
  char path[256];
  char connect[256];
  double value = 0;
  size_t i;
  void* library;
  int legacy;
  /* The text at load: "执行成功" in GBK in the legacy profile. */
  const char* loadText;
  if (argc != 3 || (strcmp(argv[2], "full") != 0 && strcmp(argv[2], "legacy") != 0)) {
    fprintf(stderr, "usage: %s LIBRARY full|legacy\n", argv[0]);
    return 2;
  }
  legacy = strcmp(argv[2], "legacy") == 0;
  loadText = legacy ? "\xd6\xb4\xd0\xd0\xb3\xc9\xb9\xa6" : "Success";
  library = HostLoad(argv[1]);
  if (library == NULL) return 2;
  for (i = 0; i < sizeof exports / sizeof exports[0]; ++i) Resolve(library, exports[i].name);
  {
    LastErrorFn lastError = (LastErrorFn)Resolve(library, "SQLLastError");
    ConnectFn connectTo = (ConnectFn)Resolve(library, "SQLConnectToDatabase");
    ExecFn exec = (ExecFn)Resolve(library, "SQLExcute");
    SelectFn select = (SelectFn)Resolve(library, "SQLSelectToTable");
    FieldFn field = (FieldFn)Resolve(library, "SQLGetFieldValue");
    MoveFn move = (MoveFn)Resolve(library, "SQLMoveRecord");
    CountFn count = (CountFn)Resolve(library, "SQLGetRowCount");
    CleanupFn cleanup = (CleanupFn)Resolve(library, "SQLCleanup");
    AggregateFn aggregate = (AggregateFn)Resolve(library, "SQLAggregate");
    int id;

    /* Right after load. */
    memset(buffer, '#', sizeof buffer);
    CHECK(lastError(buffer, (unsigned)strlen(loadText)) == -1);
    CHECK(buffer[0] == '#');
    CHECK(lastError(buffer, 0) == -1);
    CHECK(lastError(buffer, (unsigned)strlen(loadText) + 1) == 0);
    CHECK(strcmp(buffer, loadText) == 0);
    CHECK(count() == (legacy ? 0 : -1));

    /* A small session on a fresh SQLite file. */
    CHECK(HostMakeTempFolder(path, sizeof path) == 0);
    snprintf(connect, sizeof connect, "Driver=SQLite3;Database=%s/host.db", path);
    id = connectTo(connect);
    CHECK(id == 0);
    CHECK(exec(id, "CREATE TABLE Tank (Tag CHAR(8), Level FLOAT)") == 0);
    CHECK(exec(id, "INSERT INTO Tank VALUES ('T1', 1.5), ('T2', 2.5)") == 0);
    /* The legacy profile puts WHERE before a condition that starts with ORDER. */
    CHECK(select(id, "Tank", legacy ? "WHERE 1=1 order by Tag" : "order by Tag") == 0);
    CHECK(count() == 2);
    CHECK(field("Tag", buffer, sizeof buffer) == 1 && strcmp(buffer, "T1") == 0);
    CHECK(move(QUORLIN_MOVE_NEXT) == 0);
    CHECK(field("Level", buffer, sizeof buffer) == 1 && strcmp(buffer, "2.5") == 0);
    CHECK(aggregate(id, "Tank", QUORLIN_SUM, "Level", &value, NULL) == 0 && value == 4.0);
    CHECK(select(id + 1, "Tank", NULL) == -1);
    /* The legacy profile says nothing about an id that names no connection. */
    CHECK(lastError(buffer, sizeof buffer) == 0 &&
          strcmp(buffer, legacy ? loadText : "Database not open") == 0);
    cleanup();
    CHECK(count() == (legacy ? 0 : -1));
    snprintf(buffer, sizeof buffer, "%s/host.db", path);
    HostRemoveFile(buffer);
    HostRemoveFolder(path);
  }
  CHECK(HostUnload(library) == 0);
  printf("%d passed, %d failed\n", checks - failures, failures);
  return failures == 0 ? 0 : 1;
}
