#pragma once

#include <string>
#include <vector>

#include "walk_result.h"

namespace quorlin::bench {

// A connection of its own through the driver manager, without the library: it creates the
// benchmark's table and runs the raw path. Failures throw std::runtime_error with the
// driver's diagnostics.
// Bytes of heap in use by the whole process (glibc), mapped blocks included.
long HeapInUse();

class RawConnection {
 public:
  explicit RawConnection(const std::string& connect);
  ~RawConnection();
  RawConnection(const RawConnection&) = delete;
  RawConnection& operator=(const RawConnection&) = delete;

  // Creates table (ID INTEGER, Tag CHAR(20), Level FLOAT) holding rows rows, IDs 1..rows,
  // inserted in one transaction.
  void CreateBenchTable(const std::string& table, long rows);

  // Runs sql on a static read-only cursor, fetches every row with SQL_FETCH_NEXT and reads
  // every column with SQLGetData(SQL_C_CHAR) into 128-byte buffers.
  WalkResult WalkStaticCursor(const std::string& sql, int columns);

  // As WalkStaticCursor, but fetching blocks of rowsetSize rows into bound 128-byte text
  // buffers (SQL_ATTR_ROW_ARRAY_SIZE, SQL_ATTR_ROWS_FETCHED_PTR), as a careful program would,
  // and reading the values in place or copying each into its own SQLGet-like slot.
  WalkResult WalkStaticCursorInBlocks(const std::string& sql, int columns, int rowsetSize,
                                      BlockValues values);

  // Heap bytes held by a static result of sql with its first block fetched, measured while
  // the statement is open: what the driver itself keeps for the result.
  long HeapOfResult(const std::string& sql, int columns);

  // SQLExecDirect of one text on a statement handle of its own, freed afterwards.
  void Execute(const std::string& sql);

  // SQLExecDirect of every text in turn on one statement handle, as a host that sends texts
  // without the library would.
  void ExecuteEach(const std::vector<std::string>& texts);

  // The first column of the first row of a query, as text.
  std::string QueryValue(const std::string& sql);

 private:
  void* m_environment = nullptr;
  void* m_connection = nullptr;
};

}  // namespace quorlin::bench
