#include "schema/queries.h"

#include <memory>
#include <new>

#include "connections/connection_registry.h"
#include "frame/report.h"
#include "platform/db_exception.h"
#include "platform/recordset.h"
#include "platform/text.h"
#include "profiles/profile.h"
#include "schema/statements.h"

namespace quorlin::schema {

using connections::Registry;
using platform::CDBException;
using platform::CRecordset;
using profile::Failure;

namespace {

constexpr unsigned kSnapshot = CRecordset::snapshot;
constexpr unsigned kReadOnly = CRecordset::readOnly;

std::unique_ptr<CRecordset> NewRecordset(platform::CDatabase& database) {
  std::unique_ptr<CRecordset> recordset(new (std::nothrow) CRecordset(&database));
  if (!recordset) frame::Report(Failure::kRecordsetNotCreated);
  return recordset;
}

connections::ConnectionEntry* ConnectionOrReport(int id) {
  connections::ConnectionEntry* entry = Registry().FindConnection(id);
  if (entry == nullptr) frame::Report(Failure::kDatabaseNotOpen);
  return entry;
}

}  // namespace

int SelectToTable(int id, const std::string& table, const std::string& condition) {
  connections::ConnectionEntry* entry = ConnectionOrReport(id);
  if (entry == nullptr) return -1;
  const std::string sql = SelectStatement(table, condition);
  std::unique_ptr<CRecordset> recordset = NewRecordset(entry->Database());
  if (!recordset) return -1;
  // A refusal throws and the export frame reports the database's text.
  recordset->Open(kSnapshot, sql, kReadOnly);
  Registry().StoreRecordset(id, recordset);
  return 0;
}

int Aggregate(int id, const std::string& table, int kind, const std::string& column, double* result,
              const std::string& condition) {
  connections::ConnectionEntry* entry = ConnectionOrReport(id);
  if (entry == nullptr) return -1;
  if (result == nullptr) {
    frame::ReportMessage("SQLAggregate needs the address of a double for its result.");
    return -1;
  }
  const std::string sql = AggregateStatement(kind, column, table, condition, entry->Dialect());
  std::unique_ptr<CRecordset> recordset = NewRecordset(entry->Database());
  if (!recordset) return -1;
  CRecordset* stored = recordset.get();
  recordset->Open(kSnapshot, sql, kReadOnly);
  if (!Registry().StoreRecordset(id, recordset)) return 0;
  try {
    *result = platform::AtoF(stored->GetFieldValue(0));
    if (profile::Active().aggregateClosesItsResult) stored->Close();
  } catch (const CDBException& e) {
    frame::ReportMessage(e.ErrorText());
    // Once cached, the result leaves the cache (and stops being current) before it dies.
    Registry().DiscardRecordset(stored);
    return -1;
  }
  return 0;
}

int Execute(int id, const std::string& statement) {
  connections::ConnectionEntry* entry = ConnectionOrReport(id);
  if (entry == nullptr) return -1;
  entry->Database().ExecuteSQL(statement);  // a refusal is reported by the export frame
  return 0;
}

}  // namespace quorlin::schema
