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

void Report(profile::Failure failure, const std::string& databaseText) noexcept {
  const profile::FailureReport& report = profile::ReportOf(failure);
  switch (report.kind) {
    case profile::FailureReport::Kind::kNothing:
      break;
    case profile::FailureReport::Kind::kMessageId:
      ReportMessageId(report.messageId);
      break;
    case profile::FailureReport::Kind::kText:
      ReportMessage(report.text);
      break;
    case profile::FailureReport::Kind::kDatabaseText:
      ReportMessage(databaseText);
      break;
  }
}

void ReportMessageId(unsigned id) noexcept {
  try {
    ReportMessage(platform::LoadResourceString(id));
  } catch (...) {
    // Loading the text failed (out of memory): nothing more to report with.
  }
}

}  // namespace quorlin::frame
