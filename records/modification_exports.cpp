#include "frame/export_frame.h"
#include "quorlin.h"
#include "records/bind_table.h"
#include "records/modification.h"

using namespace quorlin;
using frame::RunExport;
using frame::Text;

int QUORLIN_CALL GetBindTable(const char* path, BindEntry** entries, unsigned int* count) {
  return RunExport(0, [&] { return records::GetBindTable(path, entries, count); });
}

int QUORLIN_CALL SQLInsertRecord(int id, const char* table, const char* bindTable,
                                 const char* values) {
  return RunExport(-1,
                   [&] { return records::InsertRecord(id, Text(table), Text(bindTable), values); });
}

int QUORLIN_CALL SQLInsertRecordEx(int id, int count, const char* table, const int* types,
                                   const char* names, const char* values) {
  return RunExport(
      -1, [&] { return records::InsertRecordEx(id, count, Text(table), types, names, values); });
}

int QUORLIN_CALL SQLUpdateRecord(int id, const char* table, const char* bindTable,
                                 const char* values, const char* condition) {
  return RunExport(-1, [&] {
    return records::UpdateRecord(id, Text(table), Text(bindTable), values, Text(condition));
  });
}

int QUORLIN_CALL SQLDeleteRecord(int id, const char* table, const char* condition) {
  return RunExport(-1, [&] { return records::DeleteRecord(id, Text(table), Text(condition)); });
}
