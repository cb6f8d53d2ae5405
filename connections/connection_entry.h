#pragma once

#include <list>
#include <memory>
#include <string>

#include "connections/folded_text.h"
#include "platform/database.h"
#include "platform/recordset.h"
#include "profiles/dialect.h"

namespace quorlin::connections {

class ConnectionRegistry;

// One open connection with its recordset cache: at most one result per table name and at
// most as many in all as the profile's cache policy allows, oldest first.
class ConnectionEntry {
 public:
  ConnectionEntry(ConnectionRegistry& registry, std::unique_ptr<platform::CDatabase> database,
                  const profile::Dialect& dialect, int id);
  virtual ~ConnectionEntry();
  ConnectionEntry(const ConnectionEntry&) = delete;
  ConnectionEntry& operator=(const ConnectionEntry&) = delete;

  int Id() const { return m_id; }
  // How statements on this connection are written, fixed when it was opened.
  const profile::Dialect& Dialect() const { return m_dialect; }
  platform::CDatabase& Database() { return *m_database; }
  const platform::CDatabase& Database() const { return *m_database; }
  // True when connect names this connection: ignoring case, it is the completed connect
  // string the driver manager reported or the text the connection was opened with.
  bool OpenedFor(const FoldedText& connect) const;

  // Files a newly opened recordset under its table name, replacing the one cached under
  // that name in place or evicting the oldest when the cache is full.
  void CacheRecordset(std::unique_ptr<platform::CRecordset> recordset);
  platform::CRecordset* FindRecordset(const std::string& tableName) const;
  // Takes a recordset out of the cache and frees it; false when it is not cached here.
  bool DiscardRecordset(const platform::CRecordset* recordset);
  void CloseAllRecordset() noexcept;
  std::size_t CachedCount() const { return m_cache.size(); }

 private:
  // A result's statement text and table never change once it is open, so the name it is
  // cached under is worked out once, when it is cached.
  struct CachedResult {
    FoldedText name;
    std::unique_ptr<platform::CRecordset> recordset;
  };
  using Cache = std::list<CachedResult>;
  // Closes and frees the recordset of it, clearing the current recordset if it was that.
  void Release(Cache::iterator it);

  ConnectionRegistry& m_registry;
  const profile::Dialect& m_dialect;
  Cache m_cache;
  std::unique_ptr<platform::CDatabase> m_database;
  // The database's connect strings, which stay as they were while it is registered.
  FoldedText m_completedConnect;
  FoldedText m_openedWith;
  int m_id;
};

}  // namespace quorlin::connections
