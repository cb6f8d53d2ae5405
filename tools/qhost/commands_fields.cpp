#include <cstring>
#include <ostream>
#include <string>
#include <vector>

#include "bind_table_loading.h"
#include "commands.h"
#include "record_output.h"
#include "value_format.h"

namespace qhost {

namespace {

constexpr int kDefaultFieldSize = 256;
constexpr int kLargestFieldSize = 1 << 20;
constexpr std::size_t kSlotSize = QUORLIN_GET_SLOT_SIZE;

// Entries as a bind-table file would give them: only the names matter to SQLGet. A name may
// fill all 64 bytes without a terminator; a longer one cannot be passed at all.
std::vector<BindEntry> EntriesNamed(const std::vector<std::string>& names) {
  std::vector<BindEntry> entries(names.size(), BindEntry{});
  for (std::size_t i = 0; i < names.size(); ++i) {
    if (names[i].size() > sizeof entries[i].fieldName) {
      throw UsageError("field name '" + names[i] + "' is longer than 64 characters");
    }
    std::memcpy(entries[i].fieldName, names[i].data(), names[i].size());
  }
  return entries;
}

// The fields to read: FIELD... as given, or @BINDFILE for the entries of a bind-table file as
// GetBindTable reads them, the way a host reads its records. False after printing why.
bool TakeFields(Session& session, Arguments& arguments, std::vector<BindEntry>& entries,
                std::vector<std::string>& names) {
  const std::vector<std::string> words = arguments.TakeAll();
  if (words.empty()) throw UsageError("missing FIELD or @BINDFILE");
  if (words.front().rfind('@', 0) != 0) {
    entries = EntriesNamed(words);
    names = words;
    return true;
  }
  if (words.size() > 1) throw UsageError("@BINDFILE stands alone, without field names");
  if (!LoadBindTable(session, words.front().substr(1), entries)) return false;
  names.clear();
  for (const BindEntry& entry : entries) names.push_back(FieldNameOf(entry));
  return true;
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
  std::vector<BindEntry> entries;
  std::vector<std::string> names;
  if (!TakeFields(session, arguments, entries, names)) return false;
  std::vector<std::string> values;
  if (!ReadRecord(session, entries, values)) return false;
  for (std::size_t i = 0; i < names.size(); ++i) {
    session.Out() << names[i] << " = \"" << values[i] << "\""
                  << (values[i].size() == kSlotSize ? " (fills its slot, no terminator)" : "")
                  << "\n";
  }
  return true;
}

// Counts the current recordset (which puts it on its first record) and reads the named
// fields of every record, leaving it on the last record; then shows them as `output` asks.
bool WalkRecords(Session& session, const std::vector<BindEntry>& entries,
                 const std::vector<std::string>& names, const RecordOutput& output) {
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
  ShowRecords(output, names, rows, session.Out());
  return true;
}

bool Rows(Session& session, Arguments& arguments) {
  const RecordOutput output = TakeRecordOutput(arguments);
  std::vector<BindEntry> entries;
  std::vector<std::string> names;
  return TakeFields(session, arguments, entries, names) &&
         WalkRecords(session, entries, names, output);
}

bool Dump(Session& session, Arguments& arguments) {
  QHOST_REQUIRE(session, select, SQLSelectToTable);
  const RecordOutput output = TakeRecordOutput(arguments);
  const int id = session.TakeConnectionId(arguments);
  const std::string table = arguments.Take("TABLE");
  // Wrong names or an unreadable file are refused before the select moves anything.
  std::vector<BindEntry> entries;
  std::vector<std::string> names;
  if (!TakeFields(session, arguments, entries, names)) return false;
  const int result = select(id, table.c_str(), "");
  if (result != 0) return session.Failed(result);
  return WalkRecords(session, entries, names, output);
}

}  // namespace

std::vector<Command> FieldCommands() {
  return {
      {"field", "field NAME [SIZE]",
       "SQLGetFieldValue: prints one field of the current record (buffer of SIZE bytes, "
       "256 if not given)",
       Field},
      {"get", "get FIELD... | get @BINDFILE",
       "SQLGet: prints the named fields of the current record from their 128-byte slots; "
       "@BINDFILE reads the fields of a bind-table file (GetBindTable)",
       Get},
      {"rows", "rows [--csv[=FILE]] FIELD... | rows [--csv[=FILE]] @BINDFILE",
       "prints the named fields of every record of the current recordset as a table "
       "(SQLGetRowCount, SQLGet, SQLMoveRecord); --csv prints them as CSV under a line of "
       "field names, --csv=FILE writes that CSV to a file (CR LF line ends)",
       Rows},
      {"dump", "dump [--csv[=FILE]] [id] TABLE FIELD... | dump [--csv[=FILE]] [id] TABLE @BINDFILE",
       "selects a whole table and prints the named fields of every record as a table, or as "
       "CSV like rows",
       Dump},
  };
}

}  // namespace qhost
