#include "schema/tables.h"

#include <vector>

#include "connections/connection_registry.h"
#include "frame/report.h"
#include "platform/db_exception.h"
#include "platform/text.h"
#include "resources/message_ids.h"
#include "schema/datasheet.h"
#include "schema/table_statements.h"

namespace quorlin::schema {

using connections::Registry;

namespace {

constexpr std::size_t kNameFieldSize = 64;

// Runs a CREATE TABLE on connection id; a rejection is reported but still counts as sent.
int SendCreate(int id, const std::string& statement) {
  platform::CDatabase* database = Registry().FindDatabase(id);
  if (database == nullptr) {
    frame::ReportMessageId(resources::kDatabaseNotOpen);
    return -1;
  }
  try {
    database->ExecuteStatement(statement);
  } catch (const platform::CDBException& e) {
    frame::ReportMessage(e.ErrorText());
  }
  return 0;
}

}  // namespace

int CreateTable(int id, const std::string& table, const std::string& datasheetPath) {
  std::vector<ColumnDef> columns;
  switch (ReadDatasheet(datasheetPath, columns)) {
    case DatasheetResult::kRead:
      break;
    case DatasheetResult::kDamaged:
      frame::ReportMessageId(resources::kCantLoadDatasheet);
      return -1;
    case DatasheetResult::kNotOpened:
    case DatasheetResult::kNotDatasheet:
      return -1;
  }
  return SendCreate(id, CreateTableStatement(table, columns));
}

int CreateTableEx(int id, int count, const std::string& table, const char* names, const int* types,
                  const int* widths) {
  std::vector<ArrayColumn> columns;
  for (int i = 0; i < count; ++i) {
    if (names == nullptr || types == nullptr) {
      frame::ReportMessage("SQLCreateTableEx needs the column names and type codes.");
      return -1;
    }
    ArrayColumn column;
    column.name = platform::Trim(platform::FixedFieldText(
        names + static_cast<std::size_t>(i) * kNameFieldSize, kNameFieldSize));
    column.typeCode = types[i];
    if (column.typeCode == 2) {  // the width is read for CHAR columns only
      if (widths == nullptr) {
        frame::ReportMessage("SQLCreateTableEx needs the column widths for CHAR columns.");
        return -1;
      }
      column.width = widths[i];
    }
    columns.push_back(std::move(column));
  }
  const connections::ConnectionEntry* entry = Registry().FindConnection(id);
  const Dialect dialect = entry != nullptr ? DialectOf(entry->MySqlDialect()) : Dialect::kStandard;
  return SendCreate(id, CreateTableExStatement(table, columns, dialect));
}

int DropTable(int id, const std::string& table) {
  platform::CDatabase* database = Registry().FindDatabase(id);
  if (database == nullptr) {
    frame::ReportMessageId(resources::kDatabaseNotOpen);
    return -1;
  }
  try {
    database->ExecuteStatement(DropTableStatement(table));
  } catch (const platform::CDBException& e) {
    frame::ReportMessage(e.ErrorText());
    return -1;
  }
  return 0;
}

}  // namespace quorlin::schema
