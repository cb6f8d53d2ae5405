#pragma once

#include <exception>
#include <mutex>
#include <new>
#include <string>

#include "frame/failure.h"
#include "frame/frame_state.h"
#include "frame/report.h"
#include "platform/db_exception.h"
#include "platform/file_exception.h"
#include "platform/resources.h"

namespace quorlin::frame {

// Makes the library's resources current for the duration of an export and puts back the
// host's on every way out.
class ResourceModuleScope {
 public:
  ResourceModuleScope() : m_previous(platform::CurrentResourceModule()) {
    platform::SetCurrentResourceModule(Frame().libraryModule);
  }
  ~ResourceModuleScope() { platform::SetCurrentResourceModule(m_previous); }
  ResourceModuleScope(const ResourceModuleScope&) = delete;
  ResourceModuleScope& operator=(const ResourceModuleScope&) = delete;

 private:
  platform::ModuleHandle m_previous;
};

// Reports an exception that reached the boundary the way the library reports failures.
void ReportBoundaryException(std::exception_ptr error) noexcept;

// What every export holds for its whole run: the library-wide lock, the library's resources,
// and, when the outermost export ends, the work left for that moment. Inline and with the
// frame looked up once: a walk makes two exports a record, and this is most of their cost.
class ExportScope {
 public:
  ExportScope() : m_frame(Frame()), m_serialised(m_frame.exportLock) { ++m_frame.exportDepth; }
  ~ExportScope() {
    if (--m_frame.exportDepth == 0 && AfterExportWorkDue()) RunAfterExportWork();
  }
  ExportScope(const ExportScope&) = delete;
  ExportScope& operator=(const ExportScope&) = delete;

 private:
  FrameState& m_frame;
  std::lock_guard<std::recursive_mutex> m_serialised;
  ResourceModuleScope m_resources;
};

// An export's body ends in a plain result, or in an Outcome whose failure is reported here.
template <typename Result>
Result Settle(Result result) noexcept {
  return result;
}
template <typename Result>
Result Settle(Outcome<Result>&& outcome) noexcept {
  if (outcome.report) Report(*outcome.report);
  return outcome.value;
}

// Runs the body of an export, one export at a time in the process: nothing crosses the C
// boundary. A thrown Failure is reported as it says, database errors with their text, file
// errors as the profile reports an unreadable grid file, anything else its own text; the
// export then returns failure.
template <typename Result, typename Body>
Result RunExport(Result failure, Body&& body) noexcept {
  const ExportScope scope;
  try {
    return Settle<Result>(body());
  } catch (...) {
    ReportBoundaryException(std::current_exception());
  }
  return failure;
}

template <typename Body>
void RunExport(Body&& body) noexcept {
  const ExportScope scope;
  try {
    body();
  } catch (...) {
    ReportBoundaryException(std::current_exception());
  }
}

// Null input texts count as empty.
inline std::string Text(const char* text) {
  return text != nullptr ? std::string(text) : std::string();
}

}  // namespace quorlin::frame
