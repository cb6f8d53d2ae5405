#include "frame/export_frame.h"
#include "quorlin.h"
#include "schema/tables.h"

using namespace quorlin;
using frame::RunExport;
using frame::Text;

int QUORLIN_CALL SQLCreateTable(int id, const char* table, const char* datasheet) {
  return RunExport(-1, [&] { return schema::CreateTable(id, Text(table), Text(datasheet)); });
}

int QUORLIN_CALL SQLCreateTableEx(int id, int count, const char* table, const char* names,
                                  const int* types, const int* widths) {
  return RunExport(
      -1, [&] { return schema::CreateTableEx(id, count, Text(table), names, types, widths); });
}

int QUORLIN_CALL SQLDropTable(int id, const char* table) {
  return RunExport(-1, [&] { return schema::DropTable(id, Text(table)); });
}
