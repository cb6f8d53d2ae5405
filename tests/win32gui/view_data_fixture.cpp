#include "view_data_fixture.h"

#include <cstdlib>

#include "profiles/legacy_template.h"

namespace quorlin::test {
namespace {

std::string Environment(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr ? value : "";
}

std::vector<DialogExpectations> AllExpectations() {
  const auto& english = resources::ViewDataTemplate(false);
  const auto& chinese = resources::ViewDataTemplate(true);
  const auto& legacy = profile::LegacyViewDataTemplate(true);
  // The legacy library is Chinese whatever the interface language.
  return {
      {"full-en", false, false, L"View data", L"No data", &english},
      {"full-zh", false, true, L"查看数据", L"无数据", &chinese},
      {"legacy-en", true, false, L"查看数据", L"无数据", &legacy},
      {"legacy-zh", true, true, L"查看数据", L"无数据", &legacy},
  };
}

}  // namespace

std::unique_ptr<LibraryUnderTest> ViewDataDialogTest::s_library;

const DialogExpectations& Expected() {
  static const std::vector<DialogExpectations> all = AllExpectations();
  const std::string name =
      Environment("QUORLIN_WIN32GUI_PROFILE") + "-" + Environment("QUORLIN_WIN32GUI_LANGUAGE");
  for (const auto& expectations : all) {
    if (expectations.name == name) return expectations;
  }
  static const DialogExpectations unknown = {name, false, false, L"", L"", nullptr};
  return unknown;
}

std::wstring Wide(const char* utf8) {
  const int length = MultiByteToWideChar(CP_UTF8, 0, utf8, -1, nullptr, 0);
  std::wstring text(static_cast<std::size_t>(length > 0 ? length : 1), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8, -1, text.data(), length);
  text.resize(text.size() - 1);
  return text;
}

std::vector<std::wstring> IdTexts(int first, int last) {
  std::vector<std::wstring> ids;
  for (int id = first; id <= last; ++id) ids.push_back(std::to_wstring(id));
  return ids;
}

void ViewDataDialogTest::SetUpTestSuite() {
  s_library = std::make_unique<LibraryUnderTest>(Environment("QUORLIN_WIN32GUI_LIBRARY"));
}

void ViewDataDialogTest::SetUp() {
  ASSERT_NE(Expected().dialogTemplate, nullptr)
      << "unknown profile and language '" << Expected().name << "'";
  ASSERT_TRUE(s_library->Loaded() && s_library->Problem().empty()) << s_library->Problem();
  m_id = Library().connect(("Driver=SQLite3;Database=" + m_dir.Path("gui.db")).c_str());
  ASSERT_GE(m_id, 0) << LastError();
}

void ViewDataDialogTest::TearDown() {
  if (s_library->Loaded() && s_library->Problem().empty()) Library().cleanup();
  for (const std::string& failure : m_operator.Failures()) ADD_FAILURE() << failure;
}

std::string ViewDataDialogTest::LastError() const {
  char text[QUORLIN_LAST_ERROR_SIZE] = {};
  Library().lastError(text, sizeof text);
  return text;
}

void ViewDataDialogTest::Exec(const std::string& sql) {
  ASSERT_EQ(Library().execute(m_id, sql.c_str()), 0) << sql << ": " << LastError();
}

void ViewDataDialogTest::SelectRecords(int count) {
  Exec("CREATE TABLE T (ID INTEGER, Name TEXT)");
  Exec("BEGIN");
  for (int id = 1; id <= count; ++id) {
    Exec("INSERT INTO T VALUES (" + std::to_string(id) + ", 'name " + std::to_string(id) + "')");
  }
  Exec("COMMIT");
  // The legacy profile puts WHERE in front of a condition that starts with ORDER.
  ASSERT_EQ(Library().select(m_id, "T", "WHERE ID > 0 ORDER BY ID"), 0) << LastError();
}

std::string ViewDataDialogTest::CurrentField(const char* name) const {
  char value[256] = {};
  if (Library().fieldValue(name, value, sizeof value - 1) != 1) return "<no record>";
  return value;
}

void ViewDataDialogTest::Display(int rowsPerPage, std::vector<DialogOperator::Step> script) {
  const int opened = m_operator.DialogsOpened();
  m_operator.Run([&] { Library().display(rowsPerPage); }, std::move(script));
  EXPECT_EQ(m_operator.DialogsOpened(), opened + 1) << LastError();
}

}  // namespace quorlin::test
