#pragma once

#include <string>

#include "profiles/dialect.h"

// The dialects of the full profile and what chooses between them.
namespace quorlin::profile {

// The identifier quotes: a double quote in the standard dialect, a backtick in the MySQL
// dialect. Opening and closing quote are separate strings, each statement taking its
// opening quote from the one and its closing quote from the other.
extern const char StdQuoteOpen[];
extern const char StdQuoteClose[];
extern const char MySqlQuoteOpen[];
extern const char MySqlQuoteClose[];

// The type words: entries 0-3 the standard dialect's for codes 0-3, entries 4-7 the MySQL
// dialect's, each a fixed 15-byte zero-padded field.
inline constexpr int kColumnTypeNameCount = 8;
inline constexpr int kColumnTypeNameSize = 15;
extern const char ColumnTypeNames[kColumnTypeNameCount][kColumnTypeNameSize];

extern const Dialect kStandardDialect;
extern const Dialect kMySqlDialect;
// The standard dialect for databases that reject square brackets (PostgreSQL).
extern const Dialect kStandardWithoutBracketsDialect;

// 1 when the connect string names the MySQL driver without braces: "DRIVER=MYSQL" anywhere
// in its blank-free, upper-cased form, the start included.
int DetectMySqlDialect(const std::string& connect);

// True for a database, named as its driver names it, that takes no square brackets.
bool RejectsSquareBrackets(const std::string& dbmsName);

}  // namespace quorlin::profile
