#include "frame/export_frame.h"
#include "quorlin.h"
#include "records/field_reading.h"
#include "records/navigation.h"

using namespace quorlin;
using frame::RunExport;
using frame::Text;

int QUORLIN_CALL SQLUseTable(int id, const char* table) {
  return RunExport(-1, [&] { return records::UseTable(id, Text(table)); });
}

int QUORLIN_CALL SQLMoveRecord(unsigned int direction) {
  return RunExport(-1, [&] { return records::MoveRecord(direction); });
}

int QUORLIN_CALL SQLMoveTo(int position) {
  return RunExport(-1, [&] { return records::MoveTo(position); });
}

int QUORLIN_CALL SQLGetRowCount(void) {
  return RunExport(-1, [] { return records::GetRowCount(); });
}

int QUORLIN_CALL SQLGetFieldValue(const char* field, char* buffer, int size) {
  return RunExport(0, [&] { return records::GetFieldValue(field, buffer, size); });
}

int QUORLIN_CALL SQLGet(int count, const BindEntry* entries, char* buffer) {
  return RunExport(0, [&] { return records::GetFields(count, entries, buffer); });
}
