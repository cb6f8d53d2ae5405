#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace quorlin::bench {

// The records the insert benchmark writes, in every form the paths need, made before any
// timing starts: the library's 64-byte value slots, and the very statement texts the
// library sends for them, for the raw path.
class InsertWorkload {
 public:
  static constexpr std::size_t kFields = 3;  // Tag CHAR(20), Level FLOAT, Stamp DATE as text

  InsertWorkload(std::string table, long rows);

  const std::string& Table() const { return m_table; }
  long Rows() const { return m_rows; }

  // SQLInsertRecordEx's arguments: names and values in 64-byte slots, type codes.
  const char* NameBlock() const { return m_names.data(); }
  const int* Types() const { return m_types.data(); }
  const char* ValueBlock(long row) const {
    return m_values.data() + static_cast<std::size_t>(row) * kFields * kSlotSize;
  }

  // What the library sends in the standard dialect: SQLInsertRecordEx names its columns
  // bare, SQLInsertRecord with a blank after each name.
  const std::vector<std::string>& InsertExTexts() const { return m_insertExTexts; }
  const std::vector<std::string>& InsertTexts() const { return m_insertTexts; }

  // CREATE TABLE text for a fresh, empty table.
  std::string CreateTableText() const;

  // Writes the bind-table file that names the three fields for SQLInsertRecord.
  void WriteBindTableFile(const std::string& path) const;

 private:
  static constexpr std::size_t kSlotSize = 64;

  std::string m_table;
  long m_rows;
  std::vector<char> m_names;
  std::vector<int> m_types;
  std::vector<char> m_values;
  std::vector<std::string> m_insertExTexts;
  std::vector<std::string> m_insertTexts;
};

}  // namespace quorlin::bench
