#include "connections/connection_entry.h"

#include "connections/connection_registry.h"
#include "connections/table_name_of_query.h"
#include "platform/message_box.h"
#include "platform/text.h"
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

}  // namespace

ConnectionEntry::ConnectionEntry(ConnectionRegistry& registry,
                                 std::unique_ptr<platform::CDatabase> database,
                                 const profile::Dialect& dialect, int id)
    : m_registry(registry), m_dialect(dialect), m_database(std::move(database)), m_id(id) {}

ConnectionEntry::~ConnectionEntry() {
  CloseAllRecordset();
  m_database.reset();
}

void ConnectionEntry::Release(Cache::iterator it) {
  std::unique_ptr<platform::CRecordset> recordset = std::move(*it);
  m_cache.erase(it);
  m_registry.Forget(recordset.get());
  if (recordset->IsOpen()) recordset->Close();
}

void ConnectionEntry::CacheRecordset(std::unique_ptr<platform::CRecordset> recordset) {
  const std::string name = CacheKey(*recordset);
  for (auto it = m_cache.begin(); it != m_cache.end(); ++it) {
    if (platform::MbsIEqual(CacheKey(**it), name)) {
      // Replacement keeps the old result's place, so eviction order stays that of first use.
      std::unique_ptr<platform::CRecordset> old = std::move(*it);
      *it = std::move(recordset);
      m_registry.Forget(old.get());
      if (old->IsOpen()) old->Close();
      return;
    }
  }
  if (m_cache.size() >= profile::Active().cache.capacity) Release(m_cache.begin());
  m_cache.push_back(std::move(recordset));
}

platform::CRecordset* ConnectionEntry::FindRecordset(const std::string& tableName) const {
  for (const auto& recordset : m_cache) {
    if (platform::MbsIEqual(CacheKey(*recordset), tableName)) {
      return recordset.get();
    }
  }
  return nullptr;
}

bool ConnectionEntry::DiscardRecordset(const platform::CRecordset* recordset) {
  for (auto it = m_cache.begin(); it != m_cache.end(); ++it) {
    if (it->get() == recordset) {
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
      try {
        platform::ShowMessageBox("Exception in CloseAllRecordset");
      } catch (...) {
      }
    }
  }
}

}  // namespace quorlin::connections
