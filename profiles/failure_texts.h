#pragma once

// Failure texts both profiles tell in the same words, in English whatever the interface
// language: the library has no message-table entry for them.
namespace quorlin::profile::texts {

inline constexpr char kColumnArraysMissing[] =
    "SQLCreateTableEx needs the column names and type codes.";
inline constexpr char kColumnWidthsMissing[] =
    "SQLCreateTableEx needs the column widths for CHAR columns.";
inline constexpr char kAggregateResultMissing[] =
    "SQLAggregate needs the address of a double for its result.";
inline constexpr char kValueBlockMissing[] = "The value block is missing.";
inline constexpr char kInsertArraysMissing[] =
    "SQLInsertRecordEx needs the type codes, the names and the values.";
inline constexpr char kOutOfMemory[] = "Out of memory.";
inline constexpr char kUnexpected[] = "Unexpected error.";
inline constexpr char kUnexpectedInDialog[] = "Unexpected error in the View data dialog.";
inline constexpr char kRecordsetsNotReleased[] = "Exception in CloseAllRecordset";

}  // namespace quorlin::profile::texts
