#pragma once

#include <memory>
#include <string>

#include "core/print_job.h"
#include "mirvale.h"

namespace mirvale {

// What both platforms' printer objects share: the table copied from the list, the options
// set on it and the paper, and the operations that only change them. The platforms add the
// list copy, the windows, the dialogs and the output. Every operation catches what it
// raises, so that nothing crosses into the caller's code.
class PrinterSettings : public PLPrinter {
 public:
  void SetOrientation(int landscape) override;
  void SetMargins(int left, int top, int right, int bottom) override;
  void SetFontSize(int points) override;
  void SetTableName(std::string name, int showAsTitle) override;
  void SetOptionA(int gridLines) override;
  void SetFooter(std::string text) override;
  void SetOptionB(int columnHeaders, int rowNumbers) override;
  void SetOptionC(int pageNumbers, int printDate) override;
  bool UsePageSetup(const char* settingsPath) override;

 protected:
  // Runs an operation so that nothing it throws leaves the library; failure gives false.
  template <typename Operation>
  static bool Guarded(Operation&& operation) noexcept {
    try {
      return operation();
    } catch (...) {
      return false;
    }
  }
  // A text argument as the call log shows it: quoted, or null.
  static std::string Quoted(const char* text);

  // The job to print now, stamped with the local time as printedAt.
  std::shared_ptr<const PrintJob> MakeJob(std::string printedAt) const;

  std::string m_tableName;
  bool m_tableNameAsTitle = false;
  TableContent m_content;
  TableStyle m_style;
  PaperLayout m_paper;
};

}  // namespace mirvale
