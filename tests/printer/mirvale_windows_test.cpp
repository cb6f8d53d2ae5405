// The printer library's windows on a virtual display: the print preview, the page-setup
// dialog with its settings file, and the toolkit's print dialog printing to a file. Each
// case runs in a process of its own.
#include <gtest/gtest.h>
#include <unistd.h>
#include <wx/frame.h>
#include <wx/generic/prntdlgg.h>
#include <wx/print.h>
#include <wx/radiobox.h>
#include <wx/textctrl.h>
#include <wx/timer.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <sstream>
#include <string>

#include "artefacts.h"
#include "mirvale.h"
#include "modal_dialog_script.h"
#include "pdf_reader.h"
#include "report_list_window.h"
#include "temp_dir.h"
#include "toolkit_host.h"
#include "watcher_log.h"

namespace quorlin::test {
namespace {

using Printer = std::unique_ptr<PLPrinter, decltype(&DeletePLPrinter)>;

constexpr int kPollMilliseconds = 200;
constexpr int kGiveUpAfterPolls = 150;

Printer MakePrinter() {
  return Printer(CreatePLPrinter(), &DeletePLPrinter);
}

std::string FileText(const std::string& path) {
  std::ifstream in(path);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

// Calls a function every few hundred milliseconds while the code under test runs its own
// loop, until the function says it is done or it has been called too often.
class Poller : public wxTimer {
 public:
  explicit Poller(std::function<bool()> poll) : m_poll(std::move(poll)) {
    Start(kPollMilliseconds);
  }
  bool GaveUp() const { return m_gaveUp; }

  void Notify() override {
    if (m_poll()) {
      Stop();
    } else if (++m_polls >= kGiveUpAfterPolls) {
      m_gaveUp = true;
      Stop();
    }
  }

 private:
  std::function<bool()> m_poll;
  int m_polls = 0;
  bool m_gaveUp = false;
};

wxPreviewFrame* ShownPreviewFrame() {
  for (wxWindow* window : wxTopLevelWindows) {
    auto* preview = dynamic_cast<wxPreviewFrame*>(window);
    if (preview != nullptr && preview->IsShown()) return preview;
  }
  return nullptr;
}

bool IsPageSetupDialog(wxDialog& dialog) {
  return dynamic_cast<wxGenericPageSetupDialog*>(&dialog) != nullptr;
}

wxGenericPageSetupDialog& AsPageSetup(wxDialog& dialog) {
  return dynamic_cast<wxGenericPageSetupDialog&>(dialog);
}

class MirvaleWindows : public ::testing::Test {
 protected:
  void SetUp() override {
    QUORLIN_REQUIRE_WATCHER();
    ASSERT_TRUE(StartToolkitAsHost()) << "the virtual display could not be opened";
  }

  TempDir m_dir;
};

TEST_F(MirvaleWindows, PreviewShowsThePageInAModalWindowUntilTheOperatorClosesIt) {
  ReportListWindow window(OrderHeaders(), OrderRows());
  window.Frame().Show();
  Printer printer = MakePrinter();
  printer->SetListControl(&window.List());
  printer->SetTableName("Orders", 1);
  wxString title;
  bool hostDisabled = false;
  bool photographed = false;
  int waitedForPaint = 0;
  Poller operatorEyes([&] {
    wxPreviewFrame* preview = ShownPreviewFrame();
    if (preview == nullptr || ++waitedForPaint < 3) return false;
    title = preview->GetTitle();
    hostDisabled = !window.Frame().IsEnabled();
    photographed = SaveScreenshot(*preview, ArtefactPath("mirvale_print_preview.png"));
    wxWindow* close = preview->FindWindow(wxID_PREVIEW_CLOSE);
    if (close == nullptr || !ClickButton(*close)) preview->Close();
    return true;
  });

  EXPECT_TRUE(printer->Preview());

  EXPECT_FALSE(operatorEyes.GaveUp()) << "no preview window appeared";
  EXPECT_EQ(title, "Print preview - Orders");
  EXPECT_TRUE(hostDisabled) << "the preview must be modal";
  EXPECT_TRUE(photographed);
  EXPECT_TRUE(window.Frame().IsEnabled()) << "closing the preview gives the windows back";
  EXPECT_EQ(ShownPreviewFrame(), nullptr);
}

TEST_F(MirvaleWindows, PageSetupStartsFromTheFileAndWritesTheOperatorsChoices) {
  const std::string settings = m_dir.Path("printer.ini");
  std::ofstream(settings) << "[PageSetup]\nOrientation=Landscape\nMarginLeftMm=25\n";
  ReportListWindow window(OrderHeaders(), OrderRows());
  window.Frame().Show();
  Printer printer = MakePrinter();
  ModalDialogScript script(IsPageSetupDialog);
  wxString leftMarginShown;
  int orientationShown = -1;
  script.Script({
      Do([&](wxDialog& dialog) {
        leftMarginShown = AsPageSetup(dialog).m_marginLeftText->GetValue();
        orientationShown = AsPageSetup(dialog).m_orientationRadioBox->GetSelection();
        if (!SaveScreenshot(dialog, ArtefactPath("mirvale_page_setup.png"))) {
          script.Fail("no screenshot of the page setup");
        }
      }),
      Do([&](wxDialog& dialog) {
        AsPageSetup(dialog).m_marginLeftText->ChangeValue("30");
        AsPageSetup(dialog).m_orientationRadioBox->SetSelection(0);
      }),
      Do([&](wxDialog& dialog) {
        if (!ClickButton(*dialog.FindWindow(wxID_OK))) script.Fail("OK cannot be clicked");
      }),
  });

  EXPECT_TRUE(printer->PrinterSetup(settings.c_str(), &window.Frame()));

  EXPECT_EQ(script.DialogsOpened(), 1);
  EXPECT_TRUE(script.Failures().empty()) << script.FailureText();
  EXPECT_EQ(leftMarginShown, "25") << "the dialog starts from the file";
  EXPECT_EQ(orientationShown, 1) << "landscape, from the file";
  const std::string written = FileText(settings);
  EXPECT_NE(written.find("MarginLeftMm=30\n"), std::string::npos) << written;
  EXPECT_NE(written.find("Orientation=Portrait\n"), std::string::npos) << written;
}

TEST_F(MirvaleWindows, CancelledPageSetupLeavesTheFileAlone) {
  const std::string settings = m_dir.Path("printer.ini");
  const std::string before = "[PageSetup]\nMarginLeftMm=25\n";
  std::ofstream(settings) << before;
  Printer printer = MakePrinter();
  ModalDialogScript script(IsPageSetupDialog);
  script.Script({Do([&](wxDialog& dialog) {
    AsPageSetup(dialog).m_marginLeftText->ChangeValue("44");
    if (!ClickButton(*dialog.FindWindow(wxID_CANCEL))) script.Fail("Cancel cannot be clicked");
  })});

  EXPECT_FALSE(printer->PrinterSetup(settings.c_str(), nullptr));

  EXPECT_EQ(script.DialogsOpened(), 1);
  EXPECT_TRUE(script.Failures().empty()) << script.FailureText();
  EXPECT_EQ(FileText(settings), before);
}

TEST_F(MirvaleWindows, SettingsFileThatCannotBeWrittenStillLetsTheChoicesApply) {
  const std::string unwritable = m_dir.Path("no/such/folder/printer.ini");
  ReportListWindow window(OrderHeaders(), OrderRows());
  Printer printer = MakePrinter();
  printer->SetListControl(&window.List());
  ModalDialogScript script(IsPageSetupDialog);
  script.Script({Do([&](wxDialog& dialog) {
    AsPageSetup(dialog).m_orientationRadioBox->SetSelection(1);
    if (!ClickButton(*dialog.FindWindow(wxID_OK))) script.Fail("OK cannot be clicked");
  })});

  EXPECT_FALSE(printer->PrinterSetup(unwritable.c_str(), nullptr));

  EXPECT_EQ(script.DialogsOpened(), 1);
  EXPECT_TRUE(script.Failures().empty()) << script.FailureText();
  EXPECT_FALSE(std::filesystem::exists(unwritable));
  const std::string pdf = m_dir.Path("after_setup.pdf");
  ASSERT_TRUE(printer->SaveAsPdf(pdf.c_str()));
  EXPECT_TRUE(SamePageSize(PdfPageSize(pdf), kA4Landscape)) << "landscape, as chosen in the dialog";
}

// The print dialog is the toolkit's own (GTK): the operator picks its "Print to File"
// entry, which writes output.pdf into the home folder, and presses Return.
class MirvalePrintDialog : public MirvaleWindows {
 protected:
  void SetUp() override {
    // Before the toolkit starts: GLib reads the home folder once.
    setenv("HOME", m_dir.Path("").c_str(), 1);
    ASSERT_EQ(chdir(m_dir.Path("").c_str()), 0);
    MirvaleWindows::SetUp();
    if (!PdfToolsInstalled()) {
      if (GuiRequired()) FAIL() << "pdftotext (poppler-utils) is required";
      GTEST_SKIP() << "poppler-utils is not installed";
    }
  }
};

TEST_F(MirvalePrintDialog, PrintGoesThroughTheToolkitsPrintDialogToAFile) {
  unsetenv("MIRVALE_PDF_OUTPUT");
  ReportListWindow window(OrderHeaders(), OrderRows());
  Printer printer = MakePrinter();
  printer->SetListControl(&window.List());
  printer->SetTableName("Printed through the dialog", 1);
  bool answered = false;
  Poller operatorHand([&] {
    // The dialog is GTK's own, so the operator's keys go in through the display server.
    const int found = std::system("xdotool search --onlyvisible --name '^Print$' >/dev/null 2>&1");
    if (found != 0) return false;
    std::system(
        ("import -window root '" + ArtefactPath("mirvale_print_dialog.png") + "' >/dev/null 2>&1")
            .c_str());
    // Each step is tried again on its own: the virtual display now and then drops a
    // connection before the step did anything, and a repeated Down would pick another printer.
    answered = std::system(
                   "again() { for t in 1 2 3; do \"$@\" 2>/dev/null && return 0; sleep 0.1; done; "
                   "return 1; }; "
                   "w=$(again xdotool search --onlyvisible --name '^Print$' | head -n 1) && "
                   "again xdotool windowfocus --sync \"$w\" key Down && sleep 0.3 && "
                   "again xdotool key Return") == 0;
    return true;
  });

  EXPECT_TRUE(printer->Print());

  EXPECT_TRUE(answered);
  const std::string output = m_dir.Path("output.pdf");
  ASSERT_TRUE(std::filesystem::exists(output)) << "the dialog printed nothing to the file";
  const std::string text = PdfText(output);
  EXPECT_NE(text.find("Printed through the dialog"), std::string::npos) << text;
  EXPECT_NE(text.find("A-007"), std::string::npos) << text;
}

}  // namespace
}  // namespace quorlin::test
