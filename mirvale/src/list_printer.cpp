#include "list_printer.h"

#include <wx/app.h>
#include <wx/datetime.h>
#include <wx/generic/prntdlgg.h>
#include <wx/listctrl.h>
#include <wx/print.h>

#include <algorithm>
#include <string>

#include "call_log.h"
#include "core/page_setup_file.h"
#include "environment_options.h"
#include "list_copy.h"
#include "modal_preview.h"
#include "paper_conversion.h"
#include "pdf_writer.h"
#include "table_printout.h"

namespace mirvale {
namespace {

constexpr int kWidestMarginMm = 1000;

// Mirvale shows windows only inside an application that already runs the toolkit.
bool ToolkitRunning() {
  const wxAppConsole* app = wxAppConsole::GetInstance();
  return app != nullptr && app->IsGUI();
}

// Runs an operation so that nothing it throws leaves the library; failure gives false.
template <typename Operation>
bool Guarded(Operation&& operation) noexcept {
  try {
    return operation();
  } catch (...) {
    return false;
  }
}

std::string Quoted(const std::string& text) {
  return '"' + text + '"';
}

std::string Quoted(const char* text) {
  return text != nullptr ? Quoted(std::string(text)) : std::string("null");
}

std::string Numbers(std::initializer_list<int> values) {
  std::string text;
  for (int value : values) text += (text.empty() ? "" : ", ") + std::to_string(value);
  return text;
}

void KeepMargin(int requested, int& margin) {
  if (requested >= 0) margin = std::min(requested, kWidestMarginMm);
}

}  // namespace

bool ListPrinter::Print() {
  return Guarded([&] {
    LogCall("Print()");
    if (!ToolkitRunning()) return false;
    const std::string unattended = UnattendedPdfPath();
    if (!unattended.empty()) return WritePdf(unattended, MakeJob());
    return PrintWithDialog();
  });
}

void ListPrinter::SetOrientation(int landscape) {
  Guarded([&] {
    LogCall("SetOrientation(" + Numbers({landscape}) + ")");
    m_paper.landscape = landscape != 0;
    return true;
  });
}

bool ListPrinter::Preview() {
  return Guarded([&] {
    LogCall("Preview()");
    if (!ToolkitRunning()) return false;
    wxPrintData printData;
    ApplyPaper(m_paper, printData);
    return ShowModalPreview(MakeJob(), printData, OwnerWindow());
  });
}

void ListPrinter::SetMargins(int left, int top, int right, int bottom) {
  Guarded([&] {
    LogCall("SetMargins(" + Numbers({left, top, right, bottom}) + ")");
    KeepMargin(left, m_paper.marginLeftMm);
    KeepMargin(top, m_paper.marginTopMm);
    KeepMargin(right, m_paper.marginRightMm);
    KeepMargin(bottom, m_paper.marginBottomMm);
    return true;
  });
}

void ListPrinter::SetListControl(wxListCtrl* list) {
  Guarded([&] {
    m_content = list != nullptr ? CopyList(*list) : TableContent{};
    m_ownerWindow = list != nullptr ? wxGetTopLevelParent(list) : nullptr;
    LogCall(list == nullptr ? std::string("SetListControl(null)")
                            : "SetListControl(" + std::to_string(m_content.columns.size()) +
                                  " columns, " + std::to_string(m_content.rows.size()) + " rows)");
    return true;
  });
}

void ListPrinter::SetFontSize(int points) {
  Guarded([&] {
    LogCall("SetFontSize(" + Numbers({points}) + ")");
    m_style.fontPoints = points;
    return true;
  });
}

void ListPrinter::SetTableName(std::string name, int showAsTitle) {
  Guarded([&] {
    LogCall("SetTableName(" + Quoted(name) + ", " + Numbers({showAsTitle}) + ")");
    m_tableName = name;
    m_tableNameAsTitle = showAsTitle != 0;
    return true;
  });
}

void ListPrinter::SetOptionA(int gridLines) {
  Guarded([&] {
    LogCall("SetOptionA(" + Numbers({gridLines}) + ")");
    m_style.gridLines = gridLines != 0;
    return true;
  });
}

void ListPrinter::SetFooter(std::string text) {
  Guarded([&] {
    LogCall("SetFooter(" + Quoted(text) + ")");
    m_style.footer = text;
    return true;
  });
}

void ListPrinter::SetOptionB(int columnHeaders, int rowNumbers) {
  Guarded([&] {
    LogCall("SetOptionB(" + Numbers({columnHeaders, rowNumbers}) + ")");
    m_style.columnHeaders = columnHeaders != 0;
    m_style.rowNumbers = rowNumbers != 0;
    return true;
  });
}

void ListPrinter::SetOptionC(int pageNumbers, int printDate) {
  Guarded([&] {
    LogCall("SetOptionC(" + Numbers({pageNumbers, printDate}) + ")");
    m_style.pageNumbers = pageNumbers != 0;
    m_style.printDate = printDate != 0;
    return true;
  });
}

bool ListPrinter::SaveAsPdf(const char* path) {
  return Guarded([&] {
    LogCall("SaveAsPdf(" + Quoted(path) + ")");
    if (path == nullptr || *path == '\0' || !ToolkitRunning()) return false;
    return WritePdf(path, MakeJob());
  });
}

bool ListPrinter::UsePageSetup(const char* settingsPath) {
  return Guarded([&] {
    LogCall("UsePageSetup(" + Quoted(settingsPath) + ")");
    if (settingsPath == nullptr) return false;
    const std::optional<PaperLayout> layout = ReadPageSetupFile(settingsPath);
    if (layout) m_paper = *layout;
    return layout.has_value();
  });
}

bool ListPrinter::PrinterSetup(const char* settingsPath, wxWindow* parent) {
  return Guarded([&] {
    LogCall("PrinterSetup(" + Quoted(settingsPath) + ")");
    if (!ToolkitRunning()) return false;
    const std::string path = settingsPath != nullptr ? settingsPath : "";
    const PaperLayout start = ReadPageSetupFile(path).value_or(m_paper);
    wxPageSetupDialogData data = PageSetupDataFor(start);
    // The toolkit's own page-setup dialog, which also edits the margins Mirvale prints with.
    wxGenericPageSetupDialog dialog(parent, &data);
    if (dialog.ShowModal() != wxID_OK) return false;
    m_paper = PaperFromPageSetupData(dialog.GetPageSetupDialogData());
    return !path.empty() && WritePageSetupFile(path, m_paper);
  });
}

std::shared_ptr<const PrintJob> ListPrinter::MakeJob() const {
  auto job = std::make_shared<PrintJob>();
  job->name = m_tableName;
  job->content = m_content;
  job->style = m_style;
  job->style.title = m_tableNameAsTitle ? m_tableName : std::string();
  job->paper = m_paper;
  job->printedAt = wxDateTime::Now().Format("%Y-%m-%d %H:%M").utf8_string();
  return job;
}

bool ListPrinter::PrintWithDialog() {
  wxPrintData printData;
  ApplyPaper(m_paper, printData);
  wxPrintDialogData dialogData(printData);
  wxPrinter printer(&dialogData);
  TablePrintout printout(MakeJob());
  // Always through the dialog: printing straight to the default printer blocks for good on
  // a machine without a print server.
  return printer.Print(OwnerWindow(), &printout, true);
}

wxWindow* ListPrinter::OwnerWindow() const {
  return m_ownerWindow.get();
}

}  // namespace mirvale
