#include "connections/connection_registry.h"
#include "frame/frame_state.h"

namespace quorlin::connections {
namespace {

// Built when the library loads; its destruction at unload closes every connection.
ConnectionRegistry g_registry;

// A driver that ran out of memory is not safe to call again, yet its failure may be met deep
// inside an export that still holds the connection's recordsets: the connection is closed once
// the export has ended. Built after the registry and gone before it.
class OutOfMemorySweep {
 public:
  OutOfMemorySweep() { frame::SetAfterExportWork(&Sweep, g_registry.DriverOutOfMemoryFlag()); }
  ~OutOfMemorySweep() { frame::SetAfterExportWork(nullptr); }
  OutOfMemorySweep(const OutOfMemorySweep&) = delete;
  OutOfMemorySweep& operator=(const OutOfMemorySweep&) = delete;

 private:
  static void Sweep() noexcept { g_registry.RemoveConnectionsOutOfMemory(); }
};
const OutOfMemorySweep g_outOfMemorySweep;

}  // namespace

ConnectionRegistry& Registry() {
  return g_registry;
}

}  // namespace quorlin::connections
