#include "connections/connection_operations.h"
#include "connections/connection_registry.h"
#include "frame/export_frame.h"
#include "quorlin.h"

using namespace quorlin;
using frame::RunExport;
using frame::Text;

int QUORLIN_CALL SQLConnectToDatabase(const char* connect) {
  return RunExport(-1, [&] { return connections::ConnectToDatabase(Text(connect)); });
}

void QUORLIN_CALL SQLDisconnectToDatabase(int id) {
  RunExport([&] { connections::Registry().RemoveConnection(id); });
}

void QUORLIN_CALL SQLCleanup(void) {
  RunExport([] { connections::Registry().RemoveAllConnections(); });
}

int QUORLIN_CALL SQLGetDataSourceDesc(char* buffer, unsigned int size) {
  return RunExport(0, [&] { return connections::ConnectStringFromDialog(buffer, size, true); });
}

int QUORLIN_CALL SQLGetConnect(char* buffer, unsigned int size) {
  return RunExport(0, [&] { return connections::ConnectStringFromDialog(buffer, size, false); });
}
