#include "schema/table_statements.h"

#include "schema/column_types.h"
#include "schema/identifier_quoting.h"

namespace quorlin::schema {
namespace {

template <typename Column>
std::string Create(const std::string& table, const std::vector<Column>& columns,
                   const profile::Dialect& dialect, const char* afterName) {
  std::string text = "CREATE TABLE " + table + " (";
  for (std::size_t i = 0; i < columns.size(); ++i) {
    if (i > 0) text += ",";
    AppendQuotedColumnName(text, columns[i].name, dialect, afterName);
    text += ColumnTypeSql(columns[i].typeCode, columns[i].width, dialect);
  }
  return text + ")";
}

}  // namespace

std::string CreateTableStatement(const std::string& table, const std::vector<ColumnDef>& columns,
                                 const profile::Dialect& dialect) {
  return Create(table, columns, dialect, dialect.afterDatasheetColumnName);
}

std::string CreateTableExStatement(const std::string& table,
                                   const std::vector<ArrayColumn>& columns,
                                   const profile::Dialect& dialect) {
  return Create(table, columns, dialect, dialect.afterArrayColumnName);
}

std::string DropTableStatement(const std::string& table) {
  return "DROP TABLE " + table;
}

}  // namespace quorlin::schema
