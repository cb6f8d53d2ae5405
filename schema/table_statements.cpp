#include "schema/table_statements.h"

#include "schema/identifier_quoting.h"

namespace quorlin::schema {

std::string CreateTableStatement(const std::string& table, const std::vector<ColumnDef>& columns) {
  std::string text = "CREATE TABLE " + table + " (";
  for (std::size_t i = 0; i < columns.size(); ++i) {
    if (i > 0) text += ",";
    text += QuoteColumnName(columns[i].name, Dialect::kStandard, QuoteForm::kTrailingBlank);
    text += ColumnTypeSql(columns[i].typeCode, columns[i].width, Dialect::kStandard);
  }
  return text + ")";
}

std::string CreateTableExStatement(const std::string& table,
                                   const std::vector<ArrayColumn>& columns, Dialect dialect) {
  const QuoteForm form = dialect == Dialect::kMySql ? QuoteForm::kTrailingBlank : QuoteForm::kBare;
  std::string text = "CREATE TABLE " + table + " (";
  for (std::size_t i = 0; i < columns.size(); ++i) {
    if (i > 0) text += ",";
    text += QuoteColumnName(columns[i].name, dialect, form);
    text += ColumnTypeSql(columns[i].typeCode, columns[i].width, dialect);
  }
  return text + ")";
}

std::string DropTableStatement(const std::string& table) {
  return "DROP TABLE " + table;
}

}  // namespace quorlin::schema
