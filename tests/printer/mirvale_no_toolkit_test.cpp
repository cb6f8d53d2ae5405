// The printer library in a process that runs no GUI toolkit: it shows and writes nothing,
// never starts the toolkit itself, and still answers every operation. Also its call log.
#include <gtest/gtest.h>
#include <wx/app.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "mirvale.h"
#include "temp_dir.h"

namespace quorlin::test {
namespace {

std::vector<std::string> Lines(const std::string& path) {
  std::vector<std::string> lines;
  std::ifstream in(path);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

TEST(MirvaleWithoutToolkit, OperationsThatShowOrWriteDoNothingAndSayFalse) {
  TempDir dir;
  const std::string pdf = dir.Path("never.pdf");
  setenv("MIRVALE_PDF_OUTPUT", pdf.c_str(), 1);
  PLPrinter* printer = CreatePLPrinter();
  ASSERT_NE(printer, nullptr);

  printer->SetListControl(nullptr);
  printer->SetTableName("Orders", 1);
  EXPECT_FALSE(printer->Print());
  EXPECT_FALSE(printer->Preview());
  EXPECT_FALSE(printer->SaveAsPdf(pdf.c_str()));
  EXPECT_FALSE(printer->PrinterSetup(dir.Path("setup.ini").c_str(), nullptr));
  DeletePLPrinter(printer);
  unsetenv("MIRVALE_PDF_OUTPUT");

  EXPECT_FALSE(std::filesystem::exists(pdf));
  EXPECT_FALSE(std::filesystem::exists(dir.Path("setup.ini")));
  EXPECT_EQ(wxAppConsole::GetInstance(), nullptr) << "the library started a toolkit";
}

TEST(MirvaleWithoutToolkit, CallLogNamesEveryOperationWithItsArguments) {
  TempDir dir;
  const std::string log = dir.Path("calls.log");
  setenv("MIRVALE_CALL_LOG", log.c_str(), 1);

  PLPrinter* printer = CreatePLPrinter();
  printer->SetOrientation(1);
  printer->SetMargins(10, 20, -1, 5);
  printer->SetListControl(nullptr);
  printer->SetFontSize(12);
  printer->SetTableName("\xe8\xae\xa2\xe5\x8d\x95", 1);
  printer->SetOptionA(1);
  printer->SetFooter("foot");
  printer->SetOptionB(1, 0);
  printer->SetOptionC(1, 0);
  printer->UsePageSetup(nullptr);
  printer->PrinterSetup("d:\\test.ini", nullptr);
  DeletePLPrinter(printer);
  DeletePLPrinter(nullptr);
  unsetenv("MIRVALE_CALL_LOG");

  EXPECT_EQ(Lines(log), (std::vector<std::string>{
                            "CreatePLPrinter()",
                            "SetOrientation(1)",
                            "SetMargins(10, 20, -1, 5)",
                            "SetListControl(null)",
                            "SetFontSize(12)",
                            "SetTableName(\"\xe8\xae\xa2\xe5\x8d\x95\", 1)",
                            "SetOptionA(1)",
                            "SetFooter(\"foot\")",
                            "SetOptionB(1, 0)",
                            "SetOptionC(1, 0)",
                            "UsePageSetup(null)",
                            "PrinterSetup(\"d:\\test.ini\")",
                            "DeletePLPrinter()",
                            "DeletePLPrinter(null)",
                        }));
}

}  // namespace
}  // namespace quorlin::test
