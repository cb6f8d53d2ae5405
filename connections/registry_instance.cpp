#include "connections/connection_registry.h"

namespace quorlin::connections {
namespace {

// Built when the library loads; its destruction at unload closes every connection.
ConnectionRegistry g_registry;

}  // namespace

ConnectionRegistry& Registry() {
  return g_registry;
}

}  // namespace quorlin::connections
