#include "raw_walks.h"

#include <vector>

namespace quorlin::bench {
namespace {

constexpr SQLLEN kValueSize = 128;  // the library's SQLGet slot

void Remember(WalkResult& result, const char* id) {
  if (++result.records == 1) result.firstId = id;
}

}  // namespace

std::unique_ptr<OdbcStatement> HoldResult(const OdbcLink& link, const std::string& sql) {
  auto statement = std::make_unique<OdbcStatement>(link);
  statement->RequestStaticCursor();
  statement->ExecDirect(sql);
  return statement;
}

WalkResult NaiveWalk(const OdbcLink& link, const std::string& sql, int columns) {
  WalkResult result;
  std::unique_ptr<OdbcStatement> statement;
  result.selectTime += TimeOf([&] { statement = HoldResult(link, sql); });
  std::vector<char> values(static_cast<std::size_t>(columns) * kValueSize);
  for (;;) {
    const SQLRETURN ret = SQLFetchScroll(statement->Get(), SQL_FETCH_NEXT, 0);
    if (ret == SQL_NO_DATA) break;
    statement->Check(ret, "SQLFetchScroll(NEXT)");
    for (int c = 0; c < columns; ++c) {
      char* value = values.data() + static_cast<std::size_t>(c) * kValueSize;
      SQLLEN indicator = 0;
      statement->Check(SQLGetData(statement->Get(), static_cast<SQLUSMALLINT>(c + 1), SQL_C_CHAR,
                                  value, kValueSize, &indicator),
                       "SQLGetData");
      if (indicator == SQL_NULL_DATA) value[0] = '\0';
      result.checksum += static_cast<unsigned char>(value[0]);
    }
    Remember(result, values.data());
  }
  if (result.records > 0) result.lastId = values.data();
  result.selectTime += TimeOf([&] { statement.reset(); });
  return result;
}

WalkResult BlockWalk(const OdbcLink& link, const std::string& sql, int columns,
                     BlockValues copies) {
  WalkResult result;
  std::unique_ptr<OdbcStatement> statement;
  const auto columnCount = static_cast<std::size_t>(columns);
  // Column-wise buffers: kBlockRows values of one column after another.
  std::vector<char> values(columnCount * kBlockRows * kValueSize);
  std::vector<SQLLEN> indicators(columnCount * kBlockRows);
  SQLULEN fetched = 0;
  result.selectTime += TimeOf([&] {
    statement = std::make_unique<OdbcStatement>(link);
    statement->RequestStaticCursor();
    const SQLHSTMT handle = statement->Get();
    statement->Check(SQLSetStmtAttr(handle, SQL_ATTR_ROW_ARRAY_SIZE, AttributeValue(kBlockRows), 0),
                     "SQLSetStmtAttr(ROW_ARRAY_SIZE)");
    statement->Check(SQLSetStmtAttr(handle, SQL_ATTR_ROWS_FETCHED_PTR, &fetched, 0),
                     "SQLSetStmtAttr(ROWS_FETCHED_PTR)");
    statement->ExecDirect(sql);
    for (std::size_t c = 0; c < columnCount; ++c) {
      statement->Check(SQLBindCol(handle, static_cast<SQLUSMALLINT>(c + 1), SQL_C_CHAR,
                                  values.data() + c * kBlockRows * kValueSize, kValueSize,
                                  indicators.data() + c * kBlockRows),
                       "SQLBindCol");
    }
  });
  const bool copied = copies == BlockValues::kCopiedIntoSlots;
  std::vector<char> slots(columnCount * kSlotSize);  // one row's, reused like a host's
  std::string last;
  for (;;) {
    const SQLRETURN ret = SQLFetchScroll(statement->Get(), SQL_FETCH_NEXT, 0);
    if (ret == SQL_NO_DATA) break;
    statement->Check(ret, "SQLFetchScroll(NEXT, block)");
    for (SQLULEN r = 0; r < fetched; ++r) {
      for (std::size_t c = 0; c < columnCount; ++c) {
        char* value = values.data() + (c * kBlockRows + r) * kValueSize;
        if (indicators[c * kBlockRows + r] == SQL_NULL_DATA) value[0] = '\0';
        if (copied) {
          CopyIntoSlot(slots.data() + c * kSlotSize, value);
          value = slots.data() + c * kSlotSize;
        }
        result.checksum += static_cast<unsigned char>(value[0]);
      }
      Remember(result, copied ? slots.data() : values.data() + r * kValueSize);
    }
    if (fetched > 0 && !copied) last = values.data() + (fetched - 1) * kValueSize;
  }
  result.lastId = copied && result.records > 0 ? SlotValue(slots.data()) : last;
  result.selectTime += TimeOf([&] { statement.reset(); });
  return result;
}

}  // namespace quorlin::bench
