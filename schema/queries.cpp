#include "schema/queries.h"

#include <memory>
#include <new>

#include "connections/connection_registry.h"
#include "frame/failure.h"
#include "platform/db_exception.h"
#include "platform/recordset.h"
#include "platform/text.h"
#include "profiles/profile.h"
#include "schema/statements.h"

namespace quorlin::schema {

using connections::Registry;
using frame::Failure;
using platform::CDBException;
using platform::CRecordset;
using Which = profile::Failure;

namespace {

constexpr unsigned kSnapshot = CRecordset::snapshot;
constexpr unsigned kReadOnly = CRecordset::readOnly;

std::unique_ptr<CRecordset> NewRecordset(platform::CDatabase& database) {
  std::unique_ptr<CRecordset> recordset(new (std::nothrow) CRecordset(&database));
  if (!recordset) throw Failure::OfProfile(Which::kRecordsetNotCreated);
  return recordset;
}

}  // namespace

int SelectToTable(int id, const std::string& table, const std::string& condition) {
  connections::ConnectionEntry& connection = Registry().RequireConnection(id);
  const std::string sql = SelectStatement(table, condition);
  std::unique_ptr<CRecordset> recordset = NewRecordset(connection.Database());
  // A refusal throws and the export frame reports the database's text.
  recordset->Open(kSnapshot, sql, kReadOnly);
  Registry().StoreRecordset(connection, std::move(recordset));
  return 0;
}

int Aggregate(int id, const std::string& table, int kind, const std::string& column, double* result,
              const std::string& condition) {
  connections::ConnectionEntry& connection = Registry().RequireConnection(id);
  if (result == nullptr) throw Failure::OfProfile(Which::kAggregateResultMissing);
  const std::string sql = AggregateStatement(kind, column, table, condition, connection.Dialect());
  std::unique_ptr<CRecordset> recordset = NewRecordset(connection.Database());
  CRecordset* stored = recordset.get();
  recordset->Open(kSnapshot, sql, kReadOnly);
  Registry().StoreRecordset(connection, std::move(recordset));
  try {
    *result = platform::AtoF(stored->GetFieldValue(0));
    if (profile::Active().aggregateClosesItsResult) stored->Close();
  } catch (const CDBException&) {
    // Once cached, the result leaves the cache (and stops being current) before it dies;
    // the export frame then reports the database's text.
    Registry().DiscardRecordset(stored);
    throw;
  }
  return 0;
}

int Execute(int id, const std::string& statement) {
  // A refusal is reported by the export frame.
  Registry().RequireConnection(id).Database().ExecuteSQL(statement);
  return 0;
}

}  // namespace quorlin::schema
