#include "frame/export_frame.h"
#include "quorlin.h"
#include "schema/queries.h"

using namespace quorlin;
using frame::RunExport;
using frame::Text;

int QUORLIN_CALL SQLSelectToTable(int id, const char* table, const char* condition) {
  return RunExport(-1, [&] { return schema::SelectToTable(id, Text(table), Text(condition)); });
}

int QUORLIN_CALL SQLAggregate(int id, const char* table, int kind, const char* column,
                              double* result, const char* condition) {
  return RunExport(-1, [&] {
    return schema::Aggregate(id, Text(table), kind, Text(column), result, Text(condition));
  });
}

int QUORLIN_CALL SQLExcute(int id, const char* statement) {
  return RunExport(-1, [&] { return schema::Execute(id, Text(statement)); });
}
