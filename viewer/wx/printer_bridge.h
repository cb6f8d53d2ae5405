#pragma once

#include <string>

class wxListCtrl;
class wxWindow;

// The dialog's Preview, Print and Printer setup buttons hand the page the list shows to the
// printer library. Each call creates one printer object and destroys it before returning;
// the list control is used only until then.
namespace quorlin::viewer {

void PreviewPage(wxListCtrl& list, const std::string& tableName);
void PrintPage(wxListCtrl& list, const std::string& tableName);
void SetUpPrinter(wxWindow& parent);

}  // namespace quorlin::viewer
