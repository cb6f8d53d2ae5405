#include "records/modification.h"

#include <vector>

#include "connections/connection_registry.h"
#include "frame/report.h"
#include "platform/db_exception.h"
#include "platform/text.h"
#include "records/bind_table.h"
#include "records/record_statements.h"
#include "resources/message_ids.h"

namespace quorlin::records {

using connections::Registry;

namespace {

constexpr std::size_t kSlotSize = QUORLIN_VALUE_SLOT_SIZE;

std::string_view Slot(const char* block, std::size_t index) {
  return platform::FixedFieldView(block + index * kSlotSize, kSlotSize);
}

int Run(platform::CDatabase& database, const std::string& statement) {
  try {
    database.ExecuteStatement(statement);
  } catch (const platform::CDBException& e) {
    frame::ReportMessage(e.ErrorText());
    return -1;
  }
  return 0;
}

platform::CDatabase* DatabaseOrReport(int id) {
  platform::CDatabase* database = Registry().FindDatabase(id);
  if (database == nullptr) frame::ReportMessageId(resources::kDatabaseNotOpen);
  return database;
}

// The fields of a bind-table file with the values of the caller's block; the fields view
// entries, which must outlive them. False, after reporting, when the file cannot be loaded
// or values are missing: then nothing is run.
bool BoundFields(const std::string& bindTable, const char* values, BindEntries& entries,
                 std::vector<FieldValue>& fields) {
  std::uint32_t count = 0;
  if (ReadBindTable(bindTable, entries, count) != BindTableResult::kRead) {
    frame::ReportMessageId(resources::kCantLoadDatasheet);
    return false;
  }
  if (count > 0 && values == nullptr) {
    frame::ReportMessage("The value block is missing.");
    return false;
  }
  for (std::uint32_t i = 0; i < count; ++i) {
    const BindEntry& entry = entries.get()[i];
    fields.push_back({platform::FixedFieldView(entry.fieldName, sizeof entry.fieldName),
                      entry.typeCode, Slot(values, i)});
  }
  return true;
}

}  // namespace

int InsertRecord(int id, const std::string& table, const std::string& bindTable,
                 const char* values) {
  platform::CDatabase* database = DatabaseOrReport(id);
  if (database == nullptr) return -1;
  BindEntries entries;
  std::vector<FieldValue> fields;
  if (!BoundFields(bindTable, values, entries, fields)) return -1;
  return Run(*database, InsertStatement(table, fields));
}

int InsertRecordEx(int id, int count, const std::string& table, const int* types, const char* names,
                   const char* values) {
  if (count < 1) return -1;
  platform::CDatabase* database = DatabaseOrReport(id);
  if (database == nullptr) return -1;
  if (types == nullptr || names == nullptr || values == nullptr) {
    frame::ReportMessage("SQLInsertRecordEx needs the type codes, the names and the values.");
    return -1;
  }
  const connections::ConnectionEntry* entry = Registry().FindConnection(id);
  const schema::Dialect dialect =
      entry != nullptr ? schema::DialectOf(entry->MySqlDialect()) : schema::Dialect::kStandard;
  std::vector<FieldValue> fields;
  fields.reserve(static_cast<std::size_t>(count));
  for (int i = 0; i < count; ++i) {
    const auto index = static_cast<std::size_t>(i);
    fields.push_back({platform::TrimView(Slot(names, index)), types[i], Slot(values, index)});
  }
  return Run(*database, InsertExStatement(table, fields, dialect));
}

int UpdateRecord(int id, const std::string& table, const std::string& bindTable, const char* values,
                 const std::string& condition) {
  platform::CDatabase* database = DatabaseOrReport(id);
  if (database == nullptr) return -1;
  BindEntries entries;
  std::vector<FieldValue> fields;
  if (!BoundFields(bindTable, values, entries, fields)) return -1;
  return Run(*database, UpdateStatement(table, fields, condition));
}

int DeleteRecord(int id, const std::string& table, const std::string& condition) {
  platform::CDatabase* database = DatabaseOrReport(id);
  if (database == nullptr) return -1;
  return Run(*database, DeleteStatement(table, condition));
}

}  // namespace quorlin::records
