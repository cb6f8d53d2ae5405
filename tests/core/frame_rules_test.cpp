// The export frame, called directly: what reaches the C boundary and what is put back.
#include <gtest/gtest.h>

#include <new>
#include <stdexcept>

#include "frame/export_frame.h"
#include "frame/frame_state.h"
#include "platform/resources.h"

namespace quorlin::frame {
namespace {

constexpr platform::StringResource kHostStrings[] = {{1603, "host's own text", nullptr}};
constexpr platform::StringTable kHostTable{kHostStrings, 1};

// A host whose own resources are current before each export, as a framework host's are.
class ExportFrame : public ::testing::Test {
 protected:
  void SetUp() override { platform::SetCurrentResourceModule(&kHostTable); }
  void TearDown() override { platform::SetCurrentResourceModule(nullptr); }
  static std::string LastError() { return Frame().lastError.Text(); }
};

TEST_F(ExportFrame, LibraryResourcesServeTheExportAndTheHostsComeBack) {
  std::string during;
  const int result = RunExport(-1, [&] {
    during = platform::LoadResourceString(1603);
    return 0;
  });
  EXPECT_EQ(result, 0);
  EXPECT_EQ(during, "Database not open");
  EXPECT_EQ(platform::CurrentResourceModule(), &kHostTable);
  EXPECT_EQ(platform::LoadResourceString(1603), "host's own text");
}

TEST_F(ExportFrame, DatabaseErrorsReportTheirTextAndReturnFailure) {
  EXPECT_EQ(RunExport(-1, []() -> int { throw platform::CDBException("[Driver]it broke"); }), -1);
  EXPECT_EQ(LastError(), "[Driver]it broke");
  EXPECT_EQ(platform::CurrentResourceModule(), &kHostTable);
}

TEST_F(ExportFrame, FileErrorsReportCantLoadDatasheet) {
  EXPECT_EQ(RunExport(0,
                      []() -> int {
                        throw platform::CFileException(platform::CFileException::readError, "f",
                                                       "io");
                      }),
            0);
  EXPECT_EQ(LastError(), "Can't load datasheet");
}

TEST_F(ExportFrame, MemoryExhaustionAndOtherErrorsNeverCrossTheBoundary) {
  EXPECT_EQ(RunExport(-1, []() -> int { throw std::bad_alloc(); }), -1);
  EXPECT_EQ(LastError(), "Out of memory.");
  EXPECT_EQ(RunExport(-1, []() -> int { throw std::logic_error("odd state"); }), -1);
  EXPECT_EQ(LastError(), "odd state");
  EXPECT_EQ(RunExport(-1, []() -> int { throw 42; }), -1);
  EXPECT_EQ(LastError(), "Unexpected error.");
  bool ran = false;
  RunExport([&] {
    ran = true;
    throw std::runtime_error("from an export without result");
  });
  EXPECT_TRUE(ran);
  EXPECT_EQ(LastError(), "from an export without result");
  EXPECT_EQ(platform::CurrentResourceModule(), &kHostTable);
}

}  // namespace
}  // namespace quorlin::frame
