// The dialogs with no display to show them on (the runner starts programs without one).
// The connection dialog is the driver manager's on Windows; behind Wine's ODBC that is
// unixODBC, which has none and answers as for a missing data source.
#include <gtest/gtest.h>
#include <windows.h>

#include <atomic>
#include <cstring>
#include <string>
#include <thread>

#include "test_support.h"

namespace quorlin::test {
namespace {

// Should a window appear after all (a desktop that takes windows nobody sees), a modal one
// would wait for ever: this operator closes whatever this process shows while it lives, so
// that the case fails instead of hanging.
class Operator {
 public:
  Operator() : m_thread([this] { Watch(); }) {}
  ~Operator() {
    m_stop = true;
    m_thread.join();
  }
  int WindowsClosed() const { return m_closed; }

 private:
  void Watch() {
    while (!m_stop) {
      EnumWindows(&Operator::CloseOurs, reinterpret_cast<LPARAM>(this));
      Sleep(50);
    }
  }
  static BOOL CALLBACK CloseOurs(HWND window, LPARAM self) {
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process == GetCurrentProcessId() && IsWindowVisible(window)) {
      PostMessageW(window, WM_CLOSE, 0, 0);
      ++reinterpret_cast<Operator*>(self)->m_closed;
    }
    return TRUE;
  }

  std::atomic<bool> m_stop{false};
  std::atomic<int> m_closed{0};
  std::thread m_thread;
};

// SQLGetConnect shows the answer in a message box (which fails unseen without a display);
// SQLGetDataSourceDesc keeps it in the last-error text.
TEST(DialogsWithoutADisplay, ConnectionDialogsReportTheDriverManagersAnswerAndReturnZero) {
  const Operator closesWhatAppears;
  using DialogExport = int(QUORLIN_CALL*)(char*, unsigned int);
  for (DialogExport dialog : {DialogExport{&SQLGetConnect}, DialogExport{&SQLGetDataSourceDesc}}) {
    char buffer[64];
    std::memset(buffer, '#', sizeof buffer);
    MarkLastError();
    EXPECT_EQ(dialog(buffer, sizeof buffer), 0);
    EXPECT_EQ(closesWhatAppears.WindowsClosed(), 0) << "a window appeared without a display";
    EXPECT_EQ(buffer[0], '\0');
    EXPECT_EQ(buffer[1], '#');
    if (dialog == &SQLGetDataSourceDesc) {
      EXPECT_NE(LastError().find("Data source name not found"), std::string::npos) << LastError();
    }
    std::memset(buffer, '#', sizeof buffer);
    EXPECT_EQ(dialog(buffer, 0), 0);
    EXPECT_EQ(buffer[0], '#') << "a size of 0 writes nothing";
  }
}

TEST(DialogsWithoutADisplay, ViewDataReturnsWithAReason) {
  const Backend sqlite = SqliteBackend();
  const int id = SQLConnectToDatabase(sqlite.connect.c_str());
  ASSERT_GE(id, 0) << LastError();
  Exec(id, "CREATE TABLE T (A INTEGER)");
  Exec(id, "INSERT INTO T VALUES (1)");
  ASSERT_EQ(SQLSelectToTable(id, "T", ""), 0) << LastError();
  MarkLastError();
  {
    const Operator closesWhatAppears;
    SQLDisplay(10);
    EXPECT_EQ(closesWhatAppears.WindowsClosed(), 0) << "a window appeared without a display";
  }
  EXPECT_NE(LastError(), kMarker);
  EXPECT_EQ(Field("A"), "1") << "the recordset stays where it was";
  SQLDisconnectToDatabase(id);
}

}  // namespace
}  // namespace quorlin::test
