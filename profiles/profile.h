#pragma once

#include <cstddef>
#include <string>

#include "platform/resources.h"
#include "profiles/dialect.h"

class PLPrinter;

namespace quorlin::resources {
struct DialogTemplate;
}

// What differs between the library's two profiles, as data and small functions. The
// subsystems ask the active profile; each library links exactly one profile unit
// (profiles/full.cpp or profiles/legacy.cpp), which defines Active().
namespace quorlin::profile {

// The failures whose telling is the profile's: by message id, by a text the profile carries,
// with the database's own text, or not at all.
enum class Failure : unsigned char {
  kDatabaseNotOpen,      // an id that names no open connection, or no database object
  kRecordsetNotCreated,  // no recordset object could be made
  kNoCurrentRecordset,   // a move without a current recordset
  kGridFileUnreadable,   // a datasheet or bind-table file that cannot be read
  kNothingToDisplay,     // SQLDisplay without a current recordset
  kDropTableRejected,    // the database refused DROP TABLE
  // A block the call cannot do without is missing.
  kColumnArraysMissing,     // SQLCreateTableEx: names or type codes
  kColumnWidthsMissing,     // SQLCreateTableEx: widths, with a CHAR column
  kAggregateResultMissing,  // SQLAggregate: the double for the result
  kValueBlockMissing,       // SQLInsertRecord and SQLUpdateRecord: the values
  kInsertArraysMissing,     // SQLInsertRecordEx: type codes, names or values
  // The library's own.
  kOutOfMemory,
  kUnexpected,             // an exception of no kind the library knows
  kUnexpectedInDialog,     // the same, met by a button of the View data dialog
  kRecordsetsNotReleased,  // closing a connection's results failed (a message box only)
};

// How one failure is told to the host.
struct FailureReport {
  enum class Kind : unsigned char {
    kNothing,       // silent: only the export's result says it
    kMessageId,     // the message table's entry
    kText,          // a text built into the library, in its own code page
    kDatabaseText,  // the database's own message
  };
  Kind kind;
  unsigned messageId;
  const char* text;

  static constexpr FailureReport Nothing() { return {Kind::kNothing, 0, nullptr}; }
  static constexpr FailureReport Message(unsigned id) { return {Kind::kMessageId, id, nullptr}; }
  static constexpr FailureReport Text(const char* text) { return {Kind::kText, 0, text}; }
  static constexpr FailureReport DatabaseText() { return {Kind::kDatabaseText, 0, nullptr}; }
};

// A profile's telling of each failure, by name. The profile units are compiled with missing
// initialisers as errors, so a failure added here and forgotten there does not build.
struct FailureReports {
  FailureReport databaseNotOpen;
  FailureReport recordsetNotCreated;
  FailureReport noCurrentRecordset;
  FailureReport gridFileUnreadable;
  FailureReport nothingToDisplay;
  FailureReport dropTableRejected;
  FailureReport columnArraysMissing;
  FailureReport columnWidthsMissing;
  FailureReport aggregateResultMissing;
  FailureReport valueBlockMissing;
  FailureReport insertArraysMissing;
  FailureReport outOfMemory;
  FailureReport unexpected;
  FailureReport unexpectedInDialog;
  FailureReport recordsetsNotReleased;
};

// How a connection's results are cached.
struct CachePolicy {
  enum class Key : unsigned char {
    kQueryTableName,      // the name between FROM and WHERE of the result's statement
    kRecordsetTableName,  // the base table the recordset reports for itself
  };
  std::size_t capacity;  // results per connection; the oldest goes first
  Key key;
};

// The rules of the View data dialog that differ.
struct ViewerRules {
  // An empty table name shows message 1608 once the dialog opens.
  bool namesUnnamedTables;
  // The first / The last: a failed move is reported and ends the action (otherwise the
  // action goes on from wherever the recordset stands).
  bool failedMoveEndsAction;
  // The first / The last: a page fill that fails or runs out of records before the page is
  // full ends the action silently, leaving the rest of its steps undone.
  bool shortFillEndsAction;
  // Next page / Previous page: a failed row ends the action silently with the list cleared
  // and the page counter and buttons unchanged (otherwise it is reported and the rows
  // collected so far are shown).
  bool failedRowEndsActionSilently;
};

// The printer library the dialog hands its page to; both null where there is none.
struct PrinterLibrary {
  PLPrinter* (*create)();
  void (*destroy)(PLPrinter*);
};

struct Profile {
  // The last-error text right after load.
  const char* initialLastError;
  // The message table (on Windows the DLL's string table is used instead).
  const platform::StringTable& messages;
  FailureReports failures;
  CachePolicy cache;
  // For the statements that ignore the connection's dialect: CREATE TABLE from a datasheet,
  // INSERT and UPDATE from a bind table.
  const Dialect& fixedDialect;
  // The dialect of a connection opened with that connect string, to a database that its
  // driver names dbmsName.
  const Dialect& (*dialectOf)(const std::string& connect, const std::string& dbmsName);
  // Conditions starting with one of these words (case-blind) get no "WHERE " before them.
  const char* const* clauseWords;
  std::size_t clauseWordCount;
  bool createTableExTrimsNames;
  bool insertRecordExNeedsCount;  // a count below 1 runs nothing
  bool aggregateClosesItsResult;
  int rowCountWithoutRecordset;
  bool fieldValuesLoseTrailingBlanks;
  ViewerRules viewer;
  const resources::DialogTemplate& (*viewDataTemplate)(bool chinese);
  PrinterLibrary printer;
};

// The profile this library was linked with.
const Profile& Active();

// A switch without a default: the project builds with unhandled enumerators as errors.
inline const FailureReport& ReportOf(Failure failure) {
  const FailureReports& reports = Active().failures;
  switch (failure) {
    case Failure::kDatabaseNotOpen:
      return reports.databaseNotOpen;
    case Failure::kRecordsetNotCreated:
      return reports.recordsetNotCreated;
    case Failure::kNoCurrentRecordset:
      return reports.noCurrentRecordset;
    case Failure::kGridFileUnreadable:
      return reports.gridFileUnreadable;
    case Failure::kNothingToDisplay:
      return reports.nothingToDisplay;
    case Failure::kDropTableRejected:
      return reports.dropTableRejected;
    case Failure::kColumnArraysMissing:
      return reports.columnArraysMissing;
    case Failure::kColumnWidthsMissing:
      return reports.columnWidthsMissing;
    case Failure::kAggregateResultMissing:
      return reports.aggregateResultMissing;
    case Failure::kValueBlockMissing:
      return reports.valueBlockMissing;
    case Failure::kInsertArraysMissing:
      return reports.insertArraysMissing;
    case Failure::kOutOfMemory:
      return reports.outOfMemory;
    case Failure::kUnexpected:
      return reports.unexpected;
    case Failure::kUnexpectedInDialog:
      return reports.unexpectedInDialog;
    case Failure::kRecordsetsNotReleased:
      return reports.recordsetsNotReleased;
  }
  return reports.unexpected;
}

}  // namespace quorlin::profile
