// The printer library's output, read back from the PDF files it writes: content, options,
// page breaks, page setup files. Runs on a virtual display (the library draws through the
// toolkit); each case in a process of its own.
#include <gtest/gtest.h>
#include <wx/datetime.h>
#include <wx/listctrl.h>
#include <wx/modalhook.h>

#include <cstdlib>
#include <fstream>
#include <memory>
#include <string>

#include "artefacts.h"
#include "mirvale.h"
#include "pdf_reader.h"
#include "report_list_window.h"
#include "temp_dir.h"
#include "toolkit_host.h"
#include "watcher_log.h"

namespace quorlin::test {
namespace {

using Printer = std::unique_ptr<PLPrinter, decltype(&DeletePLPrinter)>;

Printer MakePrinter() {
  return Printer(CreatePLPrinter(), &DeletePLPrinter);
}

int Occurrences(const std::string& text, const std::string& what) {
  int count = 0;
  for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) {
    ++count;
  }
  return count;
}

// Counts the modal dialogs that open, and lets none of them show.
class DialogCounter : public wxModalDialogHook {
 public:
  DialogCounter() { Register(); }
  int Opened() const { return m_opened; }

 protected:
  int Enter(wxDialog*) override {
    ++m_opened;
    return wxID_CANCEL;
  }
  void Exit(wxDialog*) override {}

 private:
  int m_opened = 0;
};

class MirvaleOutput : public ::testing::Test {
 protected:
  void SetUp() override {
    QUORLIN_REQUIRE_WATCHER();
    if (!PdfToolsInstalled()) {
      if (GuiRequired()) FAIL() << "pdftotext and pdfinfo (poppler-utils) are required";
      GTEST_SKIP() << "poppler-utils is not installed";
    }
    ASSERT_TRUE(StartToolkitAsHost()) << "the virtual display could not be opened";
    unsetenv("MIRVALE_PDF_OUTPUT");
  }

  // Writes the printer's pages to a PDF in the artefact folder and returns its text.
  std::string SavedText(PLPrinter& printer, const std::string& name) {
    const std::string path = ArtefactPath(name);
    EXPECT_TRUE(printer.SaveAsPdf(path.c_str())) << path;
    return PdfText(path);
  }

  TempDir m_dir;
};

TEST_F(MirvaleOutput, PdfShowsTableNameHeadersCellsAndChineseText) {
  ReportListWindow window(OrderHeaders(), OrderRows());
  Printer printer = MakePrinter();
  ASSERT_NE(printer, nullptr);
  printer->SetListControl(&window.List());
  printer->SetTableName("Orders \xe8\xae\xa2\xe5\x8d\x95", 1);

  const std::string text = SavedText(*printer, "mirvale_orders.pdf");

  EXPECT_NE(text.find("Orders \xe8\xae\xa2\xe5\x8d\x95"), std::string::npos) << text;
  EXPECT_NE(text.find("OrderNo"), std::string::npos) << text;
  EXPECT_NE(text.find("\xe5\xae\xa2\xe6\x88\xb7\xe5\x90\x8d\xe7\xa7\xb0"), std::string::npos)
      << "the Chinese header";
  for (const std::vector<wxString>& row : OrderRows()) {
    for (const wxString& cell : row) {
      EXPECT_NE(text.find(cell.utf8_string()), std::string::npos) << cell.utf8_string();
    }
  }
  EXPECT_EQ(PdfPageCount(ArtefactPath("mirvale_orders.pdf")), 1);
  EXPECT_TRUE(SamePageSize(PdfPageSize(ArtefactPath("mirvale_orders.pdf")), kA4Portrait))
      << "A4 portrait";
}

TEST_F(MirvaleOutput, TableNameIsATitleOnlyWhenAskedFor) {
  ReportListWindow window(OrderHeaders(), OrderRows());
  Printer printer = MakePrinter();
  printer->SetListControl(&window.List());
  printer->SetTableName("Quarterly", 0);

  EXPECT_EQ(SavedText(*printer, "mirvale_no_title.pdf").find("Quarterly"), std::string::npos);
}

TEST_F(MirvaleOutput, UnattendedPrintWritesTheNamedPdfWithoutAnyDialog) {
  ReportListWindow window(OrderHeaders(), OrderRows());
  Printer printer = MakePrinter();
  printer->SetListControl(&window.List());
  printer->SetTableName("Orders", 1);
  const std::string path = ArtefactPath("mirvale_unattended_print.pdf");
  std::remove(path.c_str());
  setenv("MIRVALE_PDF_OUTPUT", path.c_str(), 1);
  DialogCounter dialogs;

  EXPECT_TRUE(printer->Print());

  unsetenv("MIRVALE_PDF_OUTPUT");
  EXPECT_EQ(dialogs.Opened(), 0);
  const std::string text = PdfText(path);
  EXPECT_NE(text.find("Orders"), std::string::npos) << text;
  EXPECT_NE(text.find("A-007"), std::string::npos) << text;
}

TEST_F(MirvaleOutput, TheListIsCopiedWhenHandedOverNotWhenPrinted) {
  auto window = std::make_unique<ReportListWindow>(OrderHeaders(), OrderRows());
  Printer printer = MakePrinter();
  printer->SetListControl(&window->List());
  window->List().SetItem(0, 0, "CHANGED-LATER");
  window.reset();  // the list is gone before the printer uses what it copied
  LetToolkitSettle();

  const std::string text = SavedText(*printer, "mirvale_copied_list.pdf");

  EXPECT_NE(text.find("A-001"), std::string::npos) << text;
  EXPECT_EQ(text.find("CHANGED-LATER"), std::string::npos);
}

TEST_F(MirvaleOutput, LongTableContinuesOnFurtherPagesUnderTheHeaders) {
  TableRows rows;
  for (int row = 1; row <= 150; ++row) {
    rows.push_back({wxString::Format("R%03d", row), "value", wxString::Format("%d", row)});
  }
  ReportListWindow window({"Key", "Text", "Number"}, rows);
  Printer printer = MakePrinter();
  printer->SetListControl(&window.List());
  printer->SetOptionC(1, 0);
  const std::string path = ArtefactPath("mirvale_long_table.pdf");

  const std::string text = SavedText(*printer, "mirvale_long_table.pdf");

  const int pages = PdfPageCount(path);
  ASSERT_GT(pages, 1);
  EXPECT_EQ(Occurrences(text, "Key"), pages) << "the headers head every page";
  EXPECT_NE(text.find("Page 1 of " + std::to_string(pages)), std::string::npos) << text;
  EXPECT_NE(text.find("Page " + std::to_string(pages) + " of " + std::to_string(pages)),
            std::string::npos);
  for (int row = 1; row <= 150; ++row) {
    EXPECT_EQ(Occurrences(text, wxString::Format("R%03d", row).utf8_string()), 1) << row;
  }
}

TEST_F(MirvaleOutput, WideTablePutsColumnsOnFurtherPagesAndShortensLongValues) {
  std::vector<wxString> headers;
  for (int column = 1; column <= 30; ++column)
    headers.push_back(wxString::Format("Column%02d", column));
  TableRows rows(3, std::vector<wxString>(30, "cell"));
  rows[1][4] = wxString(10000, 'x');
  ReportListWindow window(headers, rows);
  Printer printer = MakePrinter();
  printer->SetListControl(&window.List());
  const std::string path = ArtefactPath("mirvale_wide_table.pdf");

  const std::string text = SavedText(*printer, "mirvale_wide_table.pdf");

  EXPECT_GT(PdfPageCount(path), 1);
  for (const wxString& header : headers) {
    EXPECT_EQ(Occurrences(text, header.utf8_string()), 1) << header;
  }
  EXPECT_EQ(text.find(std::string(200, 'x')), std::string::npos) << "the long value is cut";
  EXPECT_NE(text.find("xxxx"), std::string::npos) << "but its start is printed";
}

TEST_F(MirvaleOutput, OptionsTurnRowNumbersFooterDateAndHeadersOnAndOff) {
  ReportListWindow window(OrderHeaders(), OrderRows());
  Printer printer = MakePrinter();
  printer->SetListControl(&window.List());
  printer->SetFooter("Printed for the audit");
  printer->SetOptionB(0, 1);  // no headers, row numbers
  printer->SetOptionC(0, 1);  // no page numbers, the date
  const std::string today = wxDateTime::Now().Format("%Y-%m-%d").utf8_string();

  const std::string text = SavedText(*printer, "mirvale_options.pdf");

  EXPECT_EQ(text.find("OrderNo"), std::string::npos) << text;
  EXPECT_EQ(text.find("Page 1"), std::string::npos);
  EXPECT_NE(text.find("Printed for the audit"), std::string::npos);
  EXPECT_NE(text.find(today), std::string::npos);

  printer->SetOptionB(1, 1);
  const std::string numbered = SavedText(*printer, "mirvale_row_numbers.pdf");
  EXPECT_NE(numbered.find("#"), std::string::npos) << "the row-number column's header";
  EXPECT_NE(numbered.find("OrderNo"), std::string::npos);
}

TEST_F(MirvaleOutput, EmptyListStillPrintsTitleAndHeaders) {
  ReportListWindow window(OrderHeaders(), {});
  Printer printer = MakePrinter();
  printer->SetListControl(&window.List());
  printer->SetTableName("Nothing here", 1);

  const std::string text = SavedText(*printer, "mirvale_empty_list.pdf");

  EXPECT_NE(text.find("Nothing here"), std::string::npos) << text;
  EXPECT_NE(text.find("OrderNo"), std::string::npos);
  EXPECT_EQ(PdfPageCount(ArtefactPath("mirvale_empty_list.pdf")), 1);
}

TEST_F(MirvaleOutput, PageSetupFileSetsPaperOrientationAndMargins) {
  const std::string settings = m_dir.Path("page.ini");
  std::ofstream(settings) << "[PageSetup]\nPaperWidthMm=148\nPaperHeightMm=210\n"
                             "Orientation=Landscape\nMarginLeftMm=40\n";
  ReportListWindow window(OrderHeaders(), OrderRows());
  Printer printer = MakePrinter();
  printer->SetListControl(&window.List());

  EXPECT_TRUE(printer->UsePageSetup(settings.c_str()));
  const std::string path = ArtefactPath("mirvale_a5_landscape.pdf");
  ASSERT_TRUE(printer->SaveAsPdf(path.c_str()));

  EXPECT_TRUE(SamePageSize(PdfPageSize(path), kA5Landscape)) << "A5 lying on its side";
}

TEST_F(MirvaleOutput, DamagedSettingsKeepTheDefaultsForWhatIsUnreadable) {
  const std::string settings = m_dir.Path("damaged.ini");
  std::ofstream(settings) << "garbage without a section\n[PageSetup]\nPaperWidthMm=abc\n"
                             "PaperHeightMm=-3\nMarginTopMm=99999\nOrientation=Landscape\n";
  Printer printer = MakePrinter();

  EXPECT_TRUE(printer->UsePageSetup(settings.c_str()));
  const std::string path = ArtefactPath("mirvale_damaged_settings.pdf");
  ASSERT_TRUE(printer->SaveAsPdf(path.c_str()));

  EXPECT_TRUE(SamePageSize(PdfPageSize(path), kA4Landscape)) << "A4, landscape as the file asked";
}

TEST_F(MirvaleOutput, MissingSettingsFileChangesNothing) {
  Printer printer = MakePrinter();
  printer->SetOrientation(1);

  EXPECT_FALSE(printer->UsePageSetup(m_dir.Path("none.ini").c_str()));
  EXPECT_FALSE(printer->UsePageSetup(nullptr));
  const std::string path = ArtefactPath("mirvale_no_settings.pdf");
  ASSERT_TRUE(printer->SaveAsPdf(path.c_str()));

  EXPECT_TRUE(SamePageSize(PdfPageSize(path), kA4Landscape));
}

TEST_F(MirvaleOutput, PdfThatCannotBeWrittenFailsCleanly) {
  ReportListWindow window(OrderHeaders(), OrderRows());
  Printer printer = MakePrinter();
  printer->SetListControl(&window.List());

  EXPECT_FALSE(printer->SaveAsPdf(m_dir.Path("no/such/folder/out.pdf").c_str()));
  EXPECT_FALSE(printer->SaveAsPdf(nullptr));
  EXPECT_FALSE(printer->SaveAsPdf(""));
  EXPECT_TRUE(printer->SaveAsPdf(m_dir.Path("after.pdf").c_str())) << "the object still works";
}

TEST_F(MirvaleOutput, NoListGivesAnEmptyTable) {
  Printer printer = MakePrinter();
  printer->SetListControl(nullptr);
  printer->SetTableName("Without a list", 1);

  EXPECT_NE(SavedText(*printer, "mirvale_no_list.pdf").find("Without a list"), std::string::npos);
}

}  // namespace
}  // namespace quorlin::test
