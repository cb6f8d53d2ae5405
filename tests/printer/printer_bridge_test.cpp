// The View data dialog's printer bridge: the calls its Preview, Print and Printer setup
// buttons make on the printer library, in order, through the real library (its call log and
// its PDF output) and through a recording printer object; and the buttons doing nothing
// when the library gives no printer object. Runs on a virtual display, each case in a
// process of its own.
#include "viewer/printer_bridge.h"

#include <gtest/gtest.h>
#include <unistd.h>
#include <wx/generic/prntdlgg.h>
#include <wx/listctrl.h>
#include <wx/print.h>
#include <wx/timer.h>

#include <clocale>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "artefacts.h"
#include "frame/frame_state.h"
#include "mirvale.h"
#include "modal_dialog_script.h"
#include "pdf_reader.h"
#include "platform/linux/gui_toolkit.h"
#include "report_list_window.h"
#include "temp_dir.h"
#include "watcher_log.h"

namespace quorlin::test {
namespace {

std::vector<std::string> Lines(const std::string& path) {
  std::vector<std::string> lines;
  std::ifstream in(path);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

std::vector<std::string> ExpectedPageCalls(const std::string& listCall, const std::string& name,
                                           const std::string& output) {
  return {"CreatePLPrinter()",
          listCall,
          "SetTableName(\"" + name + "\", 1)",
          "SetOptionA(1)",
          "SetOptionB(1, 0)",
          "SetOptionC(1, 0)",
          output,
          "DeletePLPrinter()"};
}

wxPreviewFrame* ShownPreviewFrame() {
  for (wxWindow* window : wxTopLevelWindows) {
    auto* preview = dynamic_cast<wxPreviewFrame*>(window);
    if (preview != nullptr && preview->IsShown()) return preview;
  }
  return nullptr;
}

// Waits for the print preview, photographs it and closes it with its Close button.
class PreviewOperator : public wxTimer {
 public:
  PreviewOperator() { Start(200); }
  bool Photographed() const { return m_photographed; }
  bool Seen() const { return m_seen; }

  void Notify() override {
    wxPreviewFrame* preview = ShownPreviewFrame();
    if (preview == nullptr) return;
    // A few ticks for the page to be drawn before the photograph.
    if (++m_ticksShown < 3) return;
    m_seen = true;
    m_photographed = SaveScreenshot(*preview, ArtefactPath("print_preview.png"));
    wxWindow* close = preview->FindWindow(wxID_PREVIEW_CLOSE);
    if (close == nullptr || !ClickButton(*close)) preview->Close();
    Stop();
  }

 private:
  int m_ticksShown = 0;
  bool m_seen = false;
  bool m_photographed = false;
};

// A printer object that notes every call it gets, with its arguments.
class RecordingPrinter final : public PLPrinter {
 public:
  std::vector<std::string> calls;
  wxListCtrl* list = nullptr;

  bool Print() override { return Note("Print()"); }
  void SetOrientation(int) override { Note("SetOrientation"); }
  bool Preview() override { return Note("Preview()"); }
  void SetMargins(int, int, int, int) override { Note("SetMargins"); }
  void SetListControl(wxListCtrl* control) override {
    list = control;
    Note("SetListControl");
  }
  void SetFontSize(int) override { Note("SetFontSize"); }
  void SetTableName(std::string name, int title) override {
    Note("SetTableName(" + name + ", " + std::to_string(title) + ")");
  }
  void SetOptionA(int a) override { Note("SetOptionA(" + std::to_string(a) + ")"); }
  void SetFooter(std::string) override { Note("SetFooter"); }
  void SetOptionB(int a, int b) override {
    Note("SetOptionB(" + std::to_string(a) + ", " + std::to_string(b) + ")");
  }
  void SetOptionC(int a, int b) override {
    Note("SetOptionC(" + std::to_string(a) + ", " + std::to_string(b) + ")");
  }
  bool SaveAsPdf(const char*) override { return Note("SaveAsPdf"); }
  bool UsePageSetup(const char*) override { return Note("UsePageSetup"); }
  bool PrinterSetup(const char* path, wxWindow*) override {
    return Note("PrinterSetup(" + std::string(path) + ")");
  }

 private:
  bool Note(const std::string& call) {
    calls.push_back(call);
    return true;
  }
};

// Printer libraries of the tests' own making: the bridge reaches a library only through its
// two entry points, which are plain functions, hence the one shared record.
struct MadeLibrary {
  static RecordingPrinter* next;  // what create hands out next (null: none)
  static int created;
  static int deleted;
  static PLPrinter* Create() {
    ++created;
    return next;
  }
  static void Delete(PLPrinter* printer) {
    ++deleted;
    if (printer != next) ADD_FAILURE() << "the bridge deleted an object it did not get";
  }
  static void Reset(RecordingPrinter* printer) {
    next = printer;
    created = 0;
    deleted = 0;
  }
};
RecordingPrinter* MadeLibrary::next = nullptr;
int MadeLibrary::created = 0;
int MadeLibrary::deleted = 0;

constexpr viewer::PrinterLibrary kMadeLibrary{&MadeLibrary::Create, &MadeLibrary::Delete};

class PrinterBridge : public ::testing::Test {
 protected:
  void SetUp() override {
    QUORLIN_REQUIRE_WATCHER();
    // The library's own start of the toolkit, as in a host that never ran it.
    ASSERT_TRUE(platform::EnsureToolkitStarted()) << "the virtual display could not be opened";
    m_callLog = m_dir.Path("calls.log");
    setenv("MIRVALE_CALL_LOG", m_callLog.c_str(), 1);
    unsetenv("MIRVALE_PDF_OUTPUT");
  }
  void TearDown() override {
    unsetenv("MIRVALE_CALL_LOG");
    unsetenv("MIRVALE_PDF_OUTPUT");
  }

  TempDir m_dir;
  std::string m_callLog;
};

TEST_F(PrinterBridge, PreviewButtonMakesItsCallsInOrderAndShowsThePage) {
  ReportListWindow window(OrderHeaders(), OrderRows());
  window.Frame().Show();
  PreviewOperator operatorEyes;

  viewer::PreviewPage(&window.List(), "Orders");

  EXPECT_TRUE(operatorEyes.Seen()) << "no preview window appeared";
  EXPECT_TRUE(operatorEyes.Photographed());
  EXPECT_EQ(Lines(m_callLog),
            ExpectedPageCalls("SetListControl(3 columns, 7 rows)", "Orders", "Preview()"));
}

TEST_F(PrinterBridge, PrintButtonMakesItsCallsInOrderAndPrintsThePage) {
  if (!PdfToolsInstalled()) GTEST_SKIP() << "poppler-utils is not installed";
  ReportListWindow window(OrderHeaders(), OrderRows());
  const std::string pdf = ArtefactPath("bridge_print.pdf");
  std::filesystem::remove(pdf);
  setenv("MIRVALE_PDF_OUTPUT", pdf.c_str(), 1);

  viewer::PrintPage(&window.List(), "Orders");

  EXPECT_EQ(Lines(m_callLog),
            ExpectedPageCalls("SetListControl(3 columns, 7 rows)", "Orders", "Print()"));
  const std::string text = PdfText(pdf);
  EXPECT_NE(text.find("Orders"), std::string::npos) << text;
  EXPECT_NE(text.find("OrderNo"), std::string::npos) << text;
  EXPECT_NE(text.find("A-003"), std::string::npos) << text;
}

TEST_F(PrinterBridge, EmptyListStillMakesEveryCall) {
  ReportListWindow window(OrderHeaders(), {});
  setenv("MIRVALE_PDF_OUTPUT", m_dir.Path("empty.pdf").c_str(), 1);

  viewer::PrintPage(&window.List(), "Orders");

  EXPECT_EQ(Lines(m_callLog),
            ExpectedPageCalls("SetListControl(3 columns, 0 rows)", "Orders", "Print()"));
}

TEST_F(PrinterBridge, TableNameInTheHostsCodePageIsPrintedAsItsCharacters) {
  const char* locale = std::setlocale(LC_ALL, "zh_CN.GBK");
  if (locale == nullptr) {
    if (GuiRequired()) FAIL() << "locale zh_CN.GBK is required";
    GTEST_SKIP() << "locale zh_CN.GBK is not installed";
  }
  ReportListWindow window(OrderHeaders(), OrderRows());
  const std::string pdf = ArtefactPath("bridge_gbk_name.pdf");
  setenv("MIRVALE_PDF_OUTPUT", pdf.c_str(), 1);

  viewer::PrintPage(&window.List(), "\xb6\xa9\xb5\xa5");  // "订单" in GBK

  std::setlocale(LC_ALL, "C");
  const std::string utf8Name = "\xe8\xae\xa2\xe5\x8d\x95";
  EXPECT_EQ(Lines(m_callLog).at(2), "SetTableName(\"" + utf8Name + "\", 1)");
  if (PdfToolsInstalled()) {
    EXPECT_NE(PdfText(pdf).find(utf8Name), std::string::npos);
  }
}

TEST_F(PrinterBridge, PrinterSetupButtonKeepsTheSettingsInTheFixedFile) {
  ASSERT_EQ(chdir(m_dir.Path("").c_str()), 0);
  ReportListWindow window(OrderHeaders(), OrderRows());
  window.Frame().Show();
  ModalDialogScript script(
      [](wxDialog& dialog) { return dynamic_cast<wxGenericPageSetupDialog*>(&dialog) != nullptr; });
  script.Script({Do([&](wxDialog& dialog) {
    if (!ClickButton(*dialog.FindWindow(wxID_OK))) script.Fail("OK cannot be clicked");
  })});

  viewer::SetUpPrinter(&window.Frame());

  EXPECT_EQ(script.DialogsOpened(), 1);
  EXPECT_TRUE(script.Failures().empty()) << script.FailureText();
  EXPECT_EQ(Lines(m_callLog),
            (std::vector<std::string>{"CreatePLPrinter()", "PrinterSetup(\"d:\\test.ini\")",
                                      "DeletePLPrinter()"}));
  EXPECT_TRUE(std::filesystem::exists(m_dir.Path("d:\\test.ini")))
      << "on Linux the fixed path is a file of that name in the current folder";
}

TEST_F(PrinterBridge, RecordingPrinterGetsTheDialogsListAndItsOwnCopyOfTheName) {
  ReportListWindow window(OrderHeaders(), OrderRows());
  RecordingPrinter printer;
  MadeLibrary::Reset(&printer);
  std::string name = "Orders";

  viewer::SendPageToPrinter(kMadeLibrary, &window.List(), name, viewer::PageOutput::kPreview);
  viewer::SendPageToPrinter(kMadeLibrary, &window.List(), name, viewer::PageOutput::kPrint);
  viewer::SetUpPrinterWith(kMadeLibrary, &window.Frame());

  EXPECT_EQ(printer.list, &window.List());
  EXPECT_EQ(printer.calls,
            (std::vector<std::string>{"SetListControl", "SetTableName(Orders, 1)", "SetOptionA(1)",
                                      "SetOptionB(1, 0)", "SetOptionC(1, 0)", "Preview()",
                                      "SetListControl", "SetTableName(Orders, 1)", "SetOptionA(1)",
                                      "SetOptionB(1, 0)", "SetOptionC(1, 0)", "Print()",
                                      "PrinterSetup(d:\\test.ini)"}));
  EXPECT_EQ(MadeLibrary::created, 3);
  EXPECT_EQ(MadeLibrary::deleted, 3) << "one object per button press, deleted before returning";
}

TEST_F(PrinterBridge, NullPrinterObjectMakesEveryButtonDoNothing) {
  ReportListWindow window(OrderHeaders(), OrderRows());
  MadeLibrary::Reset(nullptr);
  const std::string lastErrorBefore = frame::Frame().lastError.Text();
  const std::size_t windowsBefore = wxTopLevelWindows.size();

  viewer::SendPageToPrinter(kMadeLibrary, &window.List(), "Orders", viewer::PageOutput::kPreview);
  viewer::SendPageToPrinter(kMadeLibrary, &window.List(), "Orders", viewer::PageOutput::kPrint);
  viewer::SetUpPrinterWith(kMadeLibrary, &window.Frame());

  EXPECT_EQ(MadeLibrary::created, 3);
  EXPECT_EQ(MadeLibrary::deleted, 0) << "there was nothing to delete";
  EXPECT_EQ(frame::Frame().lastError.Text(), lastErrorBefore) << "nothing is reported";
  EXPECT_EQ(wxTopLevelWindows.size(), windowsBefore) << "no window opened";
  EXPECT_EQ(window.List().GetItemCount(), 7);
}

// A library whose delete entry point is missing: the bridge still uses the object it got and
// never calls through the null entry point.
TEST_F(PrinterBridge, LibraryWithoutADeleteEntryPointIsNeverCalledThroughIt) {
  ReportListWindow window(OrderHeaders(), OrderRows());
  RecordingPrinter printer;
  MadeLibrary::Reset(&printer);
  const viewer::PrinterLibrary withoutDelete{&MadeLibrary::Create, nullptr};

  viewer::SendPageToPrinter(withoutDelete, &window.List(), "Orders", viewer::PageOutput::kPrint);
  viewer::SetUpPrinterWith(withoutDelete, &window.Frame());

  EXPECT_EQ(MadeLibrary::created, 2);
  EXPECT_EQ(printer.calls,
            (std::vector<std::string>{"SetListControl", "SetTableName(Orders, 1)", "SetOptionA(1)",
                                      "SetOptionB(1, 0)", "SetOptionC(1, 0)", "Print()",
                                      "PrinterSetup(d:\\test.ini)"}));
}

}  // namespace
}  // namespace quorlin::test
