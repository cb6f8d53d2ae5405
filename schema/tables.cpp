#include "schema/tables.h"

#include <vector>

#include "connections/connection_registry.h"
#include "frame/report.h"
#include "platform/db_exception.h"
#include "platform/text.h"
#include "profiles/profile.h"
#include "quorlin.h"
#include "schema/datasheet.h"
#include "schema/table_statements.h"

namespace quorlin::schema {

using connections::Registry;
using profile::Failure;

namespace {

constexpr std::size_t kNameFieldSize = QUORLIN_VALUE_SLOT_SIZE;

// Runs a CREATE TABLE on connection id; a rejection is reported but still counts as sent.
int SendCreate(platform::CDatabase& database, const std::string& statement) {
  try {
    database.ExecuteStatement(statement);
  } catch (const platform::CDBException& e) {
    frame::ReportMessage(e.ErrorText());
  }
  return 0;
}

platform::CDatabase* DatabaseOrReport(int id) {
  platform::CDatabase* database = Registry().FindDatabase(id);
  if (database == nullptr) frame::Report(Failure::kDatabaseNotOpen);
  return database;
}

}  // namespace

int CreateTable(int id, const std::string& table, const std::string& datasheetPath) {
  std::vector<ColumnDef> columns;
  switch (ReadDatasheet(datasheetPath, columns)) {
    case DatasheetResult::kRead:
      break;
    case DatasheetResult::kDamaged:
      frame::Report(Failure::kGridFileUnreadable);
      return -1;
    case DatasheetResult::kNotOpened:
    case DatasheetResult::kNotDatasheet:
      return -1;
  }
  platform::CDatabase* database = DatabaseOrReport(id);
  if (database == nullptr) return -1;
  return SendCreate(*database,
                    CreateTableStatement(table, columns, profile::Active().fixedDialect));
}

int CreateTableEx(int id, int count, const std::string& table, const char* names, const int* types,
                  const int* widths) {
  std::vector<ArrayColumn> columns;
  const bool trimNames = profile::Active().createTableExTrimsNames;
  for (int i = 0; i < count; ++i) {
    if (names == nullptr || types == nullptr) {
      frame::ReportMessage("SQLCreateTableEx needs the column names and type codes.");
      return -1;
    }
    ArrayColumn column;
    column.name = platform::FixedFieldText(names + static_cast<std::size_t>(i) * kNameFieldSize,
                                           kNameFieldSize);
    if (trimNames) column.name = platform::Trim(column.name);
    column.typeCode = types[i];
    if (column.typeCode == QUORLIN_TYPE_CHAR) {  // the width is read for CHAR columns only
      if (widths == nullptr) {
        frame::ReportMessage("SQLCreateTableEx needs the column widths for CHAR columns.");
        return -1;
      }
      column.width = widths[i];
    }
    columns.push_back(std::move(column));
  }
  connections::ConnectionEntry* entry = Registry().FindConnection(id);
  if (entry == nullptr) {
    frame::Report(Failure::kDatabaseNotOpen);
    return -1;
  }
  return SendCreate(entry->Database(), CreateTableExStatement(table, columns, entry->Dialect()));
}

int DropTable(int id, const std::string& table) {
  platform::CDatabase* database = DatabaseOrReport(id);
  if (database == nullptr) return -1;
  try {
    database->ExecuteStatement(DropTableStatement(table));
  } catch (const platform::CDBException& e) {
    frame::Report(Failure::kDropTableRejected, e.ErrorText());
    return -1;
  }
  return 0;
}

}  // namespace quorlin::schema
