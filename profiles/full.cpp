#include <iterator>

#include "connections/connection_operations.h"
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

const Dialect& DialectOfConnectString(const std::string& connect) {
  return connections::DetectMySqlDialect(connect) != 0 ? kMySql : kStandard;
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
    &DialectOfConnectString,
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
