#include "frame/frame_state.h"

#include "profiles/profile.h"

namespace quorlin::frame {
namespace {

FrameState g_frame{LastErrorText(profile::Active().initialLastError),
                   0,
                   platform::RegisterLibraryModule(profile::Active().messages),
                   {},
                   0};

// Constant-initialised, so that it holds whatever order the library's objects are built in.
AfterExportWork g_afterExportWork = nullptr;

}  // namespace

FrameState& Frame() {
  return g_frame;
}

void SetAfterExportWork(AfterExportWork work) noexcept {
  g_afterExportWork = work;
}

void RunAfterExportWork() noexcept {
  if (g_afterExportWork != nullptr) g_afterExportWork();
}

}  // namespace quorlin::frame
