#pragma once

// The View data dialog of a library loaded by path, on a virtual display under Wine, driven
// from threads of the test program. Which library, which profile it was built with and which
// interface language Windows was started in come from the environment
// (QUORLIN_WIN32GUI_LIBRARY, QUORLIN_WIN32GUI_PROFILE full|legacy, QUORLIN_WIN32GUI_LANGUAGE
// en|zh), so that one set of cases runs for each library and language.
#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <string>
#include <vector>

#include "dialog_operator.h"
#include "dialog_state.h"
#include "library_under_test.h"
#include "resources/view_data_template.h"
#include "temp_dir.h"

namespace quorlin::test {

// What the dialog looks like for one library in one interface language.
struct DialogExpectations {
  std::string name;  // for file names and messages: "full-en" and so on
  bool legacy;
  bool chinese;  // the interface language Windows was started in
  std::wstring title;
  std::wstring noData;
  const resources::DialogTemplate* dialogTemplate;
};

// The expectations for the environment this program runs in; fails the case when the
// environment names no library or an unknown profile or language.
const DialogExpectations& Expected();

std::wstring Wide(const char* utf8);
std::vector<std::wstring> IdTexts(int first, int last);

class ViewDataDialogTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite();
  static void TearDownTestSuite() { s_library.reset(); }
  void SetUp() override;
  void TearDown() override;

  static LibraryUnderTest& Library() { return *s_library; }
  std::string LastError() const;
  void Exec(const std::string& sql);
  // Table T with records ID 1..count, Name "name <ID>", selected in ID order.
  void SelectRecords(int count);
  std::string CurrentField(const char* name) const;
  // SQLDisplay with the script; checks that the dialog opened once and closed in time.
  void Display(int rowsPerPage, std::vector<DialogOperator::Step> script);

  TempDir m_dir;
  int m_id = -1;
  DialogOperator m_operator{std::chrono::seconds(30)};

 private:
  static std::unique_ptr<LibraryUnderTest> s_library;
};

// A step that reads the dialog into state.
inline DialogOperator::Step Read(DialogState& state) {
  return Do([&state](HWND dialog) { state = ReadState(dialog); });
}

}  // namespace quorlin::test
