#include "frame/report.h"

#include "frame/frame_state.h"
#include "platform/message_box.h"
#include "platform/resources.h"

namespace quorlin::frame {
namespace {

void ShowBox(const std::string& text) noexcept {
  try {
    platform::ShowMessageBox(text);
  } catch (...) {
    // No box can be shown: the text still reaches the last-error text where it goes there.
  }
}

void Tell(const std::string& text, bool messageBoxOnly) noexcept {
  FrameState& frame = Frame();
  if (messageBoxOnly || frame.debugFlag == 1) ShowBox(text);
  if (!messageBoxOnly) frame.lastError.Set(text);
}

void TellMessage(unsigned id, bool messageBoxOnly) noexcept {
  try {
    Tell(platform::LoadResourceString(id), messageBoxOnly);
  } catch (...) {
    // Loading the text failed (out of memory): nothing more to report with.
  }
}

}  // namespace

void Report(const Failure& failure) noexcept {
  const bool boxOnly = failure.MessageBoxOnly();
  switch (failure.From()) {
    case Failure::Source::kMessageTable:
      TellMessage(failure.MessageId(), boxOnly);
      return;
    case Failure::Source::kOwnWords:
      Tell(failure.Text(), boxOnly);
      return;
    case Failure::Source::kProfile:
      break;
  }
  const profile::FailureReport& report = profile::ReportOf(failure.ProfileFailure());
  switch (report.kind) {
    case profile::FailureReport::Kind::kNothing:
      return;
    case profile::FailureReport::Kind::kMessageId:
      TellMessage(report.messageId, boxOnly);
      return;
    case profile::FailureReport::Kind::kText:
      try {
        Tell(report.text, boxOnly);
      } catch (...) {
        // The text could not be copied (out of memory).
      }
      return;
    case profile::FailureReport::Kind::kDatabaseText:
      Tell(failure.Text(), boxOnly);
      return;
  }
}

}  // namespace quorlin::frame
