// The printer DLL alone, as a Windows program uses it: pages rendered to metafiles, the
// preview window, the page-setup dialog and its settings file, and bad input.
#include <gtest/gtest.h>
#include <windows.h>
// After windows.h, which they need.
#include <dlgs.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>

#include "metafile_reader.h"
#include "mirvale.h"
#include "report_list.h"
#include "temp_dir.h"
#include "test_printer.h"
#include "window_capture.h"
#include "window_watcher.h"

namespace quorlin::test {
namespace {

using Printer = std::unique_ptr<PLPrinter, decltype(&DeletePLPrinter)>;

Printer MakePrinter() {
  return Printer(CreatePLPrinter(), &DeletePLPrinter);
}

std::string FileText(const std::string& path) {
  std::ifstream in(path);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

// The library reads its options from the C runtime's environment, which both share.
void SetPageOutput(const std::string& path) {
  _putenv_s("MIRVALE_EMF_OUTPUT", path.c_str());
}

class MirvaleWin32 : public ::testing::Test {
 protected:
  void SetUp() override { SetPageOutput(""); }
  void TearDown() override { SetPageOutput(""); }

  // Print with the page output set to an artefact file; the first page, read back.
  MetafilePage PrintedPage(PLPrinter& printer, const std::string& name) {
    const std::string path = ArtefactPath(name + ".emf");
    std::filesystem::remove(path);
    SetPageOutput(path);
    EXPECT_TRUE(printer.Print()) << path;
    SetPageOutput("");
    return ReadMetafile(path, ArtefactPath(name + ".bmp"));
  }

  TempDir m_dir;
};

using Operation = bool (PLPrinter::*)();

class UnattendedOutput : public MirvaleWin32, public ::testing::WithParamInterface<Operation> {};

TEST_P(UnattendedOutput, WritesTitleHeadersAndCellsOnA4WithoutAnyWindow) {
  ReportList list(OrderHeaders(), OrderRows());
  Printer printer = MakePrinter();
  ASSERT_NE(printer, nullptr);
  printer->SetListControl(list.List());
  printer->SetTableName("Orders \xe8\xae\xa2\xe5\x8d\x95", 1);  // 订单
  const std::string path = m_dir.Path("page.emf");
  SetPageOutput(path);

  EXPECT_TRUE(((*printer).*GetParam())());

  EXPECT_EQ(FindProcessWindow(L"MirvalePrintPreview"), nullptr);
  const MetafilePage page = ReadMetafile(path, ArtefactPath("mirvale_win32_orders.bmp"));
  ASSERT_TRUE(page.readable) << path;
  EXPECT_EQ(page.widthMm, 210);
  EXPECT_EQ(page.heightMm, 297);
  EXPECT_TRUE(HasText(page, "Orders \xe8\xae\xa2\xe5\x8d\x95"));
  for (const std::string& header : OrderHeaders()) EXPECT_TRUE(HasText(page, header)) << header;
  for (const auto& row : OrderRows()) {
    for (const std::string& cell : row) EXPECT_TRUE(HasText(page, cell)) << cell;
  }
  EXPECT_GT(page.inkedRows, 10) << "the page was drawn, not only described";
  EXPECT_FALSE(std::filesystem::exists(m_dir.Path("page-2.emf")));
  // The C++ library's overwrite option fails here; remove first.
  std::filesystem::remove(ArtefactPath("mirvale_win32_orders.emf"));
  std::filesystem::copy_file(path, ArtefactPath("mirvale_win32_orders.emf"));
}

INSTANTIATE_TEST_SUITE_P(PrintAndPreview, UnattendedOutput,
                         ::testing::Values(&PLPrinter::Print, &PLPrinter::Preview));

TEST_F(MirvaleWin32, LongTableContinuesInFurtherPageFilesUnderTheHeaders) {
  std::vector<std::vector<std::string>> rows;
  for (int row = 1; row <= 150; ++row) rows.push_back({"R" + std::to_string(row), "x", "1"});
  ReportList list({"Key", "Value", "Count"}, rows);
  Printer printer = MakePrinter();
  printer->SetListControl(list.List());
  printer->SetOptionC(1, 0);
  const std::string path = m_dir.Path("long.emf");
  SetPageOutput(path);

  ASSERT_TRUE(printer->Print());

  int pages = 1;
  while (std::filesystem::exists(m_dir.Path("long-" + std::to_string(pages + 1) + ".emf"))) ++pages;
  ASSERT_GT(pages, 1);
  const std::string count = std::to_string(pages);
  const MetafilePage first = ReadMetafile(path);
  const MetafilePage last = ReadMetafile(m_dir.Path("long-" + count + ".emf"));
  EXPECT_TRUE(HasText(first, "R1") && HasText(first, "Page 1 of " + count));
  EXPECT_TRUE(HasText(last, "Key")) << "the headers head every page";
  EXPECT_TRUE(HasText(last, "R150") && HasText(last, "Page " + count + " of " + count));
  EXPECT_FALSE(HasText(first, "R150")) << "each row is printed once";
}

TEST_F(MirvaleWin32, EmptyOrMissingListStillPrintsTitleAndTheObjectKeepsWorking) {
  ReportList empty(OrderHeaders(), {});
  Printer printer = MakePrinter();
  printer->SetTableName("Nothing here", 1);
  printer->SetListControl(empty.List());
  MetafilePage page = PrintedPage(*printer, "mirvale_win32_empty_list");
  EXPECT_TRUE(HasText(page, "Nothing here"));
  EXPECT_TRUE(HasText(page, "OrderNo"));

  for (HWND noList : {static_cast<HWND>(nullptr), reinterpret_cast<HWND>(0xDEAD0)}) {
    printer->SetListControl(noList);
    page = PrintedPage(*printer, "mirvale_win32_no_list");
    EXPECT_TRUE(page.readable);
    EXPECT_TRUE(HasText(page, "Nothing here"));
    EXPECT_FALSE(HasText(page, "OrderNo")) << "nothing of the earlier list stays";
  }
}

TEST_F(MirvaleWin32, OutputThatCannotBeWrittenFailsCleanly) {
  ReportList list(OrderHeaders(), OrderRows());
  Printer printer = MakePrinter();
  printer->SetListControl(list.List());
  SetPageOutput(m_dir.Path("no/such/folder/out.emf"));
  EXPECT_FALSE(printer->Print());
  EXPECT_FALSE(printer->Preview());
  EXPECT_FALSE(printer->SaveAsPdf(m_dir.Path("out.pdf").c_str())) << "no PDF writer on Windows";
  EXPECT_FALSE(printer->SaveAsPdf(nullptr));
  EXPECT_TRUE(PrintedPage(*printer, "mirvale_win32_after_failure").readable);
}

TEST_F(MirvaleWin32, SettingsFileSetsPaperOrientationAndUnreadableOnesChangeNothing) {
  ReportList list(OrderHeaders(), OrderRows());
  Printer printer = MakePrinter();
  printer->SetListControl(list.List());
  const std::string settings = m_dir.Path("a5.ini");
  std::ofstream(settings) << "[PageSetup]\r\nPaperWidthMm=148\r\nPaperHeightMm=210\r\n"
                             "Orientation=Landscape\r\n";
  ASSERT_TRUE(printer->UsePageSetup(settings.c_str()));
  MetafilePage page = PrintedPage(*printer, "mirvale_win32_a5_landscape");
  EXPECT_EQ(page.widthMm, 210);
  EXPECT_EQ(page.heightMm, 148);

  EXPECT_FALSE(printer->UsePageSetup(m_dir.Path("none.ini").c_str()));
  EXPECT_FALSE(printer->UsePageSetup(m_dir.Path("").c_str())) << "a folder";
  EXPECT_FALSE(printer->UsePageSetup(nullptr));
  page = PrintedPage(*printer, "mirvale_win32_a5_kept");
  EXPECT_EQ(page.widthMm, 210) << "the settings stay as they were";
  EXPECT_EQ(page.heightMm, 148);
}

// The preview and the dialogs need the display.
TEST_F(MirvaleWin32, PreviewIsAModalWindowOfItsOwnThatClosesOnEscape) {
  ReportList list(OrderHeaders(), OrderRows());
  Printer printer = MakePrinter();
  printer->SetListControl(list.List());
  printer->SetTableName("Orders", 1);
  std::wstring title;
  bool ownerDisabled = false;
  bool photographed = false;
  WindowWatcher operatorEyes([&] {
    HWND preview = FindProcessWindow(L"MirvalePrintPreview");
    if (preview == nullptr) return false;
    title = WindowTitle(preview);
    ownerDisabled = !IsWindowEnabled(list.Window());
    Sleep(300);  // let it paint
    photographed = SaveWindowBitmap(preview, ArtefactPath("mirvale_win32_preview.bmp"));
    PostMessageW(preview, WM_KEYDOWN, VK_ESCAPE, 0);
    return true;
  });

  EXPECT_TRUE(printer->Preview());

  EXPECT_TRUE(operatorEyes.Done()) << "no preview window appeared";
  EXPECT_EQ(title, L"Print preview - Orders (page 1 of 1)");
  EXPECT_TRUE(ownerDisabled) << "the preview must be modal";
  EXPECT_TRUE(photographed);
  EXPECT_TRUE(IsWindowEnabled(list.Window())) << "closing the preview gives the window back";
  EXPECT_EQ(FindProcessWindow(L"MirvalePrintPreview"), nullptr);
}

// The page-setup dialog needs a printer, and a fresh prefix has none: the cases that open it
// install one that prints to a file.
class PageSetupDialog : public MirvaleWin32 {
 protected:
  void SetUp() override {
    MirvaleWin32::SetUp();
    ASSERT_TRUE(InstallFilePrinter()) << "no printer could be installed";
  }
};

// Confirms the system's page-setup dialog after turning the paper and setting the left
// margin; false when no such dialog appeared.
bool ChooseLandscapeWithLeftMargin(const std::wstring& margin) {
  HWND dialog = FindProcessWindow(L"#32770");
  if (dialog == nullptr) return false;
  SendMessageW(GetDlgItem(dialog, rad2), BM_CLICK, 0, 0);  // landscape
  SendMessageW(GetDlgItem(dialog, edt4), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(margin.c_str()));
  SaveWindowBitmap(dialog, ArtefactPath("mirvale_win32_page_setup.bmp"));
  PostMessageW(dialog, WM_COMMAND, IDOK, 0);
  return true;
}

TEST_F(PageSetupDialog, WritesTheSettingsFileThatAnotherPrinterReads) {
  ReportList list(OrderHeaders(), OrderRows());
  const std::string settings = m_dir.Path("printer.ini");
  Printer first = MakePrinter();
  WindowWatcher operatorHand([] { return ChooseLandscapeWithLeftMargin(L"30"); });

  EXPECT_TRUE(first->PrinterSetup(settings.c_str(), list.Window()));

  ASSERT_TRUE(operatorHand.Done()) << "no page-setup dialog appeared";
  const std::string written = FileText(settings);
  EXPECT_NE(written.find("Orientation=Landscape"), std::string::npos) << written;
  EXPECT_NE(written.find("MarginLeftMm=30"), std::string::npos) << written;
  Printer second = MakePrinter();
  second->SetListControl(list.List());
  ASSERT_TRUE(second->UsePageSetup(settings.c_str()));
  const MetafilePage page = PrintedPage(*second, "mirvale_win32_after_setup");
  EXPECT_GT(page.widthMm, page.heightMm) << "landscape, as chosen in the dialog";
}

TEST_F(PageSetupDialog, CancelledLeavesTheFileAlone) {
  const std::string settings = m_dir.Path("printer.ini");
  const std::string before = "[PageSetup]\nMarginLeftMm=25\n";
  std::ofstream(settings) << before;
  Printer printer = MakePrinter();
  std::wstring marginShown;
  WindowWatcher operatorHand([&] {
    HWND dialog = FindProcessWindow(L"#32770");
    if (dialog == nullptr) return false;
    marginShown = WindowTitle(GetDlgItem(dialog, edt4));
    PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
    return true;
  });

  EXPECT_FALSE(printer->PrinterSetup(settings.c_str(), nullptr));

  ASSERT_TRUE(operatorHand.Done()) << "no page-setup dialog appeared";
  EXPECT_NE(marginShown.find(L"25"), std::wstring::npos) << "the dialog starts from the file";
  EXPECT_EQ(FileText(settings), before);
}

}  // namespace
}  // namespace quorlin::test
