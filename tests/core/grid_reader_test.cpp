// The grid readers on hand-made files, damaged ones included.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/fsuid.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstring>
#include <functional>

#include "grid_writer.h"
#include "records/bind_table.h"
#include "schema/datasheet.h"
#include "temp_dir.h"

namespace quorlin::test {
namespace {

using records::BindEntries;
using records::BindTableResult;
using records::ReadBindTable;
using schema::ColumnDef;
using schema::DatasheetResult;
using schema::ReadDatasheet;

class GridReaders : public ::testing::Test {
 protected:
  std::string Write(const std::string& bytes) {
    const std::string path = dir_.Path("grid" + std::to_string(files_++));
    WriteFile(path, bytes);
    return path;
  }
  // The path of name in the folder once make (a system call's result) succeeded.
  std::string Made(int result, const std::string& name) {
    return result == 0 ? dir_.Path(name) : std::string();
  }
  std::string Socket() {
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const std::string path = dir_.Path("socket");
    if (path.size() >= sizeof address.sun_path) return {};
    std::strcpy(address.sun_path, path.c_str());
    socket_ = socket(AF_UNIX, SOCK_STREAM, 0);
    const bool bound = bind(socket_, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
    return bound && listen(socket_, 1) == 0 ? path : std::string();
  }
  void TearDown() override {
    if (socket_ >= 0) close(socket_);
  }
  TempDir dir_;
  int files_ = 0;
  int socket_ = -1;
};

TEST_F(GridReaders, DatasheetRowsBecomeColumnsInFileOrder) {
  const std::string path = Write(GridBytes(
      {CaptionRow(6), DatasheetRow("ID", 1, "0", 4, 5), DatasheetRow("Name", 2, "  12abc"),
       DatasheetRow("Born", -7, "+7"), DatasheetRow("X", 9, "")}));
  std::vector<ColumnDef> columns;
  ASSERT_EQ(ReadDatasheet(path, columns), DatasheetResult::kRead);
  ASSERT_EQ(columns.size(), 4u) << "the caption row is never a column";
  EXPECT_EQ(columns[0].name, "ID");
  EXPECT_EQ(columns[0].typeCode, 1);
  EXPECT_EQ(columns[0].extraB, 4);
  EXPECT_EQ(columns[0].extraA, 5);
  EXPECT_EQ(columns[1].width, 12);
  EXPECT_EQ(columns[2].typeCode, 0) << "a negative type reads as 0";
  EXPECT_EQ(columns[2].width, 7);
  EXPECT_EQ(columns[3].typeCode, 9);
  EXPECT_EQ(columns[3].width, 0);
}

TEST_F(GridReaders, DatasheetWithoutDataRowsIsEmptyNotDamaged) {
  for (std::int32_t rows : {1, 0, -3}) {
    std::vector<ColumnDef> columns;
    EXPECT_EQ(ReadDatasheet(Write(GridBytes(rows, 6, {CaptionRow(6)})), columns),
              DatasheetResult::kRead);
    EXPECT_TRUE(columns.empty()) << rows;
  }
}

TEST_F(GridReaders, OtherColumnCountsAreNotDatasheets) {
  std::vector<ColumnDef> columns;
  EXPECT_EQ(ReadDatasheet(Write(GridBytes({CaptionRow(4), BindRow("A", 1)})), columns),
            DatasheetResult::kNotDatasheet);
  EXPECT_EQ(ReadDatasheet(Write(GridBytes(2, -6, {})), columns), DatasheetResult::kNotDatasheet);
  EXPECT_EQ(ReadDatasheet(dir_.Path("missing"), columns), DatasheetResult::kNotOpened);
}

TEST_F(GridReaders, ShortFilesAreDamagedAndYieldNothing) {
  const std::string whole =
      GridBytes({CaptionRow(6), DatasheetRow("A", 0, ""), DatasheetRow("B", 0, "")});
  for (std::size_t length :
       {std::size_t{0}, std::size_t{5}, std::size_t{8 + 408 + 100}, whole.size() - 1}) {
    std::vector<ColumnDef> columns;
    const DatasheetResult result = ReadDatasheet(Write(whole.substr(0, length)), columns);
    EXPECT_EQ(result, DatasheetResult::kDamaged) << length;
    EXPECT_TRUE(columns.empty()) << length;
  }
  std::vector<ColumnDef> columns;
  EXPECT_EQ(ReadDatasheet(Write(GridBytes(2147483647, 6, {CaptionRow(6)})), columns),
            DatasheetResult::kDamaged)
      << "a huge count is checked against the length before anything is allocated";
}

TEST_F(GridReaders, NamesWithoutTerminatorStopAtTheirCell) {
  std::vector<ColumnDef> columns;
  const std::string path =
      Write(GridBytes({CaptionRow(6), DatasheetRow(std::string(64, 'N'), 0, "")}));
  ASSERT_EQ(ReadDatasheet(path, columns), DatasheetResult::kRead);
  EXPECT_EQ(columns[0].name, std::string(64, 'N'));

  BindEntries entries;
  std::uint32_t count = 0;
  const std::string bind =
      Write(GridBytes({CaptionRow(4), BindRow(std::string(64, 'F'), 2, std::string(64, 'D'))}));
  ASSERT_EQ(ReadBindTable(bind, entries, count), BindTableResult::kRead);
  ASSERT_EQ(count, 1u);
  EXPECT_EQ(std::string(entries.get()[0].fieldName), std::string(63, 'F'));
  EXPECT_EQ(std::string(entries.get()[0].detail), std::string(63, 'D'));
}

TEST_F(GridReaders, BindTableEntriesCarryNameTypeAndDetail) {
  BindEntries entries;
  std::uint32_t count = 0;
  const std::string path =
      Write(GridBytes({CaptionRow(4), BindRow("Tag", 2, "tag text"), BindRow("Level", -1)}));
  ASSERT_EQ(ReadBindTable(path, entries, count), BindTableResult::kRead);
  ASSERT_EQ(count, 2u);
  EXPECT_STREQ(entries.get()[0].fieldName, "Tag");
  EXPECT_EQ(entries.get()[0].typeCode, 2);
  EXPECT_STREQ(entries.get()[0].detail, "tag text");
  EXPECT_EQ(entries.get()[1].typeCode, -1) << "type codes are carried unchanged";
}

TEST_F(GridReaders, BindTableWithoutACaptionRowOrTooShortIsDamaged) {
  BindEntries entries;
  std::uint32_t count = 77;
  for (std::int32_t rows : {0, -1, -2147483647 - 1}) {
    EXPECT_EQ(ReadBindTable(Write(GridBytes(rows, 4, {CaptionRow(4)})), entries, count),
              BindTableResult::kDamaged)
        << rows;
  }
  EXPECT_EQ(ReadBindTable(Write(GridBytes(2147483647, 4, {CaptionRow(4), BindRow("A", 0)})),
                          entries, count),
            BindTableResult::kDamaged);
  EXPECT_EQ(ReadBindTable(Write(GridBytes(3, 4, {CaptionRow(4), BindRow("A", 0)})), entries, count),
            BindTableResult::kDamaged);
  EXPECT_EQ(count, 77u);
  EXPECT_EQ(entries, nullptr);
}

TEST_F(GridReaders, FilesHeldByAnotherProcessCannotBeRead) {
  const std::string path = Write(GridBytes({CaptionRow(4), BindRow("A", 0)}));
  const pid_t child = fork();
  if (child == 0) {
    const int fd = open(path.c_str(), O_RDONLY);
    flock(fd, LOCK_EX);
    sleep(5);
    _exit(0);
  }
  usleep(300000);
  BindEntries entries;
  std::uint32_t count = 0;
  EXPECT_EQ(ReadBindTable(path, entries, count), BindTableResult::kNotOpened);
  std::vector<ColumnDef> columns;
  EXPECT_EQ(ReadDatasheet(path, columns), DatasheetResult::kNotOpened);
  kill(child, SIGKILL);
  waitpid(child, nullptr, 0);
  EXPECT_EQ(ReadBindTable(path, entries, count), BindTableResult::kRead)
      << "readable once released";
}

// A path that names no regular file is refused like a missing file, at once: a FIFO without
// a writer would block a plain open forever.
TEST_F(GridReaders, SpecialFilesAreRefusedWithoutWaiting) {
  const std::string grid = Write(GridBytes({CaptionRow(4), BindRow("A", 0)}));
  const struct {
    const char* what;
    std::function<std::string()> make;
  } cases[] = {
      {"FIFO", [&] { return Made(mkfifo(dir_.Path("fifo").c_str(), 0600), "fifo"); }},
      {"folder", [&] { return Made(mkdir(dir_.Path("dir").c_str(), 0700), "dir"); }},
      {"device", [] { return std::string("/dev/zero"); }},
      {"socket", [&] { return Socket(); }},
      {"unreadable",
       [&] {  // the folder is open to all, so that the file's own mode refuses the read
         const bool made = chmod(dir_.Path("").c_str(), 0711) == 0 && chmod(grid.c_str(), 0) == 0;
         return made ? grid : std::string();
       }},
  };
  for (const auto& special : cases) {
    const std::string path = special.make();
    ASSERT_FALSE(path.empty()) << special.what;
    // Root reads any file whatever its mode; the mode holds for this file-system identity.
    const bool asNobody = std::string(special.what) == "unreadable" && geteuid() == 0;
    const int previous = asNobody ? setfsuid(65534) : -1;
    BindEntries entries;
    std::uint32_t count = 0;
    EXPECT_EQ(ReadBindTable(path, entries, count), BindTableResult::kNotOpened) << special.what;
    std::vector<ColumnDef> columns;
    EXPECT_EQ(ReadDatasheet(path, columns), DatasheetResult::kNotOpened) << special.what;
    if (asNobody) setfsuid(static_cast<uid_t>(previous));
  }
}

// A sparse file is as long as its counts demand but holds nothing there: more rows than any
// table has columns are damage, refused before a block for them is allocated.
TEST_F(GridReaders, CountsBeyondAnyTableAreDamagedEvenInALongFile) {
  for (const std::int32_t rows : {2147483647, std::int32_t{(1 << 20) + 2}}) {
    for (const std::int32_t columns : {4, 6}) {
      const std::string path = Write(GridBytes(rows, columns, {CaptionRow(columns)}));
      ASSERT_EQ(truncate(path.c_str(), 8 + off_t{rows} * columns * 68), 0);
      BindEntries entries;
      std::uint32_t count = 0;
      std::vector<ColumnDef> list;
      if (columns == 4) {
        EXPECT_EQ(ReadBindTable(path, entries, count), BindTableResult::kDamaged) << rows;
      } else {
        EXPECT_EQ(ReadDatasheet(path, list), DatasheetResult::kDamaged) << rows;
      }
    }
  }
}

TEST_F(GridReaders, GarbageIsRefusedWithoutReadingBeyondIt) {
  std::string garbage(3000, '\xA5');
  BindEntries entries;
  std::uint32_t count = 0;
  EXPECT_NE(ReadBindTable(Write(garbage), entries, count), BindTableResult::kRead);
  std::vector<ColumnDef> columns;
  EXPECT_NE(ReadDatasheet(Write(garbage), columns), DatasheetResult::kRead);
}

}  // namespace
}  // namespace quorlin::test
