#include "viewer/dialog_failures.h"

#include <stdexcept>
#include <string>

#include "frame/report.h"
#include "platform/db_exception.h"

namespace quorlin::viewer {
namespace {

// Making the text may itself fail (memory); a report that cannot be made is dropped rather
// than thrown into the toolkit's event loop.
void ReportText(const char* text) noexcept {
  try {
    frame::ReportMessage(text);
  } catch (...) {
  }
}

}  // namespace

void ReportDatabaseFailure(const platform::CDBException& failure) noexcept {
  frame::ReportMessage(failure.ErrorText());
}

void ReportButtonFailure(std::exception_ptr failure) noexcept {
  if (!failure) return;
  try {
    std::rethrow_exception(failure);
  } catch (const std::exception& e) {
    ReportText(e.what());
  } catch (...) {
    ReportText("Unexpected error in the View data dialog.");
  }
}

}  // namespace quorlin::viewer
