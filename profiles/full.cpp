#include <iterator>

#include "connections/connection_operations.h"
#include "platform/text.h"
#include "profiles/profile.h"
#include "resources/message_ids.h"
#include "resources/message_table.h"
#include "resources/view_data_template.h"
#include "schema/column_types.h"
#include "schema/identifier_quoting.h"
#if defined(QUORLIN_PRINTER_LIBRARY)
#include "mirvale.h"
#endif

// The full profile: two dialects chosen per connection, quoted identifiers, a cache of 31
// results per connection, the message table in English and Chinese, and printing.
namespace quorlin::profile {
namespace {

using Kind = FailureReport::Kind;
using schema::ColumnTypeNames;

constexpr Dialect kStandard = {
    schema::StdQuoteOpen,
    schema::StdQuoteClose,
    {ColumnTypeNames[0], ColumnTypeNames[1], ColumnTypeNames[2], ColumnTypeNames[3]},
    " ",
    "",
    " ",
    {{"AVG([", "]) "},
     {"SUM([", "]) "},
     {"MIN ([", "]) "},
     {"MAX ([", "]) "},
     {"COUNT ([", "]) "},
     {"COUNT (DISTINCT [", "]) "}},
};

// MySQL and MariaDB reject square brackets, and a blank between a function's name and its
// parenthesis unless IGNORE_SPACE is set: the aggregates use backticks and no blank.
constexpr Dialect kMySql = {
    schema::MySqlQuoteOpen,
    schema::MySqlQuoteClose,
    {ColumnTypeNames[4], ColumnTypeNames[5], ColumnTypeNames[6], ColumnTypeNames[7]},
    " ",
    " ",
    " ",
    {{"AVG(`", "`) "},
     {"SUM(`", "`) "},
     {"MIN(`", "`) "},
     {"MAX(`", "`) "},
     {"COUNT(`", "`) "},
     {"COUNT(DISTINCT `", "`) "}},
};

// The standard dialect for databases that reject square brackets (PostgreSQL): the
// aggregate's column between the standard identifier quotes, the rest as in the standard
// dialect. Unquoted names are folded by such a database, so the column must be named as the
// database keeps it.
constexpr Dialect kStandardWithoutBrackets = {
    schema::StdQuoteOpen,
    schema::StdQuoteClose,
    {ColumnTypeNames[0], ColumnTypeNames[1], ColumnTypeNames[2], ColumnTypeNames[3]},
    " ",
    "",
    " ",
    {{"AVG(\"", "\") "},
     {"SUM(\"", "\") "},
     {"MIN (\"", "\") "},
     {"MAX (\"", "\") "},
     {"COUNT (\"", "\") "},
     {"COUNT (DISTINCT \"", "\") "}},
};

bool RejectsSquareBrackets(const std::string& dbmsName) {
  return platform::MbsUpper(dbmsName) == "POSTGRESQL";
}

const Dialect& DialectOfConnection(const std::string& connect, const std::string& dbmsName) {
  if (connections::DetectMySqlDialect(connect) != 0) return kMySql;
  return RejectsSquareBrackets(dbmsName) ? kStandardWithoutBrackets : kStandard;
}

constexpr const char* kClauseWords[] = {"WHERE", "ORDER"};

}  // namespace

const Profile& Active() {
  static const Profile full = {
    "Success",
    resources::MessageTable(),
    {
        {Kind::kMessageId, resources::kDatabaseNotOpen, nullptr},
        {Kind::kMessageId, resources::kFailedToCreateTable, nullptr},
        {Kind::kMessageId, resources::kTableEmpty, nullptr},
        {Kind::kMessageId, resources::kCantLoadDatasheet, nullptr},
        {Kind::kMessageId, resources::kRecordsetNull, nullptr},
        {Kind::kDatabaseText, 0, nullptr},
    },
    {31, CachePolicy::Key::kQueryTableName},
    kStandard,
    &DialectOfConnection,
    kClauseWords,
    std::size(kClauseWords),
    true,
    true,
    true,
    -1,
    true,
    {true, false, false, false},
    &resources::ViewDataTemplate,
#if defined(QUORLIN_PRINTER_LIBRARY)
    {&CreatePLPrinter, &DeletePLPrinter},
#else
    {nullptr, nullptr},
#endif
  };
  return full;
}

}  // namespace quorlin::profile
