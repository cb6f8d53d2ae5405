#include "frame/frame_state.h"

#include "profiles/profile.h"

namespace quorlin::frame {

FrameState g_frame{LastErrorText(profile::Active().initialLastError),
                   0,
                   platform::RegisterLibraryModule(profile::Active().messages),
                   {},
                   0};
const bool* g_afterExportDue = nullptr;

namespace {

// Constant-initialised, so that it holds whatever order the library's objects are built in.
AfterExportWork g_afterExportWork = nullptr;

}  // namespace

void SetAfterExportWork(AfterExportWork work, const bool* due) noexcept {
  g_afterExportWork = work;
  g_afterExportDue = due;
}

void RunAfterExportWork() noexcept {
  if (g_afterExportWork != nullptr) g_afterExportWork();
}

}  // namespace quorlin::frame
