#include "viewer/dialog_failures.h"

#include <stdexcept>
#include <string>

#include "frame/report.h"
#include "platform/db_exception.h"

namespace quorlin::viewer {
namespace {

// Making the failure may itself run out of memory; a report that cannot be made is dropped
// rather than thrown into the toolkit's event loop.
template <typename Make>
void ReportMade(Make&& make) noexcept {
  try {
    frame::Report(make());
  } catch (...) {
  }
}

}  // namespace

void ReportDatabaseFailure(const platform::CDBException& failure) noexcept {
  ReportMade([&] { return frame::Failure::Words(failure.ErrorText()); });
}

void ReportButtonFailure(std::exception_ptr failure) noexcept {
  if (!failure) return;
  try {
    std::rethrow_exception(failure);
  } catch (const std::exception& e) {
    ReportMade([&] { return frame::Failure::Words(e.what()); });
  } catch (...) {
    ReportMade([] { return frame::Failure::OfProfile(profile::Failure::kUnexpectedInDialog); });
  }
}

}  // namespace quorlin::viewer
