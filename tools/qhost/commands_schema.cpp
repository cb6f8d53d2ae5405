#include <algorithm>
#include <ostream>
#include <string>
#include <vector>

#include "commands.h"
#include "field_specs.h"

namespace qhost {

namespace {

bool CreateTable(Session& session, Arguments& arguments) {
  QHOST_REQUIRE(session, createTable, SQLCreateTable);
  const int id = session.TakeConnectionId(arguments);
  const std::string table = arguments.Take("TABLE");
  const std::string datasheet = arguments.Take("DATASHEET");
  arguments.ExpectEnd();
  const int result = createTable(id, table.c_str(), datasheet.c_str());
  return result == 0 ? session.Succeeded() : session.Failed(result);
}

bool CreateTableEx(Session& session, Arguments& arguments) {
  QHOST_REQUIRE(session, createTableEx, SQLCreateTableEx);
  const int id = session.TakeConnectionId(arguments);
  const std::string table = arguments.Take("TABLE");
  std::vector<std::string> names;
  std::vector<int> types;
  std::vector<int> widths;
  for (const std::string& word : arguments.TakeAll()) {
    const ColumnSpec column = ParseColumnSpec(word);
    names.push_back(column.name);
    types.push_back(column.type);
    widths.push_back(column.extra.empty() ? 0 : ParseInt(column.extra, "width"));
  }
  const std::vector<char> nameBlock = SlotBlock(names, 0);
  // With no columns the arrays are still valid addresses, as a careful host would pass.
  types.resize(std::max<std::size_t>(types.size(), 1));
  widths.resize(std::max<std::size_t>(widths.size(), 1));
  const int result = createTableEx(id, static_cast<int>(names.size()), table.c_str(),
                                   nameBlock.data(), types.data(), widths.data());
  return result == 0 ? session.Succeeded() : session.Failed(result);
}

bool DropTable(Session& session, Arguments& arguments) {
  QHOST_REQUIRE(session, dropTable, SQLDropTable);
  const int id = session.TakeConnectionId(arguments);
  const std::string table = arguments.Take("TABLE");
  arguments.ExpectEnd();
  const int result = dropTable(id, table.c_str());
  return result == 0 ? session.Succeeded() : session.Failed(result);
}

}  // namespace

std::vector<Command> SchemaCommands() {
  return {
      {"createtable", "createtable [id] TABLE DATASHEET",
       "SQLCreateTable: creates a table from a datasheet file (see the datasheet command); "
       "the result is 0 once sent, so look at lasterror",
       CreateTable},
      {"createtableex", "createtableex [id] TABLE NAME:TYPE[:WIDTH]...",
       "SQLCreateTableEx: creates a table from columns; TYPE is float, numeric, char, date or "
       "a number, WIDTH is for char",
       CreateTableEx},
      {"droptable", "droptable [id] TABLE", "SQLDropTable: drops a table", DropTable},
  };
}

}  // namespace qhost
