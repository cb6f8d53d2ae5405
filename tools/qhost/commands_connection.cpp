#include <optional>
#include <ostream>

#include "commands.h"

namespace qhost {

namespace {

bool Connect(Session& session, Arguments& arguments) {
  QHOST_REQUIRE(session, connect, SQLConnectToDatabase);
  const std::string connectString = arguments.TakeRest();
  if (connectString.empty()) throw UsageError("missing CONNECTSTRING");
  const int id = connect(connectString.c_str());
  if (id < 0) return session.Failed(id);
  session.SetCurrentConnection(id);
  session.Out() << "connection " << id << " (now $id)\n";
  return true;
}

bool Disconnect(Session& session, Arguments& arguments) {
  QHOST_REQUIRE(session, disconnect, SQLDisconnectToDatabase);
  const int id = session.TakeConnectionId(arguments);
  arguments.ExpectEnd();
  disconnect(id);
  if (session.CurrentConnection() == id) session.SetCurrentConnection(std::nullopt);
  session.Out() << "done\n";
  return true;
}

bool Cleanup(Session& session, Arguments& arguments) {
  QHOST_REQUIRE(session, cleanup, SQLCleanup);
  arguments.ExpectEnd();
  cleanup();
  session.SetCurrentConnection(std::nullopt);
  session.Out() << "done\n";
  return true;
}

// Both dialog exports copy a whole connect string or nothing, so the buffer is generous.
template <typename Export>
bool ConnectStringFromDialog(Session& session, Arguments& arguments, Export dialog) {
  arguments.ExpectEnd();
  char text[4096] = {};
  const int result = dialog(text, sizeof text);
  if (result != 1) return session.Failed(result);
  session.Out() << text << "\n";
  return true;
}

bool GetConnect(Session& session, Arguments& arguments) {
  QHOST_REQUIRE(session, getConnect, SQLGetConnect);
  return ConnectStringFromDialog(session, arguments, getConnect);
}

bool DataSource(Session& session, Arguments& arguments) {
  QHOST_REQUIRE(session, dataSourceDesc, SQLGetDataSourceDesc);
  return ConnectStringFromDialog(session, arguments, dataSourceDesc);
}

bool Current(Session& session, Arguments& arguments) {
  if (std::optional<std::string> id = arguments.TakeOptional()) {
    session.SetCurrentConnection(ParseInt(*id, "connection id"));
  }
  arguments.ExpectEnd();
  if (std::optional<int> current = session.CurrentConnection()) {
    session.Out() << "current connection " << *current << "\n";
  } else {
    session.Out() << "no current connection\n";
  }
  return true;
}

}  // namespace

std::vector<Command> ConnectionCommands() {
  return {
      {"connect", "connect CONNECTSTRING",
       "SQLConnectToDatabase: opens (or finds) a connection, e.g. "
       "Driver=SQLite3;Database=FILE; it becomes the current connection $id",
       Connect},
      {"disconnect", "disconnect [id]", "SQLDisconnectToDatabase: closes a connection", Disconnect},
      {"cleanup", "cleanup", "SQLCleanup: closes every connection", Cleanup},
      {"getconnect", "getconnect",
       "SQLGetConnect: lets the operator build a connect string in the driver manager's "
       "dialog and prints it",
       GetConnect},
      {"datasource", "datasource",
       "SQLGetDataSourceDesc: like getconnect; failures go to the last-error text", DataSource},
      {"current", "current [id]", "shows or sets the current connection ($id)", Current},
  };
}

}  // namespace qhost
