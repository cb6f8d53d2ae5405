// Paging on the display: the buttons, the printer buttons, the mouse and the keyboard, and a
// host that runs the toolkit itself.
#include <wx/app.h>
#include <wx/init.h>
#include <wx/textctrl.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>

#include "bell_listener.h"
#include "host_toolkit_start.h"
#include "operator_hand.h"
#include "view_data_gui_fixture.h"

namespace quorlin::test {
namespace {

using namespace quorlin::resources;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

TEST_F(ViewDataGui, ThirtyFiveRecordsWalkedByTheButtons) {
  SelectRecords(35);
  BellListener bell;
  ASSERT_TRUE(bell.Listening());
  std::vector<DialogState> pages;
  bool rangAtTheEnd = false;
  bool rangAtTheBeginning = false;
  bool saved = false;
  const auto read = Do([&](wxDialog& dialog) { pages.push_back(ReadState(dialog)); });

  // Presses a button and listens for the display's bell.
  const auto pressHearing = [&](int id, bool& rang) {
    return Do([&bell, &rang, id](wxDialog& dialog) {
      bell.BellRang(std::chrono::milliseconds(0));  // forget earlier bells
      Press(dialog, id);
      rang = bell.BellRang(std::chrono::milliseconds(3000));
    });
  };
  const auto screenshot = Do(
      [&](wxDialog& dialog) { saved = SaveScreenshot(dialog, ArtefactPath("view-data-en.png")); });
  std::vector<ViewDataDriver::Step> script = {read, screenshot};
  for (int step = 0; step < 2; ++step)
    script.insert(script.end(), {Pressing(kNextPageButton), read});
  script.insert(script.end(), {pressHearing(kNextPageButton, rangAtTheEnd), read});
  for (int step = 0; step < 3; ++step)
    script.insert(script.end(), {Pressing(kPrevPageButton), read});
  script.insert(script.end(), {pressHearing(kPrevPageButton, rangAtTheBeginning), read,
                               Pressing(kNextPageButton), read, Pressing(kCloseButton)});

  Display(10, script);

  ASSERT_EQ(pages.size(), 9u);
  EXPECT_TRUE(saved);
  EXPECT_EQ(pages[0].title, "View data");
  EXPECT_THAT(pages[0].headings, ElementsAre("ID", "Name"));
  EXPECT_EQ(pages[0].FirstColumn(), IdTexts(1, 10));
  EXPECT_THAT(pages[0].rows[0], ElementsAre("1", "name 1"));
  EXPECT_EQ(pages[0].tableName, "T");
  EXPECT_EQ(pages[0].pageNo, "0");
  EXPECT_FALSE(pages[0].enabled[kPrevPageButton]);
  EXPECT_TRUE(pages[0].enabled[kNextPageButton]);
  EXPECT_TRUE(pages[0].shown[kPageNoEdit]);
  EXPECT_FALSE(pages[0].shown[kPrinterSetupButton]);
  const struct {
    int first, last;
    const char* pageNo;
  } expected[] = {{1, 10, "0"},  {11, 20, "1"}, {21, 30, "2"}, {31, 35, "3"}, {26, 35, "2"},
                  {16, 25, "1"}, {6, 15, "0"},  {1, 5, "-1"},  {1, 10, "0"}};
  for (std::size_t i = 0; i < pages.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(pages[i].FirstColumn(), IdTexts(expected[i].first, expected[i].last));
    EXPECT_EQ(pages[i].pageNo, expected[i].pageNo);
  }
  EXPECT_FALSE(pages[3].enabled[kNextPageButton]);
  EXPECT_TRUE(pages[3].enabled[kPrevPageButton]);
  EXPECT_TRUE(rangAtTheEnd);
  EXPECT_FALSE(pages[7].enabled[kPrevPageButton]);
  EXPECT_TRUE(pages[7].enabled[kNextPageButton]);
  EXPECT_TRUE(rangAtTheBeginning);
  EXPECT_THAT(m_boxes.ShownBoxes(), IsEmpty());
  // The recordset stays where the paging left it: after the page 1-10.
  EXPECT_EQ(CurrentField("ID"), "11");
}

TEST_F(ViewDataGui, TheLastHidesThePageNumberUntilTheFirst) {
  SelectRecords(35);
  std::vector<DialogState> states;
  const auto read = Do([&](wxDialog& dialog) { states.push_back(ReadState(dialog)); });

  Display(10, {Pressing(kNextPageButton), Pressing(kLastButton), read, Pressing(kPrevPageButton),
               read, Pressing(kFirstButton), read, Pressing(kCloseButton)});

  ASSERT_EQ(states.size(), 3u);
  EXPECT_EQ(states[0].FirstColumn(), IdTexts(35, 35));
  EXPECT_FALSE(states[0].enabled[kNextPageButton]);
  EXPECT_FALSE(states[0].shown[kPageNoEdit]);
  EXPECT_FALSE(states[0].shown[kPageNoLabel]);
  EXPECT_EQ(states[1].FirstColumn(), IdTexts(26, 35));
  EXPECT_EQ(states[1].pageNo, "0");
  EXPECT_FALSE(states[1].shown[kPageNoEdit]);
  EXPECT_EQ(states[2].FirstColumn(), IdTexts(1, 10));
  EXPECT_TRUE(states[2].shown[kPageNoEdit]);
  EXPECT_TRUE(states[2].shown[kPageNoLabel]);
}

// The text of a PDF file, or empty when it cannot be read.
std::string PdfText(const std::string& path) {
  std::string text;
  if (FILE* pipe = popen(("pdftotext -layout '" + path + "' - 2>/dev/null").c_str(), "r")) {
    char chunk[4096];
    for (std::size_t read; (read = std::fread(chunk, 1, sizeof chunk, pipe)) > 0;) {
      text.append(chunk, read);
    }
    pclose(pipe);
  }
  return text;
}

TEST_F(ViewDataGui, PrintTakesTheTableNameTypedIntoItsFieldAndAPageChangePutsTheStoredOneBack) {
  SelectRecords(35);
  const std::string pdf = ArtefactPath("view-data-print.pdf");
  std::remove(pdf.c_str());
  setenv("MIRVALE_PDF_OUTPUT", pdf.c_str(), 1);  // the printer library prints unattended
  const auto type = [](const char* text) {
    return Do([text](wxDialog& dialog) {
      dynamic_cast<wxTextCtrl*>(dialog.FindWindow(kTableNameEdit))->SetValue(text);
    });
  };
  DialogState afterPageChange;
  Display(
      10,
      {type("Typed report"), Pressing(kPrintButton), type("Lost name"), Pressing(kNextPageButton),
       Do([&](wxDialog& dialog) { afterPageChange = ReadState(dialog); }), Pressing(kCloseButton)});
  unsetenv("MIRVALE_PDF_OUTPUT");

  const std::string printed = PdfText(pdf);
  EXPECT_NE(printed.find("Typed report"), std::string::npos) << printed;
  EXPECT_NE(printed.find("name 10"), std::string::npos) << printed;
  EXPECT_EQ(printed.find("name 11"), std::string::npos) << "only the page the list shows";
  EXPECT_EQ(afterPageChange.tableName, "Typed report");
  EXPECT_EQ(afterPageChange.FirstColumn(), IdTexts(11, 20));
}

class HostApp : public wxApp {
 public:
  bool OnInit() override { return true; }
};

TEST_F(ViewDataGui, HostThatRunsTheToolkitItselfGetsTheDialogThroughItsOwnApplication) {
  ASSERT_TRUE(StartHostToolkit<HostApp>()) << "the watcher's display could not be opened";
  const wxAppConsole* hostApp = wxAppConsole::GetInstance();
  SelectRecords(12);
  DialogState first, second;
  const auto close = Pressing(kCloseButton);

  Display(5, {Do([&](wxDialog& dialog) { first = ReadState(dialog); }), close});
  Display(5, {Do([&](wxDialog& dialog) { second = ReadState(dialog); }), close});

  EXPECT_EQ(wxAppConsole::GetInstance(), hostApp);
  EXPECT_EQ(first.FirstColumn(), IdTexts(1, 5));
  EXPECT_EQ(second.FirstColumn(), IdTexts(1, 5));
}

TEST_F(ViewDataGui, OperatorClicksWithTheMouseAndLeavesWithEscape) {
  SelectRecords(35);
  DialogState afterClick;
  OperatorHand operatorHand;
  const auto centreOf = [](wxDialog& dialog, int id) {
    const wxRect place = dialog.FindWindow(id)->GetScreenRect();
    return wxPoint(place.x + place.width / 2, place.y + place.height / 2);
  };
  int waits = 0;
  Display(10, {Do([&](wxDialog& dialog) {
                 EXPECT_TRUE(operatorHand.MoveTo(centreOf(dialog, kNextPageButton)));
                 EXPECT_TRUE(operatorHand.Click());
               }),
               [&](wxDialog& dialog) {
                 afterClick = ReadState(dialog);
                 return afterClick.pageNo == "1" || ++waits > 40;
               },
               Do([&](wxDialog& dialog) {
                 EXPECT_TRUE(operatorHand.MoveTo(centreOf(dialog, kRecordList)));
                 EXPECT_TRUE(operatorHand.Click());
                 EXPECT_TRUE(operatorHand.Press(WXK_ESCAPE));
               }),
               [&](wxDialog&) { return ++waits > 80; }});

  EXPECT_EQ(afterClick.pageNo, "1");
  EXPECT_EQ(afterClick.FirstColumn(), IdTexts(11, 20));
}

}  // namespace
}  // namespace quorlin::test
