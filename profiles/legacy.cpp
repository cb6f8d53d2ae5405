#include <iterator>

#include "profiles/failure_texts.h"
#include "profiles/legacy_template.h"
#include "profiles/profile.h"
#include "resources/message_ids.h"

// The legacy profile: no dialects and no identifier quotes, one result per connection, a
// Chinese message table of two entries, texts built in as GBK bytes, several failures that
// say nothing, and no printing.
namespace quorlin::profile {
namespace {

using Report = FailureReport;

// "执行成功", "无法装载表格数据!" and "当前数据集为空！" in GBK.
constexpr char kSucceeded[] = "\xd6\xb4\xd0\xd0\xb3\xc9\xb9\xa6";
constexpr char kCannotLoadGrid[] =
    "\xce\xde\xb7\xa8\xd7\xb0\xd4\xd8\xb1\xed\xb8\xf1\xca\xfd\xbe\xdd!";
constexpr char kRecordsetEmpty[] =
    "\xb5\xb1\xc7\xb0\xca\xfd\xbe\xdd\xbc\xaf\xce\xaa\xbf\xd5\xa3\xa1";

// Chinese only: there is no English text to fall back on.
constexpr platform::StringResource kMessages[] = {
    {resources::kNoData, nullptr, "无数据"},
    {resources::kToTheEnd, nullptr, "到达记录尾！"},
};
constexpr platform::StringTable kMessageTable{kMessages, std::size(kMessages)};

constexpr Dialect kLegacy = {
    "",
    "",
    {"FLOAT", "NUMERIC", "CHAR", "DATE"},
    " ",
    " ",
    "",
    {{"AVG(", ") "},
     {"SUM(", ") "},
     {"MIN (", ") "},
     {"MAX (", ") "},
     {"COUNT (", ") "},
     {"COUNT (DISTINCT ", ") "}},
};

const Dialect& EveryConnection(const std::string&, const std::string&) {
  return kLegacy;
}

constexpr const char* kClauseWords[] = {"WHERE"};

}  // namespace

const Profile& Active() {
  static const Profile legacy = {
      .initialLastError = kSucceeded,
      .messages = kMessageTable,
      .failures =
          {
              .databaseNotOpen = Report::Nothing(),
              .recordsetNotCreated = Report::Nothing(),
              .noCurrentRecordset = Report::Nothing(),
              .gridFileUnreadable = Report::Text(kCannotLoadGrid),
              .nothingToDisplay = Report::Text(kRecordsetEmpty),
              .dropTableRejected = Report::Nothing(),
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
      .cache = {.capacity = 1, .key = CachePolicy::Key::kRecordsetTableName},
      .fixedDialect = kLegacy,
      .dialectOf = &EveryConnection,
      .clauseWords = kClauseWords,
      .clauseWordCount = std::size(kClauseWords),
      .createTableExTrimsNames = false,
      .insertRecordExNeedsCount = false,
      .aggregateClosesItsResult = false,
      .rowCountWithoutRecordset = 0,
      .fieldValuesLoseTrailingBlanks = false,
      .viewer =
          {
              .namesUnnamedTables = false,
              .failedMoveEndsAction = true,
              .shortFillEndsAction = true,
              .failedRowEndsActionSilently = true,
          },
      .viewDataTemplate = &LegacyViewDataTemplate,
      .printer = {.create = nullptr, .destroy = nullptr},
  };
  return legacy;
}

}  // namespace quorlin::profile
