// What the connection dialog asks for and the connect strings it makes, without a display;
// and the answers of the real drivers turned into strings that connect again.
#include "platform/linux/connection_form.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/database.h"
#include "profiles/dialects.h"
#include "temp_dir.h"

namespace quorlin::platform {
namespace {

using Fields = std::vector<std::pair<std::string, std::string>>;

ConnectionSource Driver(const std::string& name, const std::string& library = {}) {
  ConnectionSource source;
  source.kind = SourceKind::kDriver;
  source.name = name;
  if (!library.empty()) source.attributes = {{"Driver", library}};
  return source;
}

ConnectionSource DataSource(const std::string& name, const std::string& driver) {
  ConnectionSource source;
  source.kind = SourceKind::kDataSource;
  source.name = name;
  source.description = driver;
  return source;
}

TEST(ConnectionForm, FileDatabaseDriversAskForTheDatabaseOnly) {
  EXPECT_EQ(FieldsFor(Driver("SQLite3")), std::vector<std::string>{"Database"});
  // Known by its library when its name says nothing.
  EXPECT_EQ(FieldsFor(Driver("Local files", "/usr/lib/x86_64-linux-gnu/odbc/libsqlite3odbc.so")),
            std::vector<std::string>{"Database"});
}

TEST(ConnectionForm, ServerDriversAskForServerPortDatabaseUserAndPassword) {
  const std::vector<std::string> server{"Server", "Port", "Database", "UID", "PWD"};
  EXPECT_EQ(FieldsFor(Driver("PostgreSQL")), server);
  EXPECT_EQ(FieldsFor(Driver("MariaDB")), server);
  EXPECT_EQ(FieldsFor(Driver("Some other server")), server);
  EXPECT_EQ(DefaultPort(Driver("PostgreSQL ANSI")), "5432");
  EXPECT_EQ(DefaultPort(Driver("MySQL ODBC 3.51 Driver")), "3306");
  EXPECT_EQ(DefaultPort(Driver("MariaDB Unicode")), "3306");
  EXPECT_EQ(DefaultPort(Driver("Some other server")), "");
}

TEST(ConnectionForm, DataSourcesAskOnlyForWhatTheirDefinitionLacks) {
  EXPECT_EQ(FieldsFor(DataSource("Sales", "PostgreSQL")), (std::vector<std::string>{"UID", "PWD"}));
  EXPECT_TRUE(FieldsFor(DataSource("Local", "SQLite3")).empty());
}

TEST(ConnectionForm, ConnectStringNamesTheSourceAndSkipsEmptyFields) {
  EXPECT_EQ(ComposeConnectString(Driver("SQLite3"), {{"Database", "/tmp/a.db"}}, ""),
            "DRIVER=SQLite3;Database=/tmp/a.db");
  EXPECT_EQ(ComposeConnectString(Driver("PostgreSQL"),
                                 {{"Server", "db"}, {"Port", ""}, {"UID", "u"}, {"PWD", ""}}, ""),
            "DRIVER=PostgreSQL;Server=db;UID=u");
  EXPECT_EQ(ComposeConnectString(DataSource("Sales", "PostgreSQL"), {{"UID", "u"}}, ""),
            "DSN=Sales;UID=u");
}

TEST(ConnectionForm, ValuesASemicolonWouldSplitGoInBraces) {
  EXPECT_EQ(ComposeConnectString(Driver("PostgreSQL"), {{"PWD", "a;b"}, {"UID", " padded "}}, ""),
            "DRIVER=PostgreSQL;PWD={a;b};UID={ padded }");
}

TEST(ConnectionForm, FurtherAttributesFollowAsTyped) {
  EXPECT_EQ(
      ComposeConnectString(Driver("SQLite3"), {{"Database", "x.db"}}, " ;Timeout=5;NoTXN=1; "),
      "DRIVER=SQLite3;Database=x.db;Timeout=5;NoTXN=1");
}

TEST(ConnectionForm, MySqlDriverChosenInTheDialogKeepsItsDialect) {
  const std::string connect =
      ComposeConnectString(Driver("MySQL ODBC 3.51 Driver"), {{"Server", "127.0.0.1"}}, "");
  EXPECT_EQ(connect, "DRIVER=MySQL ODBC 3.51 Driver;Server=127.0.0.1");
  EXPECT_EQ(profile::DetectMySqlDialect(connect), 1);
}

TEST(ConnectionForm, SplitKeepsBracedValuesWhole) {
  EXPECT_EQ(SplitConnectString("DRIVER={A;B};PWD={x;y};UID=u;junk;Last="),
            (Fields{{"DRIVER", "{A;B}"}, {"PWD", "{x;y}"}, {"UID", "u"}, {"Last", ""}}));
}

TEST(ConnectionForm, AnswerWithoutItsSourceGetsTheSourceThatWasSent) {
  EXPECT_EQ(ReconnectableConnectString("DSN=;Database=/tmp/a.db;Timeout=;PWD=",
                                       "DRIVER=SQLite3;Database=/tmp/a.db"),
            "DRIVER=SQLite3;Database=/tmp/a.db;Timeout=;PWD=");
  EXPECT_EQ(ReconnectableConnectString("DATABASE=q;SERVER=h", "DSN=Sales;UID=u"),
            "DSN=Sales;DATABASE=q;SERVER=h");
}

TEST(ConnectionForm, AnswerNamingItsSourceIsKeptAsItIs) {
  EXPECT_EQ(ReconnectableConnectString("DSN=Sales;UID=u;PWD=p", "DSN=Sales"),
            "DSN=Sales;UID=u;PWD=p");
  EXPECT_EQ(ReconnectableConnectString("DRIVER={MariaDB};SERVER=h", "DRIVER=MariaDB;Server=h"),
            "DRIVER={MariaDB};SERVER=h");
  EXPECT_EQ(ReconnectableConnectString("", "DRIVER=SQLite3;Database=x"),
            "DRIVER=SQLite3;Database=x");
}

// The SQLite driver's own completed string does not connect again; the repaired one does.
TEST(ConnectionForm, SqliteDriversAnswerRepairedConnectsAgain) {
  test::TempDir dir;
  const std::string sent = "DRIVER=SQLite3;Database=" + dir.Path("answer.db");
  CDatabase first;
  ASSERT_TRUE(first.OpenEx(sent, CDatabase::noOdbcDialog));
  const std::string answer = first.GetConnect().substr(5);
  first.Close();

  CDatabase asAnswered;
  EXPECT_THROW(asAnswered.OpenEx(answer, CDatabase::noOdbcDialog), std::exception)
      << "the driver's answer connects again by itself now: " << answer;
  CDatabase repaired;
  EXPECT_TRUE(repaired.OpenEx(ReconnectableConnectString(answer, sent), CDatabase::noOdbcDialog));
}

}  // namespace
}  // namespace quorlin::platform
