#include "insert_workload.h"

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <stdexcept>
#include <utility>

#include "quorlin.h"

namespace quorlin::bench {
namespace {

struct Field {
  const char* name;
  int type;
};
const Field kFieldsOfTable[InsertWorkload::kFields] = {
    {"Tag", QUORLIN_TYPE_CHAR}, {"Level", QUORLIN_TYPE_FLOAT}, {"Stamp", QUORLIN_TYPE_DATE}};

// Row i's values as SQL texts go into their slots: tags of 10 characters, levels with two
// decimals, and one date per row of a long calendar-like cycle.
void FormatRow(long i, char (&tag)[32], char (&level)[32], char (&stamp)[32]) {
  std::snprintf(tag, sizeof tag, "TAG-%06ld", i % 1000000);
  std::snprintf(level, sizeof level, "%ld.%02ld", i / 4 % 10000, i % 4 * 25);
  std::snprintf(stamp, sizeof stamp, "%04ld-%02ld-%02ld", 2001 + i / 336 % 50, i / 28 % 12 + 1,
                i % 28 + 1);
}

std::string Quoted(const char* value, int type) {
  const bool quoted = type == QUORLIN_TYPE_CHAR || type == QUORLIN_TYPE_DATE;
  return quoted ? "'" + std::string(value) + "'" : std::string(value);
}

// INSERT INTO T\n\t("Tag","Level","Stamp")\n\tVALUES('T1',3.5,'2001-02-03'), with
// `afterName` behind each column name.
std::string InsertText(const std::string& table, const char* afterName,
                       const char* const (&values)[InsertWorkload::kFields]) {
  std::string text = "INSERT INTO " + table + "\n\t(";
  for (std::size_t f = 0; f < InsertWorkload::kFields; ++f) {
    text += std::string(f > 0 ? "," : "") + "\"" + kFieldsOfTable[f].name + "\"" + afterName;
  }
  text += ")\n\tVALUES(";
  for (std::size_t f = 0; f < InsertWorkload::kFields; ++f) {
    text += (f > 0 ? "," : "") + Quoted(values[f], kFieldsOfTable[f].type);
  }
  return text + ")";
}

void AppendInt(std::string& bytes, std::int32_t value) {
  const auto bits = static_cast<std::uint32_t>(value);
  for (int shift = 0; shift < 32; shift += 8) bytes += static_cast<char>((bits >> shift) & 0xFF);
}

void AppendCell(std::string& bytes, const std::string& text, std::int32_t value) {
  std::string cell = text;
  cell.resize(64, '\0');
  bytes += cell;
  AppendInt(bytes, value);
}

}  // namespace

InsertWorkload::InsertWorkload(std::string table, long rows)
    : m_table(std::move(table)),
      m_rows(rows),
      m_names(kFields * kSlotSize, '\0'),
      m_values(static_cast<std::size_t>(rows) * kFields * kSlotSize, '\0') {
  for (std::size_t f = 0; f < kFields; ++f) {
    std::strcpy(m_names.data() + f * kSlotSize, kFieldsOfTable[f].name);
    m_types.push_back(kFieldsOfTable[f].type);
  }
  m_insertExTexts.reserve(static_cast<std::size_t>(rows));
  m_insertTexts.reserve(static_cast<std::size_t>(rows));
  for (long i = 0; i < rows; ++i) {
    char tag[32], level[32], stamp[32];
    FormatRow(i, tag, level, stamp);
    const char* const values[kFields] = {tag, level, stamp};
    char* slots = m_values.data() + static_cast<std::size_t>(i) * kFields * kSlotSize;
    for (std::size_t f = 0; f < kFields; ++f) std::strcpy(slots + f * kSlotSize, values[f]);
    m_insertExTexts.push_back(InsertText(m_table, "", values));
    m_insertTexts.push_back(InsertText(m_table, " ", values));
  }
}

std::string InsertWorkload::CreateTableText() const {
  return "CREATE TABLE " + m_table + " (Tag CHAR(20), Level FLOAT, Stamp DATE)";
}

void InsertWorkload::WriteBindTableFile(const std::string& path) const {
  constexpr int kColumns = 4;
  std::string bytes;
  AppendInt(bytes, static_cast<std::int32_t>(kFields + 1));
  AppendInt(bytes, kColumns);
  for (const char* caption : {"No.", "Field", "Type", "Detail"}) AppendCell(bytes, caption, 0);
  for (std::size_t f = 0; f < kFields; ++f) {
    AppendCell(bytes, std::to_string(f + 1), 0);
    AppendCell(bytes, kFieldsOfTable[f].name, 0);
    AppendCell(bytes, "", kFieldsOfTable[f].type);
    AppendCell(bytes, "", 0);
  }
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  if (!file.write(bytes.data(), static_cast<std::streamsize>(bytes.size())) || !file.flush()) {
    throw std::runtime_error("cannot write " + path);
  }
}

}  // namespace quorlin::bench
