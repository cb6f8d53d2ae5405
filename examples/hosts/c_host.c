/* A Linux host in plain C: keeps a small table of tank levels in an SQLite file, then reads
   it back through the current recordset and an aggregate.

     cc c_host.c $(pkg-config --cflags --libs quorlin) -o c_host
     ./c_host /tmp/tanks.db

   Exits 0 when every step worked, 1 (with the library's message) when one failed. */
#include <quorlin.h>
#include <stdio.h>
#include <string.h>

static int Failed(const char* step) {
  char text[QUORLIN_LAST_ERROR_SIZE] = "";
  SQLLastError(text, sizeof text);
  fprintf(stderr, "%s failed: %s\n", step, text);
  return 1;
}

/* One name or value of the blocks that SQLInsertRecordEx reads: 64-byte slots. */
static void PutSlot(char* block, int index, const char* text) {
  strncpy(block + index * QUORLIN_VALUE_SLOT_SIZE, text, QUORLIN_VALUE_SLOT_SIZE - 1);
}

int main(int argc, char** argv) {
  static const char* const tags[] = {"T1", "T2", "T3"};
  static const char* const levels[] = {"1.5", "2.5", "4"};
  const int types[] = {QUORLIN_TYPE_CHAR, QUORLIN_TYPE_FLOAT};
  char connect[600];
  char value[QUORLIN_VALUE_SLOT_SIZE + 1];
  double average = 0;
  int id, i, count;
  if (argc != 2 || strlen(argv[1]) > 500) {
    fprintf(stderr, "usage: %s DATABASE-FILE\n", argv[0]);
    return 2;
  }
  snprintf(connect, sizeof connect, "Driver=SQLite3;Database=%s", argv[1]);
  id = SQLConnectToDatabase(connect);
  if (id < 0) return Failed("connect");

  SQLExcute(id, "DROP TABLE IF EXISTS Tanks");
  if (SQLExcute(id, "CREATE TABLE Tanks (Tag CHAR(8), Level FLOAT)") != 0) return Failed("create");
  for (i = 0; i < 3; ++i) {
    char names[2 * QUORLIN_VALUE_SLOT_SIZE] = {0};
    char values[2 * QUORLIN_VALUE_SLOT_SIZE] = {0};
    PutSlot(names, 0, "Tag");
    PutSlot(names, 1, "Level");
    PutSlot(values, 0, tags[i]);
    PutSlot(values, 1, levels[i]);
    if (SQLInsertRecordEx(id, 2, "Tanks", types, names, values) != 0) return Failed("insert");
  }

  if (SQLSelectToTable(id, "Tanks", "Level > 2") != 0) return Failed("select");
  count = SQLGetRowCount();
  printf("%d tanks above 2:\n", count);
  /* The selection starts on its first record. */
  for (i = 0; i < count; ++i) {
    if (i > 0 && SQLMoveRecord(QUORLIN_MOVE_NEXT) != 0) return Failed("move");
    /* Values are copied like strncpy: one byte more than the size keeps them terminated. */
    memset(value, 0, sizeof value);
    if (SQLGetFieldValue("Tag", value, QUORLIN_VALUE_SLOT_SIZE) != 1) return Failed("read Tag");
    printf("  %s", value);
    memset(value, 0, sizeof value);
    if (SQLGetFieldValue("Level", value, QUORLIN_VALUE_SLOT_SIZE) != 1) return Failed("read Level");
    printf(" at %s\n", value);
  }

  if (SQLAggregate(id, "Tanks", QUORLIN_AVG, "Level", &average, NULL) != 0)
    return Failed("average");
  printf("average level %.2f\n", average);
  SQLDisconnectToDatabase(id);
  return 0;
}
