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

// Mirvale shows windows only inside an application that already runs the toolkit.
bool ToolkitRunning() {
  const wxAppConsole* app = wxAppConsole::GetInstance();
  return app != nullptr && app->IsGUI();
}

std::string LocalTimeText() {
  return wxDateTime::Now().Format("%Y-%m-%d %H:%M").utf8_string();
}

}  // namespace

bool ListPrinter::Print() {
  return Guarded([&] {
    LogCall("Print()");
    if (!ToolkitRunning()) return false;
    const std::string unattended = UnattendedPdfPath();
    if (!unattended.empty()) return WritePdf(unattended, MakeJob(LocalTimeText()));
    return PrintWithDialog();
  });
}

bool ListPrinter::Preview() {
  return Guarded([&] {
    LogCall("Preview()");
    if (!ToolkitRunning()) return false;
    wxPrintData printData;
    ApplyPaper(m_paper, printData);
    return ShowModalPreview(MakeJob(LocalTimeText()), printData, OwnerWindow());
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

bool ListPrinter::SaveAsPdf(const char* path) {
  return Guarded([&] {
    LogCall("SaveAsPdf(" + Quoted(path) + ")");
    if (path == nullptr || *path == '\0' || !ToolkitRunning()) return false;
    return WritePdf(path, MakeJob(LocalTimeText()));
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

bool ListPrinter::PrintWithDialog() {
  wxPrintData printData;
  ApplyPaper(m_paper, printData);
  wxPrintDialogData dialogData(printData);
  wxPrinter printer(&dialogData);
  TablePrintout printout(MakeJob(LocalTimeText()));
  // Always through the dialog: printing straight to the default printer blocks for good on
  // a machine without a print server.
  return printer.Print(OwnerWindow(), &printout, true);
}

wxWindow* ListPrinter::OwnerWindow() const {
  return m_ownerWindow.get();
}

}  // namespace mirvale
