#include "frame/frame_state.h"

#include "profiles/profile.h"

namespace quorlin::frame {
namespace {

FrameState g_frame{LastErrorText(profile::Active().initialLastError),
                   0,
                   platform::RegisterLibraryModule(profile::Active().messages),
                   {}};

}  // namespace

FrameState& Frame() {
  return g_frame;
}

}  // namespace quorlin::frame
