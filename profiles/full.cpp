#include <iterator>

#include "profiles/dialects.h"
#include "profiles/failure_texts.h"
#include "profiles/profile.h"
#include "resources/message_ids.h"
#include "resources/message_table.h"
#include "resources/view_data_template.h"
#if defined(QUORLIN_PRINTER_LIBRARY)
#include "mirvale.h"
#endif

// The full profile: two dialects chosen per connection, quoted identifiers, a cache of 31
// results per connection, the message table in English and Chinese, and printing.
namespace quorlin::profile {
namespace {

using Report = FailureReport;

const Dialect& DialectOfConnection(const std::string& connect, const std::string& dbmsName) {
  if (DetectMySqlDialect(connect) != 0) return kMySqlDialect;
  return RejectsSquareBrackets(dbmsName) ? kStandardWithoutBracketsDialect : kStandardDialect;
}

constexpr const char* kClauseWords[] = {"WHERE", "ORDER"};

}  // namespace

const Profile& Active() {
  static const Profile full = {
    .initialLastError = "Success",
    .messages = resources::MessageTable(),
    .failures =
        {
            .databaseNotOpen = Report::Message(resources::kDatabaseNotOpen),
            .recordsetNotCreated = Report::Message(resources::kFailedToCreateTable),
            .noCurrentRecordset = Report::Message(resources::kTableEmpty),
            .gridFileUnreadable = Report::Message(resources::kCantLoadDatasheet),
            .nothingToDisplay = Report::Message(resources::kRecordsetNull),
            .dropTableRejected = Report::DatabaseText(),
            .columnArraysMissing = Report::Text(texts::kColumnArraysMissing),
            .columnWidthsMissing = Report::Text(texts::kColumnWidthsMissing),
            .aggregateResultMissing = Report::Text(texts::kAggregateResultMissing),
            .valueBlockMissing = Report::Text(texts::kValueBlockMissing),
            .insertArraysMissing = Report::Text(texts::kInsertArraysMissing),
            .outOfMemory = Report::Text(texts::kOutOfMemory),
            .unexpected = Report::Text(texts::kUnexpected),
            .unexpectedInDialog = Report::Text(texts::kUnexpectedInDialog),
            .recordsetsNotReleased = Report::Text(texts::kRecordsetsNotReleased),
        },
    .cache = {.capacity = 31, .key = CachePolicy::Key::kQueryTableName},
    .fixedDialect = kStandardDialect,
    .dialectOf = &DialectOfConnection,
    .clauseWords = kClauseWords,
    .clauseWordCount = std::size(kClauseWords),
    .createTableExTrimsNames = true,
    .insertRecordExNeedsCount = true,
    .aggregateClosesItsResult = true,
    .rowCountWithoutRecordset = -1,
    .fieldValuesLoseTrailingBlanks = true,
    .viewer =
        {
            .namesUnnamedTables = true,
            .failedMoveEndsAction = false,
            .shortFillEndsAction = false,
            .failedRowEndsActionSilently = false,
        },
    .viewDataTemplate = &resources::ViewDataTemplate,
#if defined(QUORLIN_PRINTER_LIBRARY)
    .printer = {.create = &CreatePLPrinter, .destroy = &DeletePLPrinter},
#else
    .printer = {.create = nullptr, .destroy = nullptr},
#endif
  };
  return full;
}

}  // namespace quorlin::profile
