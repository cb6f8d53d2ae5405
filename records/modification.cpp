#include "records/modification.h"

#include <vector>

#include "connections/connection_registry.h"
#include "frame/failure.h"
#include "platform/text.h"
#include "profiles/profile.h"
#include "records/bind_table.h"
#include "records/record_statements.h"

namespace quorlin::records {

using connections::Registry;
using profile::Failure;

namespace {

constexpr std::size_t kSlotSize = QUORLIN_VALUE_SLOT_SIZE;

std::string_view Slot(const char* block, std::size_t index) {
  return platform::FixedFieldView(block + index * kSlotSize, kSlotSize);
}

// Runs a statement; a refusal throws and the export frame reports the database's text.
int Run(platform::CDatabase& database, const std::string& statement) {
  database.ExecuteStatement(statement);
  return 0;
}

// The fields of a bind-table file with the values of the caller's block; the fields view
// entries, which must outlive them. Throws, and nothing is run, when the file cannot be
// loaded or values are missing.
void BoundFields(const std::string& bindTable, const char* values, BindEntries& entries,
                 std::vector<FieldValue>& fields) {
  std::uint32_t count = 0;
  if (ReadBindTable(bindTable, entries, count) != BindTableResult::kRead) {
    throw frame::Failure::OfProfile(Failure::kGridFileUnreadable);
  }
  if (count > 0 && values == nullptr) throw frame::Failure::OfProfile(Failure::kValueBlockMissing);
  for (std::uint32_t i = 0; i < count; ++i) {
    const BindEntry& entry = entries.get()[i];
    fields.push_back({platform::FixedFieldView(entry.fieldName, sizeof entry.fieldName),
                      entry.typeCode, Slot(values, i)});
  }
}

}  // namespace

int InsertRecord(int id, const std::string& table, const std::string& bindTable,
                 const char* values) {
  connections::ConnectionEntry& connection = Registry().RequireConnection(id);
  BindEntries entries;
  std::vector<FieldValue> fields;
  BoundFields(bindTable, values, entries, fields);
  return Run(connection.Database(), InsertStatement(table, fields, profile::Active().fixedDialect));
}

int InsertRecordEx(int id, int count, const std::string& table, const int* types, const char* names,
                   const char* values) {
  if (count < 1 && profile::Active().insertRecordExNeedsCount) return -1;
  connections::ConnectionEntry& connection = Registry().RequireConnection(id);
  if (count > 0 && (types == nullptr || names == nullptr || values == nullptr)) {
    throw frame::Failure::OfProfile(Failure::kInsertArraysMissing);
  }
  std::vector<FieldValue> fields;
  fields.reserve(static_cast<std::size_t>(count > 0 ? count : 0));
  for (int i = 0; i < count; ++i) {
    const auto index = static_cast<std::size_t>(i);
    fields.push_back({platform::TrimView(Slot(names, index)), types[i], Slot(values, index)});
  }
  return Run(connection.Database(), InsertExStatement(table, fields, connection.Dialect()));
}

int UpdateRecord(int id, const std::string& table, const std::string& bindTable, const char* values,
                 const std::string& condition) {
  connections::ConnectionEntry& connection = Registry().RequireConnection(id);
  BindEntries entries;
  std::vector<FieldValue> fields;
  BoundFields(bindTable, values, entries, fields);
  return Run(connection.Database(),
             UpdateStatement(table, fields, condition, profile::Active().fixedDialect));
}

int DeleteRecord(int id, const std::string& table, const std::string& condition) {
  return Run(Registry().RequireConnection(id).Database(), DeleteStatement(table, condition));
}

}  // namespace quorlin::records
