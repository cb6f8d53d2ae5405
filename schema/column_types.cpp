#include "schema/column_types.h"

namespace quorlin::schema {

const char ColumnTypeNames[kColumnTypeNameCount][kColumnTypeNameSize] = {
    "FLOAT", "NUMERIC", "CHAR", "DATE", "FLOAT", "INTEGER", "CHAR", "DATE",
};

std::string ColumnTypeSql(int code, int width, Dialect dialect) {
  if (code < 0 || code > 3) return {};
  std::string text = ColumnTypeNames[(dialect == Dialect::kMySql ? 4 : 0) + code];
  if (code == 2) text += "(" + std::to_string(width) + ")";
  return text;
}

}  // namespace quorlin::schema
