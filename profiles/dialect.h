#pragma once

// How the statement builders write SQL for one kind of connection: identifier quotes, type
// words and aggregate expressions, as data. The profiles define the dialects they have.
namespace quorlin::profile {

struct AggregateFormat {
  const char* prefix;  // before the column name
  const char* suffix;  // after it
};

inline constexpr int kAggregateKindCount = 6;  // QUORLIN_AVG to QUORLIN_COUNT_DISTINCT
inline constexpr int kTypeCodeCount = 4;       // QUORLIN_TYPE_FLOAT to QUORLIN_TYPE_DATE

struct Dialect {
  const char* quoteOpen;
  const char* quoteClose;
  const char* typeWords[kTypeCodeCount];
  // What follows a column name (after its closing quote) in each statement that lists one.
  const char* afterDatasheetColumnName;  // CREATE TABLE from a datasheet, before the type
  const char* afterArrayColumnName;      // CREATE TABLE from arrays, before the type
  const char* afterBoundInsertName;      // INSERT from a bind table
  AggregateFormat aggregates[kAggregateKindCount];
};

}  // namespace quorlin::profile
