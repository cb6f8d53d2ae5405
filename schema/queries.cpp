#include "schema/queries.h"

#include <memory>
#include <new>

#include "connections/connection_registry.h"
#include "frame/report.h"
#include "platform/db_exception.h"
#include "platform/recordset.h"
#include "platform/text.h"
#include "resources/message_ids.h"
#include "schema/statements.h"

namespace quorlin::schema {

using connections::Registry;
using platform::CDBException;
using platform::CRecordset;

namespace {

constexpr unsigned kSnapshot = CRecordset::snapshot;
constexpr unsigned kReadOnly = CRecordset::readOnly;

std::unique_ptr<CRecordset> NewRecordset(platform::CDatabase& database) {
  std::unique_ptr<CRecordset> recordset(new (std::nothrow) CRecordset(&database));
  if (!recordset) frame::ReportMessageId(resources::kFailedToCreateTable);
  return recordset;
}

}  // namespace

int SelectToTable(int id, const std::string& table, const std::string& condition) {
  platform::CDatabase* database = Registry().FindDatabase(id);
  if (database == nullptr) {
    frame::ReportMessageId(resources::kDatabaseNotOpen);
    return -1;
  }
  const std::string sql = SelectStatement(table, condition);
  std::unique_ptr<CRecordset> recordset = NewRecordset(*database);
  if (!recordset) return -1;
  try {
    recordset->Open(kSnapshot, sql, kReadOnly);
    Registry().StoreRecordset(id, recordset);  // on refusal the recordset stays ours and dies
  } catch (const CDBException& e) {
    frame::ReportMessage(e.ErrorText());
    return -1;
  }
  return 0;
}

int Aggregate(int id, const std::string& table, int kind, const std::string& column, double* result,
              const std::string& condition) {
  connections::ConnectionEntry* entry = Registry().FindConnection(id);
  if (entry == nullptr) {
    frame::ReportMessageId(resources::kDatabaseNotOpen);
    return -1;
  }
  if (result == nullptr) {
    frame::ReportMessage("SQLAggregate needs the address of a double for its result.");
    return -1;
  }
  const std::string sql =
      AggregateStatement(kind, column, table, condition, entry->MySqlDialect() != 0);
  std::unique_ptr<CRecordset> recordset = NewRecordset(entry->Database());
  if (!recordset) return -1;
  CRecordset* stored = recordset.get();
  try {
    recordset->Open(kSnapshot, sql, kReadOnly);
    if (!Registry().StoreRecordset(id, recordset)) return 0;
    *result = platform::AtoF(stored->GetFieldValue(0));
    stored->Close();
  } catch (const CDBException& e) {
    frame::ReportMessage(e.ErrorText());
    // Once cached, the result leaves the cache (and stops being current) before it dies.
    if (!recordset) Registry().DiscardRecordset(stored);
    return -1;
  }
  return 0;
}

int Execute(int id, const std::string& statement) {
  platform::CDatabase* database = Registry().FindDatabase(id);
  if (database == nullptr) {
    frame::ReportMessageId(resources::kDatabaseNotOpen);
    return -1;
  }
  try {
    database->ExecuteSQL(statement);
  } catch (const CDBException& e) {
    frame::ReportMessage(e.ErrorText());
    return -1;
  }
  return 0;
}

}  // namespace quorlin::schema
