/* A Windows host in plain C that links against the library at build time, through
   quorlin.h and an import library, as most 32-bit hosts do:

     MinGW-w64:  i686-w64-mingw32-gcc host.c -I include -L lib -lquorlin -o host.exe
     MSVC:       cl host.c /I include lib\quorlin.lib

   Run it beside quorlin.dll (and mirvale.dll) with a database file for the SQLite driver:

     host.exe C:\data\host.db

   It makes a table, fills it, selects and walks it, and prints each check's outcome. */
#include <stdio.h>
#include <string.h>

#include "quorlin.h"

static int checks = 0;
static int failures = 0;

static void Check(int passed, const char* what) {
  char error[QUORLIN_LAST_ERROR_SIZE] = "";
  ++checks;
  if (passed) return;
  ++failures;
  SQLLastError(error, sizeof error);
  printf("failed: %s (last error: %s)\n", what, error);
}

int main(int argc, char** argv) {
  char connect[512];
  char value[64] = "";
  double sum = 0;
  int id;
  int count;
  int row;
  if (argc != 2) {
    printf("usage: %s DATABASE-FILE\n", argv[0]);
    return 2;
  }
  /* strcat rather than snprintf, which older Microsoft compilers lack. */
  strcpy(connect, "Driver=SQLite3;Database=");
  if (strlen(connect) + strlen(argv[1]) >= sizeof connect) {
    printf("the database path is too long\n");
    return 2;
  }
  strcat(connect, argv[1]);
  id = SQLConnectToDatabase(connect);
  Check(id >= 0, "connect");
  if (id < 0) return 1;
  SQLExcute(id, "DROP TABLE IF EXISTS HostTank");
  Check(SQLExcute(id, "CREATE TABLE HostTank (Tag CHAR(8), Level FLOAT)") == 0, "create");
  Check(SQLExcute(id, "INSERT INTO HostTank VALUES ('T1', 1.5)") == 0, "insert T1");
  Check(SQLExcute(id, "INSERT INTO HostTank VALUES ('T2', 2.5)") == 0, "insert T2");
  Check(SQLSelectToTable(id, "HostTank", NULL) == 0, "select");
  count = SQLGetRowCount();
  Check(count == 2, "row count");
  /* Moving on from the last record succeeds and leaves no current record, so the walk
     counts. */
  for (row = 0; row < count && row < 10; ++row) {
    Check(row == 0 || SQLMoveRecord(QUORLIN_MOVE_NEXT) == 0, "move to the next record");
    Check(SQLGetFieldValue("Tag", value, sizeof value) == 1, "read Tag");
    printf("row %d: Tag=%s\n", row + 1, value);
  }
  Check(strcmp(value, "T2") == 0, "the last record's Tag");
  Check(SQLAggregate(id, "HostTank", QUORLIN_SUM, "Level", &sum, NULL) == 0 && sum == 4.0,
        "sum of Level");
  Check(SQLExcute(id, "DROP TABLE HostTank") == 0, "drop");
  SQLDisconnectToDatabase(id);
  printf("host: %d passed, %d failed\n", checks - failures, failures);
  return failures == 0 ? 0 : 1;
}
