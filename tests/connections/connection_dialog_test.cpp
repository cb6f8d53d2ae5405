// The connection dialog of SQLGetConnect and SQLGetDataSourceDesc on a virtual display,
// driven by its controls from inside the test process (which shares the toolkit with the
// library), on the real driver manager and drivers listed in a configuration of the test's
// own. Each case runs in a process of its own.
#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>
#include <wx/button.h>
#include <wx/choice.h>
#include <wx/radiobut.h>
#include <wx/textctrl.h>

#include <clocale>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "artefacts.h"
#include "modal_dialog_script.h"
#include "quorlin.h"
#include "temp_dir.h"
#include "watcher_log.h"

namespace quorlin::test {
namespace {

using Step = ModalDialogScript::Step;

constexpr char kDataSourceName[] = "QuorlinDialogTest";

bool IsConnectionDialog(wxDialog& dialog) {
  return dialog.GetName() == "QuorlinConnectionDialog";
}

std::string LastError() {
  char buffer[QUORLIN_LAST_ERROR_SIZE] = {};
  if (SQLLastError(buffer, sizeof buffer) != 0) return "<SQLLastError failed>";
  return buffer;
}

// A known last-error text: message 1603, from a select on no connection.
std::string MarkLastError() {
  SQLSelectToTable(-12345, "T", "");
  return LastError();
}

// A loopback port nobody listens on, so that a server driver is refused at once.
int UnusedLoopbackPort() {
  const int probe = socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t length = sizeof address;
  const bool bound = bind(probe, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
                     getsockname(probe, reinterpret_cast<sockaddr*>(&address), &length) == 0;
  close(probe);
  return bound ? ntohs(address.sin_port) : 1;
}

// The key=value pairs of a test server's connect string.
std::map<std::string, std::string> Attributes(const std::string& connect) {
  std::map<std::string, std::string> pairs;
  std::size_t start = 0;
  while (start < connect.size()) {
    const std::size_t end = std::min(connect.find(';', start), connect.size());
    const std::string pair = connect.substr(start, end - start);
    const std::size_t equals = pair.find('=');
    if (equals != std::string::npos) pairs[pair.substr(0, equals)] = pair.substr(equals + 1);
    start = end + 1;
  }
  return pairs;
}

void Send(wxWindow& control, wxEventType type, int selection) {
  wxCommandEvent event(type, control.GetId());
  event.SetEventObject(&control);
  event.SetInt(selection);
  control.GetEventHandler()->ProcessEvent(event);
}

class ConnectionDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    QUORLIN_REQUIRE_WATCHER();
    // The drivers of the test's own configuration: SQLite3, PostgreSQL, MariaDB and
    // "MySQL ODBC 3.51 Driver", and one data source on an SQLite file.
    const std::string configure =
        std::string("bash '") + QUORLIN_MAKE_ODBCINST + "' '" + m_dir.Path("odbc") + "'";
    if (std::system(configure.c_str()) != 0) {
      if (GuiRequired()) FAIL() << "the ODBC drivers are missing (scripts/setup-debian.sh)";
      GTEST_SKIP() << "the ODBC drivers are missing";
    }
    std::ofstream(m_dir.Path("odbc/odbc.ini"), std::ios::app)
        << "[" << kDataSourceName << "]\nDriver=SQLite3\nDatabase=" << m_dir.Path("dsn.db") << "\n";
    setenv("ODBCSYSINI", m_dir.Path("odbc").c_str(), 1);
  }

  // Steps an operator takes.
  Step ChooseDriver(const std::string& driver) {
    return Do([this, driver](wxDialog& dialog) {
      auto* useDriver = FindControl<wxRadioButton>(dialog, "UseDriver");
      auto* drivers = FindControl<wxChoice>(dialog, "Driver");
      if (useDriver == nullptr || drivers == nullptr) return m_script.Fail("no driver controls");
      useDriver->SetValue(true);
      Send(*useDriver, wxEVT_RADIOBUTTON, 1);
      if (!drivers->SetStringSelection(driver)) return m_script.Fail("no driver " + driver);
      Send(*drivers, wxEVT_CHOICE, drivers->GetSelection());
    });
  }
  Step ChooseDataSource(const std::string& name) {
    return Do([this, name](wxDialog& dialog) {
      auto* useDataSource = FindControl<wxRadioButton>(dialog, "UseDataSource");
      auto* sources = FindControl<wxChoice>(dialog, "DataSource");
      if (useDataSource == nullptr || sources == nullptr)
        return m_script.Fail("no source controls");
      useDataSource->SetValue(true);
      Send(*useDataSource, wxEVT_RADIOBUTTON, 1);
      if (!sources->SetStringSelection(name)) return m_script.Fail("no data source " + name);
      Send(*sources, wxEVT_CHOICE, sources->GetSelection());
    });
  }
  Step Fill(const std::string& key, const std::string& value) {
    return Do([this, key, value](wxDialog& dialog) {
      auto* field = FindControl<wxTextCtrl>(dialog, key);
      if (field == nullptr || !field->IsShown()) return m_script.Fail("no field " + key + " shown");
      field->SetValue(wxString::FromUTF8(value));
    });
  }
  Step Click(const std::string& name) {
    return Do([this, name](wxDialog& dialog) {
      wxWindow* button = FindControl<wxButton>(dialog, name);
      if (button == nullptr || !ClickButton(*button)) m_script.Fail("cannot click " + name);
    });
  }
  Step ClickId(int id) {
    return Do([this, id](wxDialog& dialog) {
      wxWindow* button = dialog.FindWindow(id);
      if (button == nullptr || !ClickButton(*button)) m_script.Fail("cannot click a button");
    });
  }
  // Waits for the outcome of Test, notes it, and that the dialog is still there.
  Step ReadStatus(std::string& status, bool& stillOpen) {
    return [&status, &stillOpen](wxDialog& dialog) {
      auto* field = FindControl<wxTextCtrl>(dialog, "Status");
      if (field == nullptr || field->GetValue().empty()) return false;
      status = field->GetValue().utf8_string();
      stillOpen = dialog.IsShown() && dialog.IsModal();
      return true;
    };
  }
  Step Photograph(const std::string& name) {
    return Do([this, name](wxDialog& dialog) {
      if (!SaveScreenshot(dialog, ArtefactPath(name))) m_script.Fail("no screenshot " + name);
    });
  }
  // Which attribute fields the dialog shows now.
  Step ReadShownFields(std::vector<std::string>& shown) {
    return Do([&shown](wxDialog& dialog) {
      shown.clear();
      for (const char* key : {"Server", "Port", "Database", "UID", "PWD", "Browse"}) {
        wxWindow* control = wxWindow::FindWindowByName(key, &dialog);
        if (control != nullptr && control->IsShown()) shown.push_back(key);
      }
    });
  }

  // The operator's way through the dialog to an SQLite file, confirmed with OK.
  std::vector<Step> SqliteSteps() {
    return {ChooseDriver("SQLite3"), Fill("Database", m_dir.Path("chosen.db")), ClickId(wxID_OK)};
  }
  std::vector<Step> RefusedServerSteps() {
    return {ChooseDriver("PostgreSQL"), Fill("Server", "127.0.0.1"),
            Fill("Port", std::to_string(UnusedLoopbackPort())), Fill("Database", "nothing"),
            Fill("UID", "nobody")};
  }

  void ExpectScriptRanThrough(int dialogs) {
    EXPECT_EQ(m_script.DialogsOpened(), dialogs);
    EXPECT_TRUE(m_script.Failures().empty()) << m_script.FailureText();
  }

  TempDir m_dir;
  ModalDialogScript m_script{IsConnectionDialog};
};

TEST_F(ConnectionDialogTest, SqliteDriverTestedThenConfirmedGivesAConnectStringThatConnects) {
  std::string status;
  bool stillOpen = false;
  std::vector<std::string> shown;
  m_script.Script({ChooseDriver("SQLite3"), ReadShownFields(shown),
                   Fill("Database", m_dir.Path("chosen.db")), Click("Test"),
                   ReadStatus(status, stillOpen), Photograph("connection_dialog.png"),
                   ClickId(wxID_OK)});
  char buffer[2048];
  std::memset(buffer, '#', sizeof buffer);

  const int result = SQLGetConnect(buffer, sizeof buffer);

  ExpectScriptRanThrough(1);
  EXPECT_EQ(shown, (std::vector<std::string>{"Database", "Browse"}));
  EXPECT_EQ(status, "Connection succeeded.");
  EXPECT_TRUE(stillOpen) << "Test leaves the dialog open";
  ASSERT_EQ(result, 1);
  const std::string connect = buffer;
  EXPECT_EQ(connect.rfind("DRIVER=SQLite3;", 0), 0u) << connect;
  EXPECT_NE(connect.find("Database=" + m_dir.Path("chosen.db")), std::string::npos) << connect;
  const int id = SQLConnectToDatabase(buffer);
  ASSERT_GE(id, 0) << LastError();
  EXPECT_EQ(SQLExcute(id, "CREATE TABLE Chosen (A INTEGER)"), 0) << LastError();
  SQLDisconnectToDatabase(id);
  EXPECT_GT(std::filesystem::file_size(m_dir.Path("chosen.db")), 0u);
}

TEST_F(ConnectionDialogTest, BufferExactlyTheStringsLengthGivesZeroAndOneMoreGivesOne) {
  char buffer[2048];
  m_script.Script(SqliteSteps());
  ASSERT_EQ(SQLGetConnect(buffer, sizeof buffer), 1);
  const std::string chosen = buffer;
  const unsigned length = static_cast<unsigned>(chosen.size());

  std::memset(buffer, '#', sizeof buffer);
  m_script.Script(SqliteSteps());
  EXPECT_EQ(SQLGetConnect(buffer, length), 0);
  EXPECT_EQ(buffer[0], '\0');
  EXPECT_EQ(buffer[1], '#') << "nothing beyond the empty text is written";

  m_script.Script(SqliteSteps());
  EXPECT_EQ(SQLGetDataSourceDesc(buffer, length + 1), 1);
  EXPECT_EQ(std::string(buffer), chosen);
  ExpectScriptRanThrough(3);
}

TEST_F(ConnectionDialogTest, CancelGivesZeroAndAnEmptyBuffer) {
  const std::string marker = MarkLastError();
  m_script.Script(
      {ChooseDriver("SQLite3"), Fill("Database", m_dir.Path("never.db")), ClickId(wxID_CANCEL)});
  char buffer[256];
  std::memset(buffer, '#', sizeof buffer);

  EXPECT_EQ(SQLGetConnect(buffer, sizeof buffer), 0);

  ExpectScriptRanThrough(1);
  EXPECT_EQ(buffer[0], '\0');
  EXPECT_EQ(buffer[1], '#');
  EXPECT_EQ(LastError(), marker) << "cancelling reports nothing";
  EXPECT_FALSE(std::filesystem::exists(m_dir.Path("never.db"))) << "nothing was connected";

  m_script.Script({ClickId(wxID_CANCEL)});
  std::memset(buffer, '#', sizeof buffer);
  EXPECT_EQ(SQLGetDataSourceDesc(buffer, sizeof buffer), 0);
  EXPECT_EQ(buffer[0], '\0');
  EXPECT_EQ(m_script.DialogsOpened(), 2);
}

TEST_F(ConnectionDialogTest, RefusedConnectionShowsTheDriversMessageAndTheDialogStaysOpen) {
  std::string status;
  bool stillOpen = false;
  std::vector<std::string> shown;
  std::vector<Step> steps = RefusedServerSteps();
  steps.insert(steps.begin() + 1, ReadShownFields(shown));
  steps.push_back(Click("Test"));
  steps.push_back(ReadStatus(status, stillOpen));
  steps.push_back(Photograph("connection_dialog_refused.png"));
  steps.push_back(ClickId(wxID_CANCEL));
  m_script.Script(steps);
  char buffer[256];

  EXPECT_EQ(SQLGetConnect(buffer, sizeof buffer), 0);

  ExpectScriptRanThrough(1);
  EXPECT_EQ(shown, (std::vector<std::string>{"Server", "Port", "Database", "UID", "PWD"}));
  EXPECT_EQ(status.rfind("Connection failed:", 0), 0u) << status;
  EXPECT_NE(status.find("refused"), std::string::npos) << "the driver's own message: " << status;
  EXPECT_TRUE(stillOpen);
  EXPECT_EQ(buffer[0], '\0');
}

TEST_F(ConnectionDialogTest, DataSourceDescRecordsTheDriversErrorInTheLastErrorText) {
  std::vector<Step> steps = RefusedServerSteps();
  steps.push_back(ClickId(wxID_OK));
  m_script.Script(steps);
  char buffer[256];
  std::memset(buffer, '#', sizeof buffer);

  EXPECT_EQ(SQLGetDataSourceDesc(buffer, sizeof buffer), 0);

  ExpectScriptRanThrough(1);
  EXPECT_EQ(buffer[0], '\0');
  EXPECT_NE(LastError().find("refused"), std::string::npos) << LastError();
  EXPECT_TRUE(m_script.MessageBoxes().empty()) << "shown only in debug mode";
}

TEST_F(ConnectionDialogTest, GetConnectShowsTheDriversErrorInAMessageBoxOnly) {
  const std::string marker = MarkLastError();
  std::vector<Step> steps = RefusedServerSteps();
  steps.push_back(ClickId(wxID_OK));
  m_script.Script(steps);
  char buffer[256];

  EXPECT_EQ(SQLGetConnect(buffer, sizeof buffer), 0);

  ExpectScriptRanThrough(1);
  ASSERT_EQ(m_script.MessageBoxes().size(), 1u);
  EXPECT_NE(m_script.MessageBoxes()[0].utf8_string().find("refused"), std::string::npos)
      << m_script.MessageBoxes()[0];
  EXPECT_EQ(LastError(), marker) << "SQLGetConnect leaves the last-error text alone";
}

TEST_F(ConnectionDialogTest, DataSourceFromTheListConnects) {
  std::vector<std::string> shown;
  m_script.Script({ChooseDataSource(kDataSourceName), ReadShownFields(shown), ClickId(wxID_OK)});
  char buffer[2048];

  ASSERT_EQ(SQLGetDataSourceDesc(buffer, sizeof buffer), 1) << LastError();

  ExpectScriptRanThrough(1);
  EXPECT_TRUE(shown.empty()) << "an SQLite data source needs nothing more";
  EXPECT_EQ(std::string(buffer).rfind(std::string("DSN=") + kDataSourceName, 0), 0u) << buffer;
  const int id = SQLConnectToDatabase(buffer);
  ASSERT_GE(id, 0) << LastError();
  EXPECT_EQ(SQLExcute(id, "CREATE TABLE FromDsn (A INTEGER)"), 0) << LastError();
  SQLDisconnectToDatabase(id);
  EXPECT_TRUE(std::filesystem::exists(m_dir.Path("dsn.db")));
}

TEST_F(ConnectionDialogTest, HostLocaleIsTheSameAfterTheDialog) {
  ASSERT_NE(std::setlocale(LC_ALL, "C"), nullptr);
  const char* numeric = std::setlocale(LC_NUMERIC, "de_DE.UTF-8");
  if (numeric == nullptr && GuiRequired()) FAIL() << "locale de_DE.UTF-8 is required";
  const std::string before = std::setlocale(LC_ALL, nullptr);
  m_script.Script({ChooseDriver("SQLite3"), ClickId(wxID_CANCEL)});
  char buffer[64];

  EXPECT_EQ(SQLGetConnect(buffer, sizeof buffer), 0);

  EXPECT_EQ(std::setlocale(LC_ALL, nullptr), before);
  ExpectScriptRanThrough(1);
  std::setlocale(LC_ALL, "C");
}

// The test servers (tests/servers/start-servers.sh), reached by filling in the dialog's
// fields from their connect strings.
class ConnectionDialogServers : public ConnectionDialogTest,
                                public ::testing::WithParamInterface<const char*> {};

TEST_P(ConnectionDialogServers, ServerFieldsFilledInConnectAndTheStringConnectsAgain) {
  const char* connect = std::getenv(GetParam());
  if (connect == nullptr || *connect == '\0') {
    if (GuiRequired()) FAIL() << GetParam() << " is required";
    GTEST_SKIP() << GetParam() << " is not set: no test server";
  }
  std::map<std::string, std::string> server = Attributes(connect);
  std::string status;
  bool stillOpen = false;
  m_script.Script({ChooseDriver(server["Driver"]), Fill("Server", server["Server"]),
                   Fill("Port", server["Port"]), Fill("Database", server["Database"]),
                   Fill("UID", server["UID"]), Fill("PWD", server["PWD"]), Click("Test"),
                   ReadStatus(status, stillOpen), ClickId(wxID_OK)});
  char buffer[4096];

  ASSERT_EQ(SQLGetConnect(buffer, sizeof buffer), 1);

  ExpectScriptRanThrough(1);
  EXPECT_EQ(status, "Connection succeeded.");
  const int id = SQLConnectToDatabase(buffer);
  EXPECT_GE(id, 0) << buffer << ": " << LastError();
  SQLDisconnectToDatabase(id);
}

INSTANTIATE_TEST_SUITE_P(TestServers, ConnectionDialogServers,
                         ::testing::Values("QUORLIN_TEST_PG", "QUORLIN_TEST_MARIADB"));

}  // namespace
}  // namespace quorlin::test
