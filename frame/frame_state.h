#pragma once

#include "frame/last_error_text.h"
#include "platform/resources.h"

namespace quorlin::frame {

// The library-wide state of the frame: built when the library loads, one copy per process,
// without locks (hosts call the library from one thread at a time).
struct FrameState {
  LastErrorText lastError;
  int debugFlag = 0;
  // The library's own resource module, which every export makes current while it runs.
  platform::ModuleHandle libraryModule = nullptr;
};

FrameState& Frame();

}  // namespace quorlin::frame
