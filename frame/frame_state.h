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
};

FrameState& Frame();

}  // namespace quorlin::frame
