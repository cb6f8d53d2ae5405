#include "profiles/dialects.h"

#include "platform/text.h"

namespace quorlin::profile {

const char StdQuoteOpen[] = "\"";
const char StdQuoteClose[] = "\"";
const char MySqlQuoteOpen[] = "`";
const char MySqlQuoteClose[] = "`";

const char ColumnTypeNames[kColumnTypeNameCount][kColumnTypeNameSize] = {
    "FLOAT", "NUMERIC", "CHAR", "DATE", "FLOAT", "INTEGER", "CHAR", "DATE",
};

const Dialect kStandardDialect = {
    StdQuoteOpen,
    StdQuoteClose,
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
const Dialect kMySqlDialect = {
    MySqlQuoteOpen,
    MySqlQuoteClose,
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

// The aggregate's column between the standard identifier quotes, the rest as in the
// standard dialect. Unquoted names are folded by such a database, so the column must be
// named as the database keeps it.
const Dialect kStandardWithoutBracketsDialect = {
    StdQuoteOpen,
    StdQuoteClose,
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

int DetectMySqlDialect(const std::string& connect) {
  const std::string normalised = platform::MbsUpper(platform::MbsRemoveAll(connect, " "));
  return platform::MbsFind(normalised, "DRIVER=MYSQL") != std::string::npos ? 1 : 0;
}

bool RejectsSquareBrackets(const std::string& dbmsName) {
  return platform::MbsUpper(dbmsName) == "POSTGRESQL";
}

}  // namespace quorlin::profile
