#include <cstring>
#include <string>
#include <vector>

#include "database_fixture.h"

namespace quorlin::test {
namespace {

// SQLGet remembers where the names of its last call stood and checks the next call's names
// against them cheaply: names that share their first bytes, a prefix, case, bytes after the
// terminator and a changed count must each still find their own field.
class FieldNames : public OnEachDatabase {
 protected:
  void SetUp() override {
    OnEachDatabase::SetUp();
    if (IsSkipped() || HasFatalFailure()) return;
    table_ = TableName("Names");
    Exec(id_, "DROP TABLE IF EXISTS " + table_);
    Exec(id_, "CREATE TABLE " + table_ +
                  " (ID INTEGER, LongName_A VARCHAR(8), LongName_B VARCHAR(8), LongN VARCHAR(8),"
                  " LongNameX VARCHAR(8))");
    Exec(id_, "INSERT INTO " + table_ + " VALUES (1, 'a1', 'b1', 'l1', 'x1')");
    Exec(id_, "INSERT INTO " + table_ + " VALUES (2, 'a2', 'b2', 'l2', 'x2')");
    ASSERT_EQ(SQLSelectToTable(id_, table_.c_str(), OrderBy("ID").c_str()), 0) << LastError();
  }

  // The slots SQLGet filled for names, or "<failed>" when it returned 0.
  std::vector<std::string> Get(const std::vector<std::string>& names, const char* after = "") {
    std::vector<BindEntry> entries(names.size());
    for (std::size_t i = 0; i < names.size(); ++i) {
      std::memset(entries[i].fieldName, 0, sizeof entries[i].fieldName);
      std::memcpy(entries[i].fieldName, names[i].data(), names[i].size());
      // Whatever stands after the terminator is not part of the name.
      std::strncpy(entries[i].fieldName + names[i].size() + 1, after,
                   sizeof entries[i].fieldName - names[i].size() - 1);
    }
    std::vector<char> slots(names.size() * QUORLIN_GET_SLOT_SIZE, '#');
    if (SQLGet(static_cast<int>(names.size()), entries.data(), slots.data()) != 1) {
      return {"<failed>"};
    }
    std::vector<std::string> values;
    for (std::size_t i = 0; i < names.size(); ++i) {
      values.emplace_back(slots.data() + i * QUORLIN_GET_SLOT_SIZE);
    }
    return values;
  }

  std::string table_;
};

TEST_P(FieldNames, EachCallFindsItsOwnFieldsWhateverTheCallBeforeAsked) {
  const struct {
    std::vector<std::string> names;
    const char* after;
    std::vector<std::string> values;
  } calls[] = {
      {{"LongName_A", "ID"}, "", {"a1", "1"}},
      {{"LongName_B", "ID"}, "", {"b1", "1"}},  // differs after the first eight bytes
      {{"LongN", "ID"}, "", {"l1", "1"}},       // a prefix of the name before
      {{"LongNameX", "ID"}, "", {"x1", "1"}},
      {{"LongName_A", "ID"}, "Name_B", {"a1", "1"}},  // the rest of another name behind it
      {{"longname_b", "id"}, "", {"b1", "1"}},        // letter case
      {{"LongName_B"}, "", {"b1"}},                   // fewer names
      {{"LongName_B", "LongName_A", "ID"}, "", {"b1", "a1", "1"}},
      {{"LongName_Q", "ID"}, "", {"<failed>"}},  // unknown
      {{"LongName_A", "ID"}, "", {"a1", "1"}},
  };
  for (const auto& call : calls) {
    EXPECT_EQ(Get(call.names, call.after), call.values) << call.names[0] << " " << call.after;
  }
  ASSERT_EQ(SQLMoveRecord(QUORLIN_MOVE_NEXT), 0) << LastError();
  EXPECT_EQ(Get({"LongName_A", "ID"}), (std::vector<std::string>{"a2", "2"}));
  EXPECT_EQ(Get({"LongNameX", "LongN"}), (std::vector<std::string>{"x2", "l2"}));
}

QUORLIN_ON_EACH_DATABASE(FieldNames);

}  // namespace
}  // namespace quorlin::test
