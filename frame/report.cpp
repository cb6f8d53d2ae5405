#include "frame/report.h"

#include "frame/frame_state.h"
#include "platform/message_box.h"

namespace quorlin::frame {

void ReportMessage(const std::string& text) noexcept {
  FrameState& frame = Frame();
  if (frame.debugFlag == 1) {
    try {
      platform::ShowMessageBox(text);
    } catch (...) {
      // The message still reaches the last-error text.
    }
  }
  frame.lastError.Set(text);
}

void ReportMessageId(unsigned id) noexcept {
  try {
    ReportMessage(platform::LoadResourceString(id));
  } catch (...) {
    // Loading the text failed (out of memory): nothing more to report with.
  }
}

}  // namespace quorlin::frame
