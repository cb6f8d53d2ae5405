#pragma once

#include <mutex>

#include "frame/last_error_text.h"
#include "platform/resources.h"

namespace quorlin::frame {

// The library-wide state of the frame: built when the library loads, one copy per process.
struct FrameState {
  LastErrorText lastError;
  int debugFlag = 0;
  // The library's own resource module, which every export makes current while it runs.
  platform::ModuleHandle libraryModule = nullptr;
  // Held by every export for its whole run, so that calls from several host threads run one
  // after another. Recursive: a host called back inside the dialog's message loop or a debug
  // box may call in again on the same thread.
  std::recursive_mutex exportLock;
  // How many exports the thread holding the lock is inside.
  int exportDepth = 0;
};

// Built when the library loads; one copy per process.
extern FrameState g_frame;
inline FrameState& Frame() {
  return g_frame;
}

// Work that a layer above the frame needs done whenever the outermost export on the stack has
// ended, while the lock is still held and nothing of the export's refers to library state any
// more: the connections layer closes connections whose driver failed beyond repair. One at a
// time; null for none. due, where given, says when the work has anything to do.
using AfterExportWork = void (*)() noexcept;
void SetAfterExportWork(AfterExportWork work, const bool* due = nullptr) noexcept;
void RunAfterExportWork() noexcept;

// Set by the layer that registered the work whenever it is due; null when it is due after
// every export. Constant-initialised, so that it holds whatever order the library's objects
// are built in.
extern const bool* g_afterExportDue;
inline bool AfterExportWorkDue() {
  return g_afterExportDue == nullptr || *g_afterExportDue;
}

}  // namespace quorlin::frame
