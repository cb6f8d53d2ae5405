// The dialog's buttons by their template ids, as every front end forwards them: the paging
// buttons run their actions, Close takes the fields back and ends the dialog, the printer
// buttons reach the real printer library (its call log) in the full profile and nothing in
// the legacy one, ids that are no button are left to the toolkit, and no failure escapes.
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <stdexcept>

#include "paging_fixture.h"

namespace quorlin::test {
namespace {

using ::testing::IsEmpty;
using viewer::ButtonResult;

std::vector<std::string> Lines(const std::string& path) {
  std::vector<std::string> lines;
  std::ifstream in(path);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

// A window whose table-name field fails when read, as a control that is going away might.
template <typename Failure>
class FailingSurface : public RecordingSurface {
 public:
  explicit FailingSurface(Failure failure) : m_failure(failure) {}
  std::string TableNameField() const override { throw m_failure; }

 private:
  Failure m_failure;
};

class DialogButtons : public PagingTest {
 protected:
  void SetUp() override {
    PagingTest::SetUp();
    // The printer library notes every call it gets; without a running toolkit it shows and
    // writes nothing.
    setenv("MIRVALE_CALL_LOG", m_callLog.c_str(), 1);
  }
  void TearDown() override {
    unsetenv("MIRVALE_CALL_LOG");
    PagingTest::TearDown();
  }

  std::vector<std::string> TakePrinterCalls() {
    std::vector<std::string> calls = Lines(m_callLog);
    std::remove(m_callLog.c_str());
    return calls;
  }

  std::string m_callLog = m_dir.Path("calls.log");
};

TEST_P(DialogButtons, PagingButtonsRunTheirActionsAndKeepTheDialogOpen) {
  Open(35, 10);
  struct Press {
    int id;
    std::vector<int> shownIds;
    int pageNo;
  };
  const Press walk[] = {
      {kNextPageButton, Ids(11, 20), 1}, {kNextPageButton, Ids(21, 30), 2},
      {kPrevPageButton, Ids(22, 31), 1}, {kLastButton, {35}, 1},
      {kFirstButton, Ids(1, 10), 0},
  };
  for (const Press& press : walk) {
    SCOPED_TRACE(press.id);
    EXPECT_EQ(m_dialog.OnButton(press.id), ButtonResult::kDialogStays);
    EXPECT_EQ(m_surface.ShownIds(), press.shownIds);
    EXPECT_EQ(m_dialog.m_pageNo, press.pageNo);
  }
  EXPECT_THAT(TakePrinterCalls(), IsEmpty());
}

TEST_P(DialogButtons, CloseTakesTheTypedTableNameBackAndEndsTheDialog) {
  Open(35, 10);
  m_surface.TypeTableName("Typed name");

  EXPECT_EQ(m_dialog.OnButton(kCloseButton), ButtonResult::kDialogEnds);

  EXPECT_EQ(m_dialog.m_tableName, "Typed name");
  EXPECT_EQ(m_dialog.m_pageNo, 0);
  EXPECT_EQ(m_surface.ShownIds(), Ids(1, 10)) << "the list stays as it was";
}

TEST_P(DialogButtons, ControlsThatAreNoButtonsAreLeftToTheToolkit) {
  Open(35, 10);
  m_surface.TakeTouchedControls();
  m_surface.TypeTableName("Typed name");
  // The list, the fields, the unnamed label, and ids the template does not have (the
  // system's Cancel among them).
  for (int id : {static_cast<int>(kRecordList), static_cast<int>(kTableNameEdit),
                 static_cast<int>(kPageNoEdit), static_cast<int>(kPageNoLabel), -1, 0, 2}) {
    EXPECT_EQ(m_dialog.OnButton(id), ButtonResult::kNotADialogButton) << id;
  }
  EXPECT_EQ(m_surface.ShownIds(), Ids(1, 10));
  EXPECT_THAT(m_surface.TakeTouchedControls(), IsEmpty());
  EXPECT_EQ(m_dialog.m_tableName, "T") << "no field was taken back";
  EXPECT_THAT(TakePrinterCalls(), IsEmpty());
}

TEST_P(DialogButtons, PreviewAndPrintHandThePrinterTheTypedNameAndTheLegacyOnesDoNothing) {
  Open(35, 10);
  MarkLastError();
  for (const auto& [id, output] :
       {std::pair{kPreviewButton, "Preview()"}, std::pair{kPrintButton, "Print()"}}) {
    SCOPED_TRACE(output);
    m_surface.TypeTableName(std::string("Typed for ") + output);

    EXPECT_EQ(m_dialog.OnButton(id), ButtonResult::kDialogStays);

    EXPECT_EQ(m_dialog.m_tableName, std::string("Typed for ") + output);
    const std::vector<std::string> expected = {
        "CreatePLPrinter()",
        "SetListControl(null)",
        "SetTableName(\"Typed for " + std::string(output) + "\", 1)",
        "SetOptionA(1)",
        "SetOptionB(1, 0)",
        "SetOptionC(1, 0)",
        output,
        "DeletePLPrinter()"};
    EXPECT_EQ(TakePrinterCalls(), LegacyProfile() ? std::vector<std::string>{} : expected);
  }
  EXPECT_EQ(m_surface.ShownIds(), Ids(1, 10));
  EXPECT_EQ(LastError(), "marker") << "nothing is reported";
}

TEST_P(DialogButtons, PrinterSetupPassesTheFixedSettingsFileAndTakesNoFieldBack) {
  Open(35, 10);
  m_surface.TypeTableName("Not taken");

  EXPECT_EQ(m_dialog.OnButton(kPrinterSetupButton), ButtonResult::kDialogStays);

  EXPECT_EQ(m_dialog.m_tableName, "T");
  const std::vector<std::string> expected = {"CreatePLPrinter()", "PrinterSetup(\"d:\\test.ini\")",
                                             "DeletePLPrinter()"};
  EXPECT_EQ(TakePrinterCalls(), LegacyProfile() ? std::vector<std::string>{} : expected);
}

// What escapes a button's work is reported with its own text, or a fixed one where it has
// none; Close still ends the dialog. The paging actions keep their own failures inside.
TEST_P(DialogButtons, AFailingButtonIsReportedAndNothingEscapes) {
  MakeRecords(3);
  const auto pressAll = [this](viewer::ViewDataDialog& dialog, const std::string& expected) {
    struct Press {
      int id;
      ButtonResult result;
      bool reports;
    };
    const Press presses[] = {
        {kCloseButton, ButtonResult::kDialogEnds, true},
        {kPreviewButton, ButtonResult::kDialogStays, true},
        {kPrintButton, ButtonResult::kDialogStays, true},
        {kFirstButton, ButtonResult::kDialogStays, false},
        {kNextPageButton, ButtonResult::kDialogStays, false},
    };
    for (const Press& press : presses) {
      SCOPED_TRACE(press.id);
      MarkLastError();
      EXPECT_EQ(dialog.OnButton(press.id), press.result);
      EXPECT_EQ(LastError(), press.reports ? expected : std::string("marker"));
    }
    EXPECT_THAT(TakePrinterCalls(), IsEmpty()) << "the failure came before the printer";
  };
  {
    SCOPED_TRACE("a failure with a text");
    FailingSurface<std::runtime_error> surface(std::runtime_error("The field is gone."));
    Select("SELECT * FROM T ORDER BY ID", 10);
    m_dialog.SetSurface(&surface);
    pressAll(m_dialog, "The field is gone.");
    m_dialog.SetSurface(&m_surface);
  }
  {
    SCOPED_TRACE("a failure without one");
    FailingSurface<int> surface(42);
    m_dialog.SetSurface(&surface);
    pressAll(m_dialog, "Unexpected error in the View data dialog.");
    m_dialog.SetSurface(&m_surface);
  }
  {
    SCOPED_TRACE("no window at all");
    viewer::ViewDataDialog windowless;
    pressAll(windowless, "The View data dialog has no window.");
  }
}

QUORLIN_ON_EACH_CURSOR(DialogButtons);

}  // namespace
}  // namespace quorlin::test
