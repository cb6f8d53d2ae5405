#include "connections/table_name_of_query.h"

#include "platform/text.h"

namespace quorlin::connections {

std::string TableNameOfQuery(const std::string& sql) {
  using namespace platform;
  std::string text = MbsUpper(sql);
  text = MbsRemoveAll(text, " ");
  text = MbsRemoveAll(text, "[");
  text = MbsRemoveAll(text, "]");
  text = MbsRemoveAll(text, "\n\t");
  const std::size_t from = MbsFind(text, "FROM");
  if (from == std::string::npos || from == 0) return {};
  std::size_t where = MbsFind(text, "WHERE");
  if (where == std::string::npos) where = text.size();
  const long count = static_cast<long>(where) - static_cast<long>(from) - 4;
  if (count <= 0) return {};
  return text.substr(from + 4, static_cast<std::size_t>(count));
}

}  // namespace quorlin::connections
