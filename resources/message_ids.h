#pragma once

namespace quorlin::resources {

// Ids of the library's message table.
enum MessageId : unsigned {
  kNoData = 1601,
  kToTheEnd = 1602,
  kDatabaseNotOpen = 1603,
  kFailedToCreateTable = 1604,
  kTableEmpty = 1605,
  kCantLoadDatasheet = 1606,
  kRecordsetNull = 1607,
  kDatasheet = 1608,
};

}  // namespace quorlin::resources
