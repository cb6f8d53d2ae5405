#include <algorithm>
#include <filesystem>
#include <optional>
#include <ostream>
#include <stdexcept>
#include <string>
#include <system_error>
#include <vector>

#include "bind_table_loading.h"
#include "commands.h"
#include "field_specs.h"
#include "grid_file.h"
#include "table_printer.h"
#include "value_format.h"

namespace qhost {

namespace {

// The number of entries in a bind-table file that reads cleanly, or nothing.
std::optional<std::size_t> EntriesInBindFile(const std::string& path) {
  try {
    const GridContents grid = ReadGridFile(path);
    if (grid.columns == kBindTableColumns) return grid.rows.size() - 1;
  } catch (const std::runtime_error&) {
    // Missing or damaged: worth passing to the library all the same.
  }
  return std::nullopt;
}

// The library reads one value slot per entry of the bind-table file, so the value block must
// have as many slots as the file has entries. When the file reads cleanly, the values given
// must match its entries; when it does not, the block still gets as many slots as any
// four-column file of that size could name.
std::size_t ValueSlotsFor(const std::string& bindFile, std::size_t valuesGiven) {
  if (const auto entries = EntriesInBindFile(bindFile); entries && *entries != valuesGiven) {
    throw UsageError(bindFile + " names " + std::to_string(*entries) + " fields, but " +
                     std::to_string(valuesGiven) + " values were given");
  }
  std::error_code error;
  const std::uintmax_t size = std::filesystem::file_size(bindFile, error);
  const std::size_t mostEntries =
      error ? 0 : static_cast<std::size_t>(size / (kBindTableColumns * kGridCellSize));
  return std::max(valuesGiven, mostEntries);
}

bool BindTable(Session& session, Arguments& arguments) {
  const std::string path = arguments.Take("FILE");
  arguments.ExpectEnd();
  std::vector<BindEntry> entries;
  if (!LoadBindTable(session, path, entries)) return false;
  std::vector<std::vector<std::string>> rows;
  for (std::size_t i = 0; i < entries.size(); ++i) {
    rows.push_back({std::to_string(i), FieldNameOf(entries[i]), std::to_string(entries[i].typeCode),
                    TextOfSlot(entries[i].detail, 64)});
  }
  PrintTable({"#", "fieldName", "typeCode", "detail"}, rows, session.Out());
  session.Out() << "(" << entries.size() << (entries.size() == 1 ? " entry)\n" : " entries)\n");
  return true;
}

bool Insert(Session& session, Arguments& arguments) {
  const int id = session.TakeConnectionId(arguments);
  const std::string table = arguments.Take("TABLE");
  const std::string bindFile = arguments.Take("BINDFILE");
  const std::vector<std::string> values = arguments.TakeAll();
  const std::vector<char> block = SlotBlock(values, ValueSlotsFor(bindFile, values.size()));
  QHOST_REQUIRE(session, insert, SQLInsertRecord);
  const int result = insert(id, table.c_str(), bindFile.c_str(), block.data());
  return result == 0 ? session.Succeeded() : session.Failed(result);
}

bool InsertEx(Session& session, Arguments& arguments) {
  QHOST_REQUIRE(session, insertEx, SQLInsertRecordEx);
  const int id = session.TakeConnectionId(arguments);
  const std::string table = arguments.Take("TABLE");
  std::vector<std::string> names;
  std::vector<std::string> values;
  std::vector<int> types;
  for (const std::string& word : arguments.TakeAll()) {
    const FieldValueSpec field = ParseFieldValueSpec(word);
    names.push_back(field.name);
    types.push_back(field.type);
    values.push_back(field.value);
  }
  const std::vector<char> nameBlock = SlotBlock(names, 0);
  const std::vector<char> valueBlock = SlotBlock(values, 0);
  types.resize(std::max<std::size_t>(types.size(), 1));
  const int result = insertEx(id, static_cast<int>(names.size()), table.c_str(), types.data(),
                              nameBlock.data(), valueBlock.data());
  return result == 0 ? session.Succeeded() : session.Failed(result);
}

bool Update(Session& session, Arguments& arguments) {
  const int id = session.TakeConnectionId(arguments);
  const std::string table = arguments.Take("TABLE");
  const std::string bindFile = arguments.Take("BINDFILE");
  const std::string condition = arguments.Take("CONDITION");
  const std::vector<std::string> values = arguments.TakeAll();
  const std::vector<char> block = SlotBlock(values, ValueSlotsFor(bindFile, values.size()));
  QHOST_REQUIRE(session, update, SQLUpdateRecord);
  const int result = update(id, table.c_str(), bindFile.c_str(), block.data(), condition.c_str());
  return result == 0 ? session.Succeeded() : session.Failed(result);
}

bool Delete(Session& session, Arguments& arguments) {
  QHOST_REQUIRE(session, deleteRecord, SQLDeleteRecord);
  const int id = session.TakeConnectionId(arguments);
  const std::string table = arguments.Take("TABLE");
  const std::string condition = arguments.TakeRest();
  const int result = deleteRecord(id, table.c_str(), condition.c_str());
  return result == 0 ? session.Succeeded() : session.Failed(result);
}

}  // namespace

std::vector<Command> RecordCommands() {
  return {
      {"bindtable", "bindtable FILE",
       "GetBindTable: prints the entries of a bind-table file (see the bindfile command)",
       BindTable},
      {"insert", "insert [id] TABLE BINDFILE VALUE...",
       "SQLInsertRecord: inserts one value per field of the bind-table file, written as SQL "
       "(char and date values get their quotes from the library)",
       Insert},
      {"insertex", "insertex [id] TABLE NAME:TYPE=VALUE...",
       "SQLInsertRecordEx: inserts the given fields", InsertEx},
      {"update", "update [id] TABLE BINDFILE \"CONDITION\" VALUE...",
       "SQLUpdateRecord: sets the bind-table file's fields where CONDITION holds; the "
       "condition is one word, so quote it (\"\" updates every record)",
       Update},
      {"delete", "delete [id] TABLE [CONDITION]",
       "SQLDeleteRecord: deletes the records where CONDITION holds (every record without one)",
       Delete},
  };
}

}  // namespace qhost
