#pragma once

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>
#include <numeric>
#include <string>
#include <vector>

#include "frame/export_frame.h"
#include "frame/frame_state.h"
#include "platform/database.h"
#include "platform/recordset.h"
#include "recording_surface.h"
#include "resources/message_ids.h"
#include "resources/view_data_ids.h"
#include "temp_dir.h"
#include "viewer/recordset_adapter.h"
#include "viewer/view_data_dialog.h"

namespace quorlin::test {

using namespace quorlin::resources;

// Whether the program was linked with the legacy profile, whose paging rules differ in a few
// places; each of those tests states both expectations.
constexpr bool LegacyProfile() {
  return QUORLIN_TEST_LEGACY_PROFILE != 0;
}

// Record ids first to last, inclusive.
inline std::vector<int> Ids(int first, int last) {
  std::vector<int> ids(static_cast<std::size_t>(last - first + 1));
  std::iota(ids.begin(), ids.end(), first);
  return ids;
}

// The View data dialog on a real SQLite result, drawn on a recording surface. The library's
// resources are current, as they are while SQLDisplay runs. Parameter: the recordset's open
// options (a scrolling driver cursor, or the rows kept in memory), which must page alike.
class PagingTest : public ::testing::TestWithParam<unsigned> {
 protected:
  void SetUp() override {
    ASSERT_TRUE(m_database.OpenEx("Driver=SQLite3;Database=" + m_dir.Path("viewer.db"),
                                  platform::CDatabase::noOdbcDialog));
  }
  void TearDown() override { EXPECT_TRUE(m_surface.Faults().empty()) << m_surface.Faults()[0]; }

  // Table T with records ID 1..count, Name "name <ID>".
  void MakeRecords(int count) {
    m_database.ExecuteSQL("CREATE TABLE T (ID INTEGER, Name TEXT)");
    m_database.ExecuteSQL("BEGIN");
    for (int id = 1; id <= count; ++id) {
      m_database.ExecuteSQL("INSERT INTO T VALUES (" + std::to_string(id) + ", 'name " +
                            std::to_string(id) + "')");
    }
    m_database.ExecuteSQL("COMMIT");
  }

  // A fresh dialog on a fresh surface, and no table T, for a test that runs several cases.
  void StartOver() {
    m_database.ExecuteSQL("DROP TABLE IF EXISTS T");
    m_surface = RecordingSurface();
    m_dialog = viewer::ViewDataDialog();
  }

  // Opens sql and gets the dialog ready as SQLDisplay does.
  void Select(const std::string& sql, int rowsPerPage) {
    m_recordset = std::make_unique<platform::CRecordset>(&m_database);
    m_recordset->Open(platform::CRecordset::snapshot, sql,
                      platform::CRecordset::readOnly | GetParam());
    m_adapter = std::make_unique<viewer::RecordsetAdapter>(*m_recordset);
    m_dialog.m_tableName = m_recordset->GetTableName();
    m_dialog.m_rowsPerPage = rowsPerPage;
    m_dialog.m_recordset = m_adapter.get();
    m_dialog.SetSurface(&m_surface);
  }

  // Selects and opens the dialog on the first count records of T.
  void Open(int count, int rowsPerPage) {
    MakeRecords(count);
    Select("SELECT * FROM T ORDER BY ID", rowsPerPage);
    m_dialog.OnInitDialog();
  }

  // The id of the record the recordset stands on.
  int CurrentId() { return std::stoi(m_recordset->GetFieldValue(0)); }

  static std::string LastError() { return frame::Frame().lastError.Text(); }
  static void MarkLastError() { frame::Frame().lastError.Set("marker"); }

  TempDir m_dir;
  frame::ResourceModuleScope m_libraryResources;
  platform::CDatabase m_database;
  std::unique_ptr<platform::CRecordset> m_recordset;
  std::unique_ptr<viewer::RecordsetAdapter> m_adapter;
  viewer::ViewDataDialog m_dialog;
  RecordingSurface m_surface;
};

inline std::string CursorMode(const ::testing::TestParamInfo<unsigned>& info) {
  return info.param == 0 ? "ScrollingCursor" : "RowsInMemory";
}

#define QUORLIN_ON_EACH_CURSOR(suite)                                                     \
  INSTANTIATE_TEST_SUITE_P(Cursors, suite,                                                \
                           ::testing::Values(0u, platform::CRecordset::keepRowsInMemory), \
                           ::quorlin::test::CursorMode)

}  // namespace quorlin::test
