#pragma once

#include <exception>

namespace quorlin::platform {
class CDBException;
}

// How the View data dialog tells the host of its failures while it runs, when no export's
// result can carry them. Every report the viewer makes goes through here.
namespace quorlin::viewer {

// A database failure that a paging action reports: the database's own message.
void ReportDatabaseFailure(const platform::CDBException& failure) noexcept;

// What escaped a button's work: its text, or a fixed text for a failure that has none.
void ReportButtonFailure(std::exception_ptr failure) noexcept;

}  // namespace quorlin::viewer
