#include "frame/export_frame.h"

namespace quorlin::frame {
namespace {

using Which = profile::Failure;

// What an exception says to the host. Making the failure may itself run out of memory.
frame::Failure FailureOf(std::exception_ptr error) {
  try {
    std::rethrow_exception(error);
  } catch (const frame::Failure& failure) {
    return failure;
  } catch (const platform::CDBException& e) {
    return frame::Failure::Words(e.ErrorText());
  } catch (const platform::CFileException&) {
    return frame::Failure::OfProfile(Which::kGridFileUnreadable);
  } catch (const std::bad_alloc&) {
    return frame::Failure::OfProfile(Which::kOutOfMemory);
  } catch (const std::exception& e) {
    return frame::Failure::Words(e.what());
  } catch (...) {
    return frame::Failure::OfProfile(Which::kUnexpected);
  }
}

}  // namespace

void ReportBoundaryException(std::exception_ptr error) noexcept {
  try {
    Report(FailureOf(error));
  } catch (...) {
    Report(frame::Failure::OfProfile(Which::kOutOfMemory));
  }
}

}  // namespace quorlin::frame
