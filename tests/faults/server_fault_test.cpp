// Server faults: once a server is killed under an open connection, whatever on it needs the
// server fails cleanly with the driver's message, and after a restart on the same port the
// same connect string gets a new connection instead of the dead one. Runs on a private pair of
// throwaway servers (the suite's shared pair is never touched), through both libraries loaded side
// by side, as hosts load them.
#include <gtest/gtest.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <functional>
#include <sstream>
#include <stdexcept>
#include <string>
#include <thread>
#include <tuple>

#include "fault_library.h"
#include "private_servers.h"
#include "quorlin.h"

namespace {

using namespace fault_tests;

constexpr unsigned kCaseSeconds = 90;  // far above a case's few seconds; a hang ends here
constexpr char kTable[] = "fault_rows";

struct Server {
  const char* name;
  const char* script;  // the name the server scripts give it
  const char* envKey;
  const char* connectSuffix;
  const char* lostText;   // what the driver says once the server has gone
  bool fetchesAsItWalks;  // the driver fetches rows from the server as the walk goes
  const char* bigView;    // a view of about a gigabyte of rows
  const char* outOfMemoryText;
};
// The MariaDB sessions quote names as the insert export does. psqlODBC holds a whole
// static result unless told to fetch it through a server-side cursor, two rows at a time.
const Server kServers[] = {
    {"PostgreSQL", "pg", "QUORLIN_TEST_PG", "", "connection", false,
     "SELECT repeat('x', 1000) AS v FROM generate_series(1, 1000000)", "Out of memory"},
    {"PostgreSQLCursor", "pg", "QUORLIN_TEST_PG", "UseDeclareFetch=1;Fetch=2;", "connection", true,
     "SELECT repeat('x', 1000) AS v FROM generate_series(1, 1000000)", nullptr},
    {"MariaDB", "mariadb", "QUORLIN_TEST_MARIADB",
     "INITSTMT={SET SESSION sql_mode=CONCAT(@@sql_mode,',ANSI_QUOTES')};",
     "Lost connection to server", false, "SELECT REPEAT('x', 1000) AS v FROM seq_1_to_1000000",
     "Client run out of memory"},
};

void PrintTo(const Server& server, std::ostream* out) {
  *out << server.name;
}

class ServerFault : public ::testing::TestWithParam<std::tuple<Server, const Profile*>> {
 protected:
  const Server& server() const { return std::get<0>(GetParam()); }
  const Profile& profile() const { return *std::get<1>(GetParam()); }

  void SetUp() override {
    if (!PrivateServers::problem.empty()) {
      if (ServersRequired()) FAIL() << PrivateServers::problem;
      GTEST_SKIP() << PrivateServers::problem;
    }
    connect_ = PrivateServers::ConnectString(server().envKey) + server().connectSuffix;
    lib_ = &Load(profile());
    alarm(kCaseSeconds);
    lib_->cleanup();
    id_ = lib_->connect(connect_.c_str());
    ASSERT_GE(id_, 0) << LastError();
    for (const char* sql :
         {"DROP TABLE IF EXISTS fault_rows", "CREATE TABLE fault_rows (id INT, name VARCHAR(20))",
          "INSERT INTO fault_rows VALUES (1, 'a'), (2, 'b'), (3, 'c')"}) {
      ASSERT_EQ(lib_->execute(id_, sql), 0) << sql << "\n" << LastError();
    }
  }

  void TearDown() override {
    if (lib_ != nullptr) lib_->cleanup();
    // A case that failed half-way must not leave the next one without its server.
    if (down_) Restart();
    alarm(0);
  }

  std::string LastError() const {
    char text[QUORLIN_LAST_ERROR_SIZE] = {0};
    return lib_->lastError(text, sizeof text) == 0 ? text : "<SQLLastError failed>";
  }

  std::string Field(const char* name) const {
    char value[64] = {0};
    return lib_->field(name, value, sizeof value) == 1 ? value : "<error>";
  }

  // SIGKILL of the server's own pid, as a crash: no shutdown, no goodbye to the clients.
  void Kill() {
    ASSERT_TRUE(PrivateServers::Script(std::string("stop-servers.sh --kill ") + server().script));
    down_ = true;
  }

  void Restart() {
    ASSERT_TRUE(
        PrivateServers::Script(std::string("start-servers.sh --restart ") + server().script));
    down_ = false;
  }

  // A refusal that touches no connection and reads the same in both profiles puts a known
  // text in the last-error text, so a stale message cannot pass for the driver's.
  void MarkLastError() {
    lib_->createTableEx(-12345, 1, "T", nullptr, nullptr, nullptr);
    marker_ = LastError();
  }

  // The call failed because the server has gone, and says so in the driver's words.
  void ExpectLost(const std::function<int()>& call, const char* name) {
    MarkLastError();
    EXPECT_EQ(call(), -1) << name << " on a dead connection";
    lost_ = LastError();
    EXPECT_NE(lost_, marker_) << name;
    EXPECT_NE(lost_.find(server().lostText), std::string::npos) << name << ": " << lost_;
  }

  // After a restart on the same port, the same connect string reaches the server again
  // through a new connection, and nothing of the dead one is left.
  void ExpectRecovery() {
    Restart();
    const int id = lib_->connect(connect_.c_str());
    EXPECT_GT(id, id_) << LastError();
    EXPECT_EQ(lib_->useTable(id_, kTable), -1) << "the dead connection's results are gone";
    EXPECT_EQ(lib_->move(QUORLIN_MOVE_FIRST), -1) << "no current recordset";
    EXPECT_EQ(lib_->rowCount(), profile().rowCountWithoutRecordset);
    ASSERT_EQ(lib_->select(id, kTable, "WHERE id = 3"), 0) << LastError();
    EXPECT_EQ(Field("name"), "c");
    EXPECT_EQ(lib_->connect(connect_.c_str()), id) << "the live new connection is reused";
    std::printf("[ %s / %s ] id %d before the restart, %d after; lost: %s\n", server().name,
                profile().name, id_, id, lost_.substr(0, lost_.find('\n')).c_str());
  }

  std::string connect_;
  const Library* lib_ = nullptr;
  int id_ = -1;
  bool down_ = false;
  std::string marker_, lost_;
};

TEST_P(ServerFault, LiveConnectionKeepsItsIdAndResults) {
  ASSERT_EQ(lib_->select(id_, kTable, ""), 0) << LastError();
  EXPECT_EQ(lib_->connect(connect_.c_str()), id_);
  EXPECT_EQ(lib_->useTable(id_, kTable), 0) << LastError();
  EXPECT_EQ(lib_->rowCount(), 3);
}

TEST_P(ServerFault, KilledMidWalk) {
  // Far more rows than the library reads from the driver at a time, so that walking on
  // needs the server again.
  constexpr int kRows = 3000;
  if (server().fetchesAsItWalks) {
    const std::string more = "INSERT INTO fault_rows SELECT g, 'x' FROM generate_series(4, " +
                             std::to_string(kRows) + ") g";
    ASSERT_EQ(lib_->execute(id_, more.c_str()), 0) << LastError();
  }
  ASSERT_EQ(lib_->select(id_, kTable, "WHERE id > 0 ORDER BY id"), 0) << LastError();
  ASSERT_EQ(lib_->move(QUORLIN_MOVE_NEXT), 0) << LastError();
  ASSERT_EQ(Field("name"), "b");
  Kill();
  if (server().fetchesAsItWalks) {
    int moved = 2;
    ExpectLost(
        [&] {
          int result = 0;
          while (moved < kRows && (result = lib_->move(QUORLIN_MOVE_NEXT)) == 0) ++moved;
          return result;
        },
        "SQLMoveRecord");
    EXPECT_LT(moved, kRows) << "the walk reached the end without the server";
    EXPECT_EQ(Field("name"), "<error>") << "a failed move stands on no record";
    ExpectLost([&] { return lib_->select(id_, kTable, ""); }, "SQLSelectToTable");
  } else {
    // The driver holds the whole result: the walk goes on over the rows it already has,
    // and the connection's loss shows at its next statement.
    EXPECT_EQ(lib_->move(QUORLIN_MOVE_NEXT), 0) << LastError();
    EXPECT_EQ(Field("name"), "c");
    EXPECT_EQ(lib_->move(QUORLIN_MOVE_FIRST), 0) << LastError();
    EXPECT_EQ(Field("name"), "a");
    ExpectLost([&] { return lib_->select(id_, kTable, ""); }, "SQLSelectToTable");
  }
  ExpectRecovery();
}

// A host that calls SQLConnectToDatabase before each use never sees the restart: the idle
// connection is asked once before reuse, found gone and replaced, and the first call on the
// id handed back works (psqlODBC alone would report the connection dead only after a failed
// statement).
TEST_P(ServerFault, FirstCallAfterARestartWorks) {
  ASSERT_EQ(lib_->select(id_, kTable, ""), 0) << LastError();
  Kill();
  Restart();
  // Idle for longer than the bound before the check, whatever the restart took.
  std::this_thread::sleep_for(std::chrono::milliseconds(1100));
  const int id = lib_->connect(connect_.c_str());
  ASSERT_GE(id, 0) << LastError();
  EXPECT_NE(id, id_) << "the dead connection was handed back";
  ASSERT_EQ(lib_->select(id, kTable, "WHERE id = 3"), 0) << LastError();
  EXPECT_EQ(Field("name"), "c");
  std::printf("[ %s / %s ] idle check: id %d before the restart, %d after, first call works\n",
              server().name, profile().name, id_, id);
}

TEST_P(ServerFault, KilledBeforeSelect) {
  ASSERT_EQ(lib_->select(id_, kTable, ""), 0) << LastError();
  Kill();
  ExpectLost([&] { return lib_->select(id_, kTable, "WHERE id = 1"); }, "SQLSelectToTable");
  ExpectRecovery();
}

TEST_P(ServerFault, KilledBeforeInsert) {
  ASSERT_EQ(lib_->select(id_, kTable, ""), 0) << LastError();
  Kill();
  const int types[] = {QUORLIN_TYPE_NUMERIC, QUORLIN_TYPE_CHAR};
  std::string names(2 * QUORLIN_VALUE_SLOT_SIZE, '\0'), values = names;
  names.replace(0, 2, "id").replace(QUORLIN_VALUE_SLOT_SIZE, 4, "name");
  values.replace(0, 1, "4").replace(QUORLIN_VALUE_SLOT_SIZE, 1, "d");
  ExpectLost([&] { return lib_->insert(id_, 2, kTable, types, names.data(), values.data()); },
             "SQLInsertRecordEx");
  ExpectRecovery();
}

// Caps the process's address space at what it maps now plus headroom, for as long as it lives.
// AddressSanitizer reserves terabytes of address space, so a sanitised build cannot be capped.
class AddressSpaceCap {
 public:
  explicit AddressSpaceCap(std::size_t headroomBytes) {
    getrlimit(RLIMIT_AS, &m_saved);
    std::ifstream status("/proc/self/status");
    std::size_t mappedKb = 0;
    for (std::string line; std::getline(status, line);) {
      if (line.rfind("VmSize:", 0) == 0) mappedKb = std::stoul(line.substr(7));
    }
    rlimit capped = m_saved;
    capped.rlim_cur = mappedKb * 1024 + headroomBytes;
    m_capped = mappedKb > 0 && setrlimit(RLIMIT_AS, &capped) == 0;
  }
  ~AddressSpaceCap() { setrlimit(RLIMIT_AS, &m_saved); }
  AddressSpaceCap(const AddressSpaceCap&) = delete;
  AddressSpaceCap& operator=(const AddressSpaceCap&) = delete;
  bool Capped() const { return m_capped; }

 private:
  rlimit m_saved{};
  bool m_capped = false;
};

#if !defined(__SANITIZE_ADDRESS__)
// A driver that ran out of memory is not safe to call again (MariaDB's crashes on the next call
// of that connection; psqlODBC keeps the half-read result and fails every later call): the
// connection goes as a dead one, results and all, and the connect string gets a new one. A
// server-side cursor (UseDeclareFetch) keeps the driver's memory flat, so there the same select
// works under the same cap.
TEST_P(ServerFault, DriverOutOfMemoryEndsTheConnection) {
  const std::string view = std::string("CREATE OR REPLACE VIEW big_rows AS ") + server().bigView;
  ASSERT_EQ(lib_->execute(id_, view.c_str()), 0) << LastError();
  ASSERT_EQ(lib_->select(id_, kTable, ""), 0) << LastError();
  int selected = 0;
  {
    const AddressSpaceCap cap(256u << 20);
    ASSERT_TRUE(cap.Capped());
    MarkLastError();
    selected = lib_->select(id_, "big_rows", "");
    if (server().outOfMemoryText == nullptr) {
      ASSERT_EQ(selected, 0) << LastError();
      for (int i = 0; i < 1000; ++i) ASSERT_EQ(lib_->move(QUORLIN_MOVE_NEXT), 0) << LastError();
      std::string value(1001, '\0');
      ASSERT_EQ(lib_->field("v", value.data(), static_cast<unsigned>(value.size())), 1);
      EXPECT_EQ(value.c_str(), std::string(1000, 'x'));
    }
  }
  if (server().outOfMemoryText == nullptr) {
    EXPECT_EQ(lib_->connect(connect_.c_str()), id_) << "the connection stays";
    std::printf("[ %s / %s ] 1 GB result under a 256 MB cap: walked\n", server().name,
                profile().name);
    return;
  }
  EXPECT_EQ(selected, -1);
  const std::string failure = LastError();
  EXPECT_NE(failure.find(server().outOfMemoryText), std::string::npos) << failure;
  // Refused without a word to the driver: the id and its results are gone.
  EXPECT_EQ(lib_->useTable(id_, kTable), -1) << "the closed connection's results are gone";
  EXPECT_EQ(lib_->move(QUORLIN_MOVE_FIRST), -1) << "no current recordset";
  EXPECT_EQ(lib_->execute(id_, "SELECT 1"), -1) << "the closed id runs nothing";
  const int id = lib_->connect(connect_.c_str());
  EXPECT_GT(id, id_) << LastError();
  ASSERT_EQ(lib_->select(id, kTable, "WHERE id = 3"), 0) << LastError();
  EXPECT_EQ(Field("name"), "c");
  std::printf("[ %s / %s ] out of memory under a 256 MB cap: id %d closed, %d new; said: %s\n",
              server().name, profile().name, id_, id,
              failure.substr(0, failure.find('\n')).c_str());
}
#endif

INSTANTIATE_TEST_SUITE_P(Servers, ServerFault,
                         ::testing::Combine(::testing::ValuesIn(kServers),
                                            ::testing::Values(&kProfiles[0], &kProfiles[1])),
                         [](const auto& info) {
                           return std::string(std::get<0>(info.param).name) +
                                  std::get<1>(info.param)->name;
                         });

const auto* const kServersEnvironment = ::testing::AddGlobalTestEnvironment(new PrivateServers);

}  // namespace
