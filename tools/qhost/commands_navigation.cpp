#include <ostream>
#include <string>

#include "ascii_case.h"
#include "commands.h"

namespace qhost {

namespace {

unsigned int ParseDirection(const std::string& word) {
  const std::string text = AsciiLower(word);
  if (text == "first") return QUORLIN_MOVE_FIRST;
  if (text == "prev" || text == "previous") return QUORLIN_MOVE_PREVIOUS;
  if (text == "next") return QUORLIN_MOVE_NEXT;
  if (text == "last") return QUORLIN_MOVE_LAST;
  // Any other code is passed on as the unsigned value the export receives.
  if (IsInt(text)) return static_cast<unsigned int>(ParseInt(text, "direction"));
  throw UsageError("direction '" + word + "' is none of first, prev, next, last or a number");
}

bool Use(Session& session, Arguments& arguments) {
  QHOST_REQUIRE(session, use, SQLUseTable);
  const int id = session.TakeConnectionId(arguments);
  const std::string table = arguments.Take("TABLE");
  arguments.ExpectEnd();
  const int result = use(id, table.c_str());
  return result == 0 ? session.Succeeded() : session.Failed(result);
}

bool Move(Session& session, Arguments& arguments) {
  QHOST_REQUIRE(session, move, SQLMoveRecord);
  const unsigned int direction = ParseDirection(arguments.Take("DIRECTION"));
  arguments.ExpectEnd();
  const int result = move(direction);
  return result == 0 ? session.Succeeded() : session.Failed(result);
}

bool MoveTo(Session& session, Arguments& arguments) {
  QHOST_REQUIRE(session, moveTo, SQLMoveTo);
  const int position = ParseInt(arguments.Take("POSITION"), "position");
  arguments.ExpectEnd();
  const int result = moveTo(position);
  return result == 0 ? session.Succeeded() : session.Failed(result);
}

bool RowCount(Session& session, Arguments& arguments) {
  QHOST_REQUIRE(session, rowCount, SQLGetRowCount);
  arguments.ExpectEnd();
  const int count = rowCount();
  if (count < 0) return session.Failed(count);
  session.Out() << "rows: " << count << "\n";
  return true;
}

}  // namespace

std::vector<Command> NavigationCommands() {
  return {
      {"use", "use [id] TABLE",
       "SQLUseTable: makes the table's cached recordset current again, where it was left", Use},
      {"move", "move first|prev|next|last",
       "SQLMoveRecord: moves the current recordset (a number passes that direction code)", Move},
      {"moveto", "moveto POSITION", "SQLMoveTo: moves to a record by position, counting from 1",
       MoveTo},
      {"rowcount", "rowcount",
       "SQLGetRowCount: counts the current recordset's records and stands on the first", RowCount},
  };
}

}  // namespace qhost
