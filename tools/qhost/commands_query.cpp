#include <ostream>
#include <string>

#include "code_names.h"
#include "commands.h"
#include "value_format.h"

namespace qhost {

namespace {

bool Select(Session& session, Arguments& arguments) {
  QHOST_REQUIRE(session, select, SQLSelectToTable);
  const int id = session.TakeConnectionId(arguments);
  const std::string table = arguments.Take("TABLE");
  const std::string condition = arguments.TakeRest();
  const int result = select(id, table.c_str(), condition.c_str());
  return result == 0 ? session.Succeeded() : session.Failed(result);
}

bool Aggregate(Session& session, Arguments& arguments) {
  QHOST_REQUIRE(session, aggregate, SQLAggregate);
  const int id = session.TakeConnectionId(arguments);
  const std::string table = arguments.Take("TABLE");
  const std::string kindName = arguments.Take("KIND");
  const int kind = ParseAggregateKind(kindName);
  const std::string column = arguments.Take("COLUMN");
  const std::string condition = arguments.TakeRest();
  double value = 0;
  const int result = aggregate(id, table.c_str(), kind, column.c_str(), &value, condition.c_str());
  if (result != 0) return session.Failed(result);
  session.Out() << kindName << "(" << column << ") = " << FormatNumber(value) << "\n";
  return true;
}

bool Execute(Session& session, Arguments& arguments) {
  QHOST_REQUIRE(session, execute, SQLExcute);
  const int id = session.TakeConnectionId(arguments);
  const std::string statement = arguments.TakeRest();
  const int result = execute(id, statement.c_str());
  return result == 0 ? session.Succeeded() : session.Failed(result);
}

}  // namespace

std::vector<Command> QueryCommands() {
  return {
      {"exec", "exec [id] STATEMENT",
       "SQLExcute: runs any statement; a result set it produces is discarded", Execute},
      {"select", "select [id] TABLE [CONDITION]",
       "SQLSelectToTable: selects the table's records (WHERE is added unless the condition "
       "starts with WHERE or ORDER); the result becomes the current recordset",
       Select},
      {"aggregate", "aggregate [id] TABLE KIND COLUMN [CONDITION]",
       "SQLAggregate: prints avg, sum, min, max, count or countdistinct of a column "
       "(KIND may also be a number)",
       Aggregate},
  };
}

}  // namespace qhost
