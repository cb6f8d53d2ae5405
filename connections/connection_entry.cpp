#include "connections/connection_entry.h"

#include "connections/connection_registry.h"
#include "connections/table_name_of_query.h"
#include "frame/report.h"
#include "profiles/profile.h"

namespace quorlin::connections {
namespace {

using profile::CachePolicy;

// The name a result is cached and found under.
std::string CacheKey(const platform::CRecordset& recordset) {
  switch (profile::Active().cache.key) {
    case CachePolicy::Key::kQueryTableName:
      return TableNameOfQuery(recordset.GetSQL());
    case CachePolicy::Key::kRecordsetTableName:
      return recordset.GetTableName();
  }
  return {};
}

// The completed connect string less the "ODBC;" the database puts before it.
std::string CompletedConnect(const platform::CDatabase& database) {
  const std::string reported = database.GetConnect();
  return reported.size() > 5 ? reported.substr(5) : std::string();
}

}  // namespace

ConnectionEntry::ConnectionEntry(ConnectionRegistry& registry,
                                 std::unique_ptr<platform::CDatabase> database,
                                 const profile::Dialect& dialect, int id)
    : m_registry(registry),
      m_dialect(dialect),
      m_database(std::move(database)),
      m_completedConnect(CompletedConnect(*m_database)),
      m_openedWith(m_database->OpenedWith()),
      m_id(id) {}

ConnectionEntry::~ConnectionEntry() {
  CloseAllRecordset();
  m_database.reset();
}

bool ConnectionEntry::OpenedFor(const FoldedText& connect) const {
  // Drivers rewrite the connect string (one whose rewritten form does not even connect
  // again), so the text the connection was opened with matches too.
  return m_completedConnect.CaseBlindEquals(connect) || m_openedWith.CaseBlindEquals(connect);
}

void ConnectionEntry::Release(Cache::iterator it) {
  std::unique_ptr<platform::CRecordset> recordset = std::move(it->recordset);
  m_cache.erase(it);
  m_registry.Forget(recordset.get());
  if (recordset->IsOpen()) recordset->Close();
}

void ConnectionEntry::CacheRecordset(std::unique_ptr<platform::CRecordset> recordset) {
  FoldedText name(CacheKey(*recordset));
  for (auto it = m_cache.begin(); it != m_cache.end(); ++it) {
    if (it->name.CaseBlindEquals(name)) {
      // Replacement keeps the old result's place, so eviction order stays that of first use.
      std::unique_ptr<platform::CRecordset> old = std::move(it->recordset);
      it->recordset = std::move(recordset);
      m_registry.Forget(old.get());
      if (old->IsOpen()) old->Close();
      return;
    }
  }
  if (m_cache.size() >= profile::Active().cache.capacity) Release(m_cache.begin());
  m_cache.push_back({std::move(name), std::move(recordset)});
}

platform::CRecordset* ConnectionEntry::FindRecordset(const std::string& tableName) const {
  const FoldedText name(tableName);
  for (const CachedResult& cached : m_cache) {
    if (cached.name.CaseBlindEquals(name)) return cached.recordset.get();
  }
  return nullptr;
}

bool ConnectionEntry::DiscardRecordset(const platform::CRecordset* recordset) {
  for (auto it = m_cache.begin(); it != m_cache.end(); ++it) {
    if (it->recordset.get() == recordset) {
      Release(it);
      return true;
    }
  }
  return false;
}

void ConnectionEntry::CloseAllRecordset() noexcept {
  // Each recordset in its own guard: one failure must neither leak the rest nor leave a
  // freed recordset current.
  while (!m_cache.empty()) {
    try {
      Release(m_cache.begin());
    } catch (...) {
      frame::Report(
          frame::Failure::OfProfile(profile::Failure::kRecordsetsNotReleased).ShownInMessageBox());
    }
  }
}

}  // namespace quorlin::connections
