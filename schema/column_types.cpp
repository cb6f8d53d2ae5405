#include "schema/column_types.h"

#include "quorlin.h"

namespace quorlin::schema {

std::string ColumnTypeSql(int code, int width, const profile::Dialect& dialect) {
  if (code < QUORLIN_TYPE_FLOAT || code > QUORLIN_TYPE_DATE) return {};
  std::string text = dialect.typeWords[code];
  if (code == QUORLIN_TYPE_CHAR) text += "(" + std::to_string(width) + ")";
  return text;
}

}  // namespace quorlin::schema
