#include "connections/connection_registry.h"

#include "frame/failure.h"

namespace quorlin::connections {

ConnectionRegistry::~ConnectionRegistry() {
  RemoveAllConnections();
}

int ConnectionRegistry::AddConnection(std::unique_ptr<platform::CDatabase> database,
                                      const profile::Dialect& dialect) {
  const int id = m_nextId;
  database->AlsoMarkOutOfMemory(&m_driverOutOfMemory);
  m_connections.push_back(
      std::make_unique<ConnectionEntry>(*this, std::move(database), dialect, id));
  ++m_nextId;
  return id;
}

platform::CDatabase* ConnectionRegistry::PeekDatabase(int id) const {
  for (const auto& entry : m_connections) {
    if (entry->Id() == id) return &entry->Database();
  }
  return nullptr;
}

ConnectionEntry* ConnectionRegistry::FindConnection(int id) const {
  for (const auto& entry : m_connections) {
    if (entry->Id() == id) {
      entry->Database().MarkUsed();
      return entry.get();
    }
  }
  return nullptr;
}

ConnectionEntry& ConnectionRegistry::RequireConnection(int id) const {
  ConnectionEntry* entry = FindConnection(id);
  if (entry == nullptr) throw frame::Failure::OfProfile(profile::Failure::kDatabaseNotOpen);
  return *entry;
}

int ConnectionRegistry::FindConnectionByConnectString(const std::string& connect) const {
  const FoldedText text(connect);
  for (const auto& entry : m_connections) {
    if (entry->OpenedFor(text)) return entry->Id();
  }
  return -1;
}

template <typename Predicate>
void ConnectionRegistry::RemoveConnectionsWhere(Predicate&& remove) {
  for (auto it = m_connections.begin(); it != m_connections.end();) {
    if (!remove(**it)) {
      ++it;
      continue;
    }
    // Out of the list first: closing its results may come back here to forget them.
    std::unique_ptr<ConnectionEntry> entry = std::move(*it);
    it = m_connections.erase(it);
    entry.reset();
  }
}

void ConnectionRegistry::RemoveConnection(int id) {
  RemoveConnectionsWhere([id](const ConnectionEntry& entry) { return entry.Id() == id; });
}

void ConnectionRegistry::RemoveConnectionsOutOfMemory() noexcept {
  if (!m_driverOutOfMemory) return;
  m_driverOutOfMemory = false;
  RemoveConnectionsWhere(
      [](const ConnectionEntry& entry) { return entry.Database().DriverOutOfMemory(); });
}

void ConnectionRegistry::RemoveAllConnections() {
  while (!m_connections.empty()) {
    std::unique_ptr<ConnectionEntry> entry = std::move(m_connections.front());
    m_connections.pop_front();
    entry.reset();
  }
}

void ConnectionRegistry::StoreRecordset(ConnectionEntry& connection,
                                        std::unique_ptr<platform::CRecordset> recordset) {
  platform::CRecordset* stored = recordset.get();
  connection.CacheRecordset(std::move(recordset));
  m_current = stored;
}

void ConnectionRegistry::DiscardRecordset(const platform::CRecordset* recordset) {
  for (const auto& entry : m_connections) {
    if (entry->DiscardRecordset(recordset)) return;
  }
  Forget(recordset);
}

}  // namespace quorlin::connections
