#include "connections/connection_operations.h"

#include <chrono>
#include <cstring>
#include <memory>
#include <new>

#include "connections/connection_registry.h"
#include "platform/db_exception.h"
#include "profiles/profile.h"

namespace quorlin::connections {

using platform::CDatabase;
using platform::CDBException;

namespace {

// How long a connection may rest before its reuse costs a round trip to the server.
constexpr std::chrono::seconds kIdleBeforeCheck{1};

}  // namespace

int ConnectToDatabase(const std::string& connect) {
  ConnectionRegistry& registry = Registry();
  // A connection whose server has gone can only fail, and hosts call this before each use
  // to get a working one: such a match goes as a disconnect would, and the next match, or
  // else a new connection, takes its place.
  // A connection idle for a while is asked once more, with one round trip, since some
  // drivers learn of a restarted server only when a statement fails; one used a moment ago
  // costs nothing.
  for (int existing; (existing = registry.FindConnectionByConnectString(connect)) >= 0;) {
    CDatabase& database = *registry.PeekDatabase(existing);
    if (!database.IsConnectionDead() &&
        (!database.IdleLongerThan(kIdleBeforeCheck) || database.SurvivesRoundTrip())) {
      database.MarkUsed();
      return existing;
    }
    registry.RemoveConnection(existing);
  }

  std::unique_ptr<CDatabase> database(new (std::nothrow) CDatabase());
  if (!database) throw frame::Failure::OfProfile(profile::Failure::kDatabaseNotOpen);
  // A refusal throws; the export frame reports the driver's text.
  if (!database->OpenEx(connect, CDatabase::noOdbcDialog)) return -1;
  const std::string dbmsName = database->DbmsName();
  return registry.AddConnection(std::move(database),
                                profile::Active().dialectOf(connect, dbmsName));
}

frame::Outcome<int> ConnectStringFromDialog(char* buffer, unsigned int size, bool reportErrors) {
  if (buffer == nullptr || size < 1) return 0;
  buffer[0] = '\0';
  std::unique_ptr<CDatabase> database(new (std::nothrow) CDatabase());
  if (!database) return 0;
  try {
    if (!database->OpenEx(buffer, CDatabase::forceOdbcDialog)) return 0;
  } catch (const CDBException& e) {
    frame::Failure failure = frame::Failure::Words(e.ErrorText());
    return {0, reportErrors ? std::move(failure) : std::move(failure).ShownInMessageBox()};
  }
  const std::string reported = database->GetConnect();
  const std::string connect = reported.size() > 5 ? reported.substr(5) : std::string();
  database->Close();
  if (size <= connect.size()) return 0;
  std::memcpy(buffer, connect.c_str(), connect.size() + 1);
  return 1;
}

}  // namespace quorlin::connections
