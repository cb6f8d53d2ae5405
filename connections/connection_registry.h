#pragma once

#include <list>
#include <memory>
#include <string>

#include "connections/connection_entry.h"

namespace quorlin::connections {

// The library-wide list of open connections and the current recordset: the recordset
// that navigation, field reading and the viewer act on. Connection ids are handed out in
// order and never reused while the library stays loaded.
class ConnectionRegistry {
 public:
  ConnectionRegistry() = default;
  ~ConnectionRegistry();
  ConnectionRegistry(const ConnectionRegistry&) = delete;
  ConnectionRegistry& operator=(const ConnectionRegistry&) = delete;

  int AddConnection(std::unique_ptr<platform::CDatabase> database, const profile::Dialect& dialect);
  // Finding a connection by its id counts as a use of it (CDatabase::MarkUsed).
  ConnectionEntry* FindConnection(int id) const;
  // The same for a call that cannot go on without the connection: throws the profile's
  // failure for a database that is not open when there is none.
  ConnectionEntry& RequireConnection(int id) const;
  // The database of connection id, not counted as a use; null when there is none.
  platform::CDatabase* PeekDatabase(int id) const;
  // The id of the connection opened with connect, or reporting it as its completed connect
  // string, ignoring case; -1 when there is none.
  int FindConnectionByConnectString(const std::string& connect) const;
  void RemoveConnection(int id);
  void RemoveAllConnections();
  // Closes and removes, as a disconnect would, every connection whose driver ran out of
  // memory, so that nothing is asked of that driver connection again and the connect string
  // gets a new one.
  void RemoveConnectionsOutOfMemory() noexcept;

  // Caches a newly opened recordset on a connection of this registry and makes it current.
  void StoreRecordset(ConnectionEntry& connection, std::unique_ptr<platform::CRecordset> recordset);
  // Takes a recordset out of whichever cache holds it and frees it.
  void DiscardRecordset(const platform::CRecordset* recordset);

  platform::CRecordset* CurrentRecordset() const { return m_current; }
  void SetCurrentRecordset(platform::CRecordset* recordset) { m_current = recordset; }
  // Called whenever a cached recordset is freed.
  void Forget(const platform::CRecordset* recordset) {
    if (m_current == recordset) m_current = nullptr;
  }

  std::size_t ConnectionCount() const { return m_connections.size(); }
  // True from a driver's running out of memory until RemoveConnectionsOutOfMemory.
  const bool* DriverOutOfMemoryFlag() const { return &m_driverOutOfMemory; }

 private:
  // Closes and removes every connection for which remove(entry) holds.
  template <typename Predicate>
  void RemoveConnectionsWhere(Predicate&& remove);

  std::list<std::unique_ptr<ConnectionEntry>> m_connections;
  platform::CRecordset* m_current = nullptr;
  int m_nextId = 0;
  // Set by the driver's diagnostics when a connection here runs out of memory, so that the
  // check after every export costs nothing until one does.
  bool m_driverOutOfMemory = false;
};

// The one registry of the loaded library.
ConnectionRegistry& Registry();

}  // namespace quorlin::connections
