// A hostile host: every export called with null pointers, extreme counts and sizes, unknown
// ids, huge and strange texts, fenced buffers and special grid files. Each case states what
// the library must answer; afterwards an ordinary call on the same library must still work.
#include <gtest/gtest.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "grid_writer.h"
#include "quorlin.h"
#include "test_support.h"

namespace quorlin::test {
namespace {

// A caller's buffer of exactly size bytes that ends where an inaccessible page begins, so a
// write past its end crashes the test, with canary bytes just before it.
class FencedBuffer {
 public:
  explicit FencedBuffer(std::size_t size) : size_(size) {
    const std::size_t page = static_cast<std::size_t>(sysconf(_SC_PAGESIZE));
    span_ = (size + kCanary + page - 1) / page * page;
    void* base =
        mmap(nullptr, span_ + page, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (base == MAP_FAILED) std::abort();
    base_ = static_cast<unsigned char*>(base);
    if (mprotect(base_ + span_, page, PROT_NONE) != 0) std::abort();
    std::memset(base_, kFill, span_);
    guardSize_ = page;
  }
  ~FencedBuffer() { munmap(base_, span_ + guardSize_); }
  FencedBuffer(const FencedBuffer&) = delete;
  FencedBuffer& operator=(const FencedBuffer&) = delete;

  char* data() { return reinterpret_cast<char*>(base_ + span_ - size_); }
  std::string Text() { return std::string(data(), size_); }
  // Nothing before the buffer was written, and, for untouched, nothing in it either.
  bool CanaryIntact() const { return Filled(span_ - size_); }
  bool Untouched() const { return Filled(span_); }

 private:
  static constexpr std::size_t kCanary = 16;
  static constexpr unsigned char kFill = 0xA5;
  bool Filled(std::size_t bytes) const {
    for (std::size_t i = 0; i < bytes; ++i) {
      if (base_[i] != kFill) return false;
    }
    return true;
  }
  std::size_t size_;
  std::size_t span_ = 0;
  std::size_t guardSize_ = 0;
  unsigned char* base_ = nullptr;
};

// What every case finds: an open SQLite connection whose table Good holds one row and is the
// current recordset, grid files good, damaged and special, and strange texts.
struct Host {
  TempDir dir;
  std::string connect = "Driver=SQLite3;Database=" + dir.Path("h.db");
  int id = -1;
  std::string goodBind = dir.Path("good.bind");
  std::string goodSheet = dir.Path("good.sheet");
  std::vector<std::string> unopenable;  // missing or no regular file: refused as unopenable
  std::vector<std::string> damaged;     // bind tables whose counts the file cannot back
  std::vector<std::string> damagedSheets;
  std::string megabyte = std::string(1 << 20, 'm');
  std::vector<std::string> names = {"a\"b'c", "a b ", "数据表", std::string(10000, 'n'), megabyte};
  std::string values = SlotBlock({"7", "'x'"});
};

void ExpectReported(const std::string& text) {
  EXPECT_NE(LastError().find(text), std::string::npos) << "last error: " << LastError();
}

std::vector<std::string> AllGridFiles(const Host& h) {
  std::vector<std::string> files = h.unopenable;
  files.insert(files.end(), h.damaged.begin(), h.damaged.end());
  return files;
}

struct HostileCase {
  const char* name;
  std::function<void(Host&)> run;
};

void PrintTo(const HostileCase& hostile, std::ostream* out) {
  *out << hostile.name;
}

const HostileCase kCases[] = {
    {"DebugFlagExtremes",
     [](Host& h) {
       for (const int flag : {INT_MIN, -1, INT_MAX, 1}) {
         SQLSetDebug(flag);
         EXPECT_EQ(SQLExcute(h.id, "NOT SQL"), -1) << flag;  // a message box needs a display
       }
       SQLSetDebug(0);
     }},
    {"LastErrorBuffers",
     [](Host&) {
       MarkLastError();
       EXPECT_EQ(SQLLastError(nullptr, QUORLIN_LAST_ERROR_SIZE), -1);
       const std::size_t length = std::strlen(kMarker);
       for (const std::size_t size : {std::size_t{0}, std::size_t{1}, length}) {
         FencedBuffer buffer(size);
         EXPECT_EQ(SQLLastError(buffer.data(), static_cast<unsigned>(size)), -1) << size;
         EXPECT_TRUE(buffer.Untouched()) << size;
       }
       FencedBuffer exact(length + 1);
       EXPECT_EQ(SQLLastError(exact.data(), static_cast<unsigned>(length + 1)), 0);
       EXPECT_EQ(exact.Text(), std::string(kMarker) + '\0');
       EXPECT_TRUE(exact.CanaryIntact());
     }},
    {"ConnectTexts",
     [](Host& h) {
       EXPECT_EQ(SQLConnectToDatabase(nullptr), -1);
       EXPECT_EQ(SQLConnectToDatabase(""), -1);
       EXPECT_EQ(SQLConnectToDatabase(h.megabyte.c_str()), -1);
       ExpectReported("32767");
       const std::string odd = "Driver=SQLite3;Database=" + h.dir.Path("数据 'q' b.db");
       EXPECT_GE(SQLConnectToDatabase(odd.c_str()), 0) << LastError();
       for (const int id : {INT_MIN, -1, INT_MAX}) SQLDisconnectToDatabase(id);
     }},
    {"ConnectionDialogsWithoutDisplay",
     [](Host&) {
       for (auto* dialog : {&SQLGetConnect, &SQLGetDataSourceDesc}) {
         EXPECT_EQ(dialog(nullptr, 64), 0);
         FencedBuffer none(0);
         EXPECT_EQ(dialog(none.data(), 0), 0);
         EXPECT_TRUE(none.Untouched());
         FencedBuffer buffer(64);
         EXPECT_EQ(dialog(buffer.data(), 64), 0);
         EXPECT_TRUE(buffer.CanaryIntact());
       }
     }},
    {"CreateTableFromSpecialAndDamagedFiles",
     [](Host& h) {
       for (const std::string& path : h.unopenable) {
         MarkLastError();
         EXPECT_EQ(SQLCreateTable(h.id, "T", path.c_str()), -1) << path;
         EXPECT_EQ(LastError(), kMarker) << path << ": refused as a file that cannot be opened";
       }
       for (const std::string& path : h.damagedSheets) {
         EXPECT_EQ(SQLCreateTable(h.id, "T", path.c_str()), -1) << path;
         EXPECT_EQ(LastError(), GridUnreadableText()) << path;
       }
       EXPECT_EQ(SQLCreateTable(h.id, "T", nullptr), -1);
     }},
    {"CreateTableNamesAndIds",
     [](Host& h) {
       for (const std::string& name : h.names) {
         EXPECT_EQ(SQLCreateTable(h.id, name.c_str(), h.goodSheet.c_str()), 0) << "sent";
       }
       EXPECT_EQ(SQLCreateTable(h.id, nullptr, h.goodSheet.c_str()), 0) << "sent, rejected";
       for (const int id : {INT_MIN, -1, INT_MAX}) {
         EXPECT_EQ(SQLCreateTable(id, "T", h.goodSheet.c_str()), -1) << id;
       }
     }},
    {"CreateTableExCountsAndArrays",
     [](Host& h) {
       const std::string names = SlotBlock({"A"});
       const int types[] = {QUORLIN_TYPE_CHAR};
       for (const int count : {INT_MAX, 1}) {
         EXPECT_EQ(SQLCreateTableEx(h.id, count, "T", nullptr, types, nullptr), -1) << count;
         EXPECT_EQ(SQLCreateTableEx(h.id, count, "T", names.c_str(), nullptr, nullptr), -1);
       }
       EXPECT_EQ(SQLCreateTableEx(h.id, 1, "T", names.c_str(), types, nullptr), -1)
           << "a CHAR column needs its width";
       for (const int count : {INT_MIN, -1, 0}) {
         EXPECT_EQ(SQLCreateTableEx(h.id, count, "T", nullptr, nullptr, nullptr), 0)
             << count << ": no columns, sent and rejected";
       }
       EXPECT_EQ(SQLCreateTableEx(INT_MIN, 1, "T", names.c_str(), types, types), -1);
     }},
    {"DropSelectAggregateExecuteDelete",
     [](Host& h) {
       for (const int id : {INT_MIN, -1, INT_MAX}) {
         EXPECT_EQ(SQLDropTable(id, "Good"), -1);
         EXPECT_EQ(SQLSelectToTable(id, "Good", ""), -1);
         EXPECT_EQ(SQLExcute(id, "SELECT 1"), -1);
         EXPECT_EQ(SQLDeleteRecord(id, "Good", ""), -1);
         EXPECT_EQ(SQLUseTable(id, "Good"), -1);
       }
       for (const std::string& name : h.names) {
         EXPECT_EQ(SQLDropTable(h.id, name.c_str()), -1);
         EXPECT_EQ(SQLSelectToTable(h.id, name.c_str(), name.c_str()), -1);
         EXPECT_EQ(SQLDeleteRecord(h.id, name.c_str(), name.c_str()), -1);
         EXPECT_EQ(SQLUseTable(h.id, name.c_str()), -1);
       }
       EXPECT_EQ(SQLSelectToTable(h.id, nullptr, nullptr), -1);
       EXPECT_EQ(SQLExcute(h.id, nullptr), -1);
       EXPECT_EQ(SQLExcute(h.id, h.megabyte.c_str()), -1);
       EXPECT_EQ(SQLDeleteRecord(h.id, nullptr, nullptr), -1);
       double result = 42.0;
       for (const int kind : {INT_MIN, -1, 6, INT_MAX}) {
         EXPECT_EQ(SQLAggregate(h.id, "Good", kind, "ID", &result, ""), -1) << kind;
       }
       EXPECT_EQ(SQLAggregate(h.id, "Good", QUORLIN_SUM, h.names[3].c_str(), &result, ""), -1);
       EXPECT_EQ(SQLAggregate(h.id, "Good", QUORLIN_SUM, "ID", nullptr, ""), -1);
       EXPECT_EQ(SQLAggregate(INT_MIN, "Good", QUORLIN_SUM, "ID", &result, ""), -1);
       EXPECT_EQ(result, 42.0) << "no failure writes the result";
     }},
    {"MovesAndCounts",
     [](Host&) {
       for (const unsigned direction : {4u, 0x80000000u, UINT_MAX}) {
         EXPECT_EQ(SQLMoveRecord(direction), 0) << direction << " moves nowhere";
         EXPECT_EQ(Field("ID"), "1") << direction;
       }
       // Positions count from 1, negative ones from the end as ODBC's absolute fetch does.
       const std::pair<int, const char*> positions[] = {
           {INT_MIN, "<error>"}, {-1, "1"}, {0, "<error>"}, {2, "<error>"}, {INT_MAX, "<error>"}};
       for (const auto& [position, field] : positions) {
         EXPECT_EQ(SQLMoveTo(position), 0) << position;
         EXPECT_EQ(Field("ID"), field) << position;
       }
       EXPECT_EQ(SQLGetRowCount(), 1);
     }},
    {"FieldValueSizesAndNames",
     [](Host& h) {
       for (const int size : {INT_MIN, -1, 0}) {
         FencedBuffer buffer(1);
         EXPECT_EQ(SQLGetFieldValue("ID", buffer.data(), size), 0) << size;
         EXPECT_TRUE(buffer.Untouched()) << size;
       }
       EXPECT_EQ(SQLGetFieldValue("ID", nullptr, 8), 0);
       FencedBuffer exact(1);
       EXPECT_EQ(SQLGetFieldValue("ID", exact.data(), 1), 1);
       EXPECT_EQ(exact.Text(), "1") << "a value that fills the buffer gets no terminator";
       EXPECT_TRUE(exact.CanaryIntact());
       for (const std::string& name : h.names) {
         FencedBuffer buffer(8);
         EXPECT_EQ(SQLGetFieldValue(name.c_str(), buffer.data(), 8), 0);
         EXPECT_EQ(buffer.data()[0], '\0') << "a failed read leaves the empty text";
         EXPECT_TRUE(buffer.CanaryIntact());
         ExpectReported("' not found");
       }
       EXPECT_EQ(SQLGetFieldValue(nullptr, exact.data(), 1), 0);
     }},
    {"GetCountsEntriesAndSlots",
     [](Host&) {
       BindEntry entries[2] = {};
       std::strcpy(entries[0].fieldName, "ID");
       std::strcpy(entries[1].fieldName, "Tag");
       for (const int count : {INT_MIN, -1, 0}) {
         FencedBuffer slots(QUORLIN_GET_SLOT_SIZE);
         EXPECT_EQ(SQLGet(count, entries, slots.data()), 0) << count;
         EXPECT_TRUE(slots.Untouched()) << count;
       }
       FencedBuffer slots(2 * QUORLIN_GET_SLOT_SIZE);
       EXPECT_EQ(SQLGet(2, nullptr, slots.data()), 0);
       EXPECT_EQ(SQLGet(2, entries, nullptr), 0);
       EXPECT_EQ(SQLGet(2, entries, slots.data()), 1) << LastError();
       EXPECT_STREQ(slots.data() + QUORLIN_GET_SLOT_SIZE, "x");
       EXPECT_TRUE(slots.CanaryIntact());
       std::memset(entries[1].fieldName, '\xB0', sizeof entries[1].fieldName);  // no terminator
       EXPECT_EQ(SQLGet(2, entries, slots.data()), 0);
       ExpectReported("not found");
     }},
    {"BindTablesSpecialAndDamaged",
     [](Host& h) {
       unsigned count = 0;
       BindEntry* entries = nullptr;
       EXPECT_EQ(GetBindTable(h.goodBind.c_str(), nullptr, &count), 0);
       EXPECT_EQ(GetBindTable(h.goodBind.c_str(), &entries, nullptr), 0);
       EXPECT_EQ(GetBindTable(nullptr, &entries, &count), 0);
       // The count is never written on failure; the entries pointer stays as it was for a
       // file that cannot be opened and is null for a damaged one.
       BindEntry sentinel{};
       for (const std::string& path : AllGridFiles(h)) {
         entries = &sentinel;
         count = 77;
         EXPECT_EQ(GetBindTable(path.c_str(), &entries, &count), 0) << path;
         EXPECT_EQ(count, 77u) << path;
         const bool damaged = path == h.damaged[0] || path == h.damaged[1];
         EXPECT_EQ(entries, damaged ? nullptr : &sentinel) << path;
       }
     }},
    {"RecordsThroughSpecialBindTables",
     [](Host& h) {
       for (const std::string& path : AllGridFiles(h)) {
         EXPECT_EQ(SQLInsertRecord(h.id, "Good", path.c_str(), h.values.c_str()), -1) << path;
         EXPECT_EQ(LastError(), GridUnreadableText()) << path;
         EXPECT_EQ(SQLUpdateRecord(h.id, "Good", path.c_str(), h.values.c_str(), ""), -1);
       }
       EXPECT_EQ(SQLInsertRecord(h.id, "Good", h.goodBind.c_str(), nullptr), -1);
       EXPECT_EQ(SQLUpdateRecord(h.id, "Good", h.goodBind.c_str(), nullptr, nullptr), -1);
       EXPECT_EQ(SQLInsertRecord(INT_MIN, "Good", h.goodBind.c_str(), h.values.c_str()), -1);
       EXPECT_EQ(SQLUpdateRecord(INT_MAX, "Good", h.goodBind.c_str(), h.values.c_str(), ""), -1);
       for (const std::string& name : h.names) {
         EXPECT_EQ(SQLInsertRecord(h.id, name.c_str(), h.goodBind.c_str(), h.values.c_str()), -1);
       }
     }},
    {"InsertRecordExCountsAndArrays",
     [](Host& h) {
       const int types[] = {QUORLIN_TYPE_NUMERIC};
       const std::string names = SlotBlock({"ID"});
       for (const int count : {INT_MIN, -1, 0}) {
         EXPECT_EQ(SQLInsertRecordEx(h.id, count, "Good", types, names.c_str(), "9"), -1);
       }
       EXPECT_EQ(SQLInsertRecordEx(h.id, INT_MAX, "Good", nullptr, nullptr, nullptr), -1);
       EXPECT_EQ(SQLInsertRecordEx(h.id, 1, "Good", types, names.c_str(), nullptr), -1);
       EXPECT_EQ(SQLInsertRecordEx(INT_MIN, 1, "Good", types, names.c_str(), "9"), -1);
     }},
    {"DisplayWithoutDisplay",
     [](Host&) {
       for (const int rows : {INT_MIN, 0, INT_MAX}) {
         SQLDisplay(rows);
         ExpectReported("no display");
       }
     }},
    {"CleanupTwice",
     [](Host&) {
       SQLCleanup();
       SQLCleanup();
       EXPECT_EQ(SQLGetRowCount(), RowCountWithoutRecordset());
     }},
};

class HostileHost : public ::testing::TestWithParam<HostileCase> {
 protected:
  void SetUp() override {
    setenv("DISPLAY", "", 1);  // SQLDisplay and the dialogs must find no display
    unsetenv("WAYLAND_DISPLAY");
    SQLCleanup();
    h_.id = SQLConnectToDatabase(h_.connect.c_str());
    ASSERT_GE(h_.id, 0) << LastError();
    Exec(h_.id, "CREATE TABLE Good (ID INTEGER, Tag CHAR(8))");
    Exec(h_.id, "INSERT INTO Good VALUES (1, 'x')");
    ASSERT_EQ(SQLSelectToTable(h_.id, "Good", ""), 0) << LastError();
    WriteFile(h_.goodBind, GridBytes({CaptionRow(4), BindRow("ID", 1), BindRow("Tag", 2)}));
    WriteFile(h_.goodSheet, GridBytes({CaptionRow(6), DatasheetRow("ID", 1, "")}));
    const std::string fifo = h_.dir.Path("fifo");
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    h_.unopenable = {fifo, h_.dir.Path(""), "/dev/zero", h_.dir.Path("missing")};
    h_.damaged = Damaged(4);
    h_.damagedSheets = Damaged(6);
  }
  // A file shorter than its counts, and a sparse one whose length backs counts no table has.
  std::vector<std::string> Damaged(int columns) {
    const std::string shortFile = h_.dir.Path("short" + std::to_string(columns));
    WriteFile(shortFile, GridBytes(3, columns, {CaptionRow(columns)}));
    const std::string sparse = h_.dir.Path("sparse" + std::to_string(columns));
    WriteFile(sparse, GridBytes(INT_MAX, columns, {}));
    EXPECT_EQ(truncate(sparse.c_str(), 8 + off_t{INT_MAX} * columns * 68), 0);
    return {shortFile, sparse};
  }
  void TearDown() override { SQLCleanup(); }
  Host h_;
};

TEST_P(HostileHost, IsRefusedAndAGoodCallStillWorks) {
  GetParam().run(h_);
  const int id = SQLConnectToDatabase(h_.connect.c_str());
  ASSERT_GE(id, 0) << LastError();
  ASSERT_EQ(SQLSelectToTable(id, "Good", ""), 0) << LastError();
  char value[4] = {};
  EXPECT_EQ(SQLGetFieldValue("ID", value, sizeof value - 1), 1) << LastError();
  EXPECT_STREQ(value, "1");
  BindEntry* entries = nullptr;
  unsigned count = 0;
  ASSERT_EQ(GetBindTable(h_.goodBind.c_str(), &entries, &count), 1);
  EXPECT_EQ(count, 2u);
  QuorlinFreeBindTable(entries);
}

INSTANTIATE_TEST_SUITE_P(Cases, HostileHost, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace quorlin::test
