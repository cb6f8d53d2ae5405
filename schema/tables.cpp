#include "schema/tables.h"

#include <vector>

#include "connections/connection_registry.h"
#include "platform/db_exception.h"
#include "platform/text.h"
#include "profiles/profile.h"
#include "quorlin.h"
#include "schema/datasheet.h"
#include "schema/table_statements.h"

namespace quorlin::schema {

using connections::Registry;
using frame::Failure;
using frame::Outcome;
using Which = profile::Failure;

namespace {

constexpr std::size_t kNameFieldSize = QUORLIN_VALUE_SLOT_SIZE;

// Runs a CREATE TABLE; a rejection is reported but still counts as sent.
Outcome<int> SendCreate(platform::CDatabase& database, const std::string& statement) {
  try {
    database.ExecuteStatement(statement);
  } catch (const platform::CDBException& e) {
    return {0, Failure::Words(e.ErrorText())};
  }
  return 0;
}

}  // namespace

Outcome<int> CreateTable(int id, const std::string& table, const std::string& datasheetPath) {
  std::vector<ColumnDef> columns;
  switch (ReadDatasheet(datasheetPath, columns)) {
    case DatasheetResult::kRead:
      break;
    case DatasheetResult::kDamaged:
      throw Failure::OfProfile(Which::kGridFileUnreadable);
    case DatasheetResult::kNotOpened:
    case DatasheetResult::kNotDatasheet:
      return -1;
  }
  return SendCreate(Registry().RequireConnection(id).Database(),
                    CreateTableStatement(table, columns, profile::Active().fixedDialect));
}

Outcome<int> CreateTableEx(int id, int count, const std::string& table, const char* names,
                           const int* types, const int* widths) {
  std::vector<ArrayColumn> columns;
  const bool trimNames = profile::Active().createTableExTrimsNames;
  for (int i = 0; i < count; ++i) {
    if (names == nullptr || types == nullptr) throw Failure::OfProfile(Which::kColumnArraysMissing);
    ArrayColumn column;
    column.name = platform::FixedFieldText(names + static_cast<std::size_t>(i) * kNameFieldSize,
                                           kNameFieldSize);
    if (trimNames) column.name = platform::Trim(column.name);
    column.typeCode = types[i];
    if (column.typeCode == QUORLIN_TYPE_CHAR) {  // the width is read for CHAR columns only
      if (widths == nullptr) throw Failure::OfProfile(Which::kColumnWidthsMissing);
      column.width = widths[i];
    }
    columns.push_back(std::move(column));
  }
  connections::ConnectionEntry& connection = Registry().RequireConnection(id);
  return SendCreate(connection.Database(),
                    CreateTableExStatement(table, columns, connection.Dialect()));
}

int DropTable(int id, const std::string& table) {
  platform::CDatabase& database = Registry().RequireConnection(id).Database();
  try {
    database.ExecuteStatement(DropTableStatement(table));
  } catch (const platform::CDBException& e) {
    throw Failure::OfProfile(Which::kDropTableRejected, e.ErrorText());
  }
  return 0;
}

}  // namespace quorlin::schema
