#include <iterator>

#include "profiles/legacy_template.h"
#include "profiles/profile.h"
#include "resources/message_ids.h"

// The legacy profile: no dialects and no identifier quotes, one result per connection, a
// Chinese message table of two entries, texts built in as GBK bytes, several failures that
// say nothing, and no printing.
namespace quorlin::profile {
namespace {

using Kind = FailureReport::Kind;

// "执行成功", "无法装载表格数据!" and "当前数据集为空！" in GBK.
constexpr char kSucceeded[] = "\xd6\xb4\xd0\xd0\xb3\xc9\xb9\xa6";
constexpr char kCannotLoadGrid[] =
    "\xce\xde\xb7\xa8\xd7\xb0\xd4\xd8\xb1\xed\xb8\xf1\xca\xfd\xbe\xdd!";
constexpr char kRecordsetEmpty[] =
    "\xb5\xb1\xc7\xb0\xca\xfd\xbe\xdd\xbc\xaf\xce\xaa\xbf\xd5\xa3\xa1";

// Chinese only: there is no English text to fall back on.
constexpr platform::StringResource kMessages[] = {
    {resources::kNoData, nullptr, "无数据"},
    {resources::kToTheEnd, nullptr, "到达记录尾！"},
};
constexpr platform::StringTable kMessageTable{kMessages, std::size(kMessages)};

constexpr Dialect kLegacy = {
    "",
    "",
    {"FLOAT", "NUMERIC", "CHAR", "DATE"},
    " ",
    " ",
    "",
    {{"AVG(", ") "},
     {"SUM(", ") "},
     {"MIN (", ") "},
     {"MAX (", ") "},
     {"COUNT (", ") "},
     {"COUNT (DISTINCT ", ") "}},
};

const Dialect& EveryConnection(const std::string&, const std::string&) {
  return kLegacy;
}

constexpr const char* kClauseWords[] = {"WHERE"};

}  // namespace

const Profile& Active() {
  static const Profile legacy = {
      kSucceeded,
      kMessageTable,
      {
          {Kind::kNothing, 0, nullptr},
          {Kind::kNothing, 0, nullptr},
          {Kind::kNothing, 0, nullptr},
          {Kind::kText, 0, kCannotLoadGrid},
          {Kind::kText, 0, kRecordsetEmpty},
          {Kind::kNothing, 0, nullptr},
      },
      {1, CachePolicy::Key::kRecordsetTableName},
      kLegacy,
      &EveryConnection,
      kClauseWords,
      std::size(kClauseWords),
      false,
      false,
      false,
      0,
      false,
      {false, true, true, true},
      &LegacyViewDataTemplate,
      {nullptr, nullptr},
  };
  return legacy;
}

}  // namespace quorlin::profile
