#include "frame/export_frame.h"

namespace quorlin::frame {

void ReportBoundaryException(std::exception_ptr error) noexcept {
  try {
    std::rethrow_exception(error);
  } catch (const platform::CDBException& e) {
    ReportMessage(e.ErrorText());
  } catch (const platform::CFileException&) {
    Report(profile::Failure::kGridFileUnreadable);
  } catch (const std::bad_alloc&) {
    ReportMessage("Out of memory.");
  } catch (const std::exception& e) {
    ReportMessage(e.what());
  } catch (...) {
    ReportMessage("Unexpected error.");
  }
}

}  // namespace quorlin::frame
