#include "frame/frame_state.h"

#include "profiles/profile.h"
#include "resources/message_table.h"

namespace quorlin::frame {
namespace {

FrameState g_frame{LastErrorText(profile::kInitialLastError), 0,
                   platform::RegisterLibraryModule(resources::MessageTable())};

}  // namespace

FrameState& Frame() {
  return g_frame;
}

}  // namespace quorlin::frame
