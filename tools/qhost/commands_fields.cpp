#include <cstring>
#include <ostream>
#include <string>
#include <vector>

#include "commands.h"
#include "table_printer.h"
#include "value_format.h"

namespace qhost {

namespace {

constexpr int kDefaultFieldSize = 256;
constexpr int kLargestFieldSize = 1 << 20;
constexpr std::size_t kSlotSize = QUORLIN_GET_SLOT_SIZE;

// Entries as a bind-table file would give them: only the names matter to SQLGet. A name may
// fill all 64 bytes without a terminator; a longer one cannot be passed at all.
std::vector<BindEntry> EntriesNamed(const std::vector<std::string>& names) {
  if (names.empty()) throw UsageError("missing FIELD");
  std::vector<BindEntry> entries(names.size(), BindEntry{});
  for (std::size_t i = 0; i < names.size(); ++i) {
    if (names[i].size() > sizeof entries[i].fieldName) {
      throw UsageError("field name '" + names[i] + "' is longer than 64 characters");
    }
    std::memcpy(entries[i].fieldName, names[i].data(), names[i].size());
  }
  return entries;
}

bool Field(Session& session, Arguments& arguments) {
  QHOST_REQUIRE(session, getFieldValue, SQLGetFieldValue);
  const std::string name = arguments.Take("NAME");
  const std::optional<std::string> sizeText = arguments.TakeOptional();
  arguments.ExpectEnd();
  const int size = sizeText ? ParseInt(*sizeText, "size") : kDefaultFieldSize;
  if (size > kLargestFieldSize) throw UsageError("size above " + std::to_string(kLargestFieldSize));
  // One spare byte beyond the stated size shows that nothing is written past it.
  std::vector<char> buffer(size > 0 ? static_cast<std::size_t>(size) + 1 : 1, '\0');
  const int result = getFieldValue(name.c_str(), buffer.data(), size);
  if (result != 1) return session.Failed(result);
  session.Out() << name << " = " << QuotedValue(buffer.data(), static_cast<std::size_t>(size))
                << "\n";
  return true;
}

// Reads the named fields of the current record into texts, one per field.
bool ReadRecord(Session& session, const std::vector<BindEntry>& entries,
                std::vector<std::string>& values) {
  QHOST_REQUIRE(session, get, SQLGet);
  std::vector<char> slots(entries.size() * kSlotSize, '\0');
  const int result = get(static_cast<int>(entries.size()), entries.data(), slots.data());
  if (result != 1) return session.Failed(result);
  values.clear();
  for (std::size_t i = 0; i < entries.size(); ++i) {
    values.push_back(TextOfSlot(slots.data() + i * kSlotSize, kSlotSize));
  }
  return true;
}

bool Get(Session& session, Arguments& arguments) {
  const std::vector<std::string> names = arguments.TakeAll();
  const std::vector<BindEntry> entries = EntriesNamed(names);
  std::vector<std::string> values;
  if (!ReadRecord(session, entries, values)) return false;
  for (std::size_t i = 0; i < names.size(); ++i) {
    session.Out() << names[i] << " = \"" << values[i] << "\""
                  << (values[i].size() == kSlotSize ? " (fills its slot, no terminator)" : "")
                  << "\n";
  }
  return true;
}

// Counts the current recordset (which puts it on its first record) and prints the named
// fields of every record as a table, leaving it on the last record.
bool WalkRecords(Session& session, const std::vector<std::string>& names) {
  const std::vector<BindEntry> entries = EntriesNamed(names);
  QHOST_REQUIRE(session, rowCount, SQLGetRowCount);
  QHOST_REQUIRE(session, move, SQLMoveRecord);
  const int count = rowCount();
  if (count < 0) return session.Failed(count);
  std::vector<std::vector<std::string>> rows;
  for (int i = 0; i < count; ++i) {
    if (i > 0) {
      const int moved = move(QUORLIN_MOVE_NEXT);
      if (moved != 0) return session.Failed(moved);
    }
    rows.emplace_back();
    if (!ReadRecord(session, entries, rows.back())) return false;
  }
  PrintTable(names, rows, session.Out());
  session.Out() << "(" << count << (count == 1 ? " row)\n" : " rows)\n");
  return true;
}

bool Rows(Session& session, Arguments& arguments) {
  return WalkRecords(session, arguments.TakeAll());
}

bool Dump(Session& session, Arguments& arguments) {
  QHOST_REQUIRE(session, select, SQLSelectToTable);
  const int id = session.TakeConnectionId(arguments);
  const std::string table = arguments.Take("TABLE");
  const std::vector<std::string> names = arguments.TakeAll();
  EntriesNamed(names);  // wrong names are refused before the select moves anything
  const int result = select(id, table.c_str(), "");
  if (result != 0) return session.Failed(result);
  return WalkRecords(session, names);
}

}  // namespace

std::vector<Command> FieldCommands() {
  return {
      {"field", "field NAME [SIZE]",
       "SQLGetFieldValue: prints one field of the current record (buffer of SIZE bytes, "
       "256 if not given)",
       Field},
      {"get", "get FIELD...",
       "SQLGet: prints the named fields of the current record from their 128-byte slots", Get},
      {"rows", "rows FIELD...",
       "prints the named fields of every record of the current recordset as a table "
       "(SQLGetRowCount, SQLGet, SQLMoveRecord)",
       Rows},
      {"dump", "dump [id] TABLE FIELD...",
       "selects a whole table and prints the named fields of every record as a table", Dump},
  };
}

}  // namespace qhost
