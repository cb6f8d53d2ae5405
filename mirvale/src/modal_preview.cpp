#include "modal_preview.h"

#include <wx/display.h>
#include <wx/evtloop.h>
#include <wx/print.h>

#include <memory>

#include "table_printout.h"

namespace mirvale {
namespace {

wxString PreviewTitle(const PrintJob& job) {
  return job.name.empty() ? wxString("Print preview")
                          : wxString("Print preview - ") + wxString::FromUTF8(job.name);
}

// Most of the screen the parent is on, so that a whole page shows at a readable zoom.
wxRect PreviewPlacement(wxWindow* parent) {
  const int index = parent != nullptr ? wxDisplay::GetFromWindow(parent) : wxNOT_FOUND;
  const wxRect area =
      wxDisplay(index == wxNOT_FOUND ? 0u : static_cast<unsigned>(index)).GetClientArea();
  return area.Deflate(area.width / 10, area.height / 20);
}

}  // namespace

bool ShowModalPreview(std::shared_ptr<const PrintJob> job, const wxPrintData& printData,
                      wxWindow* parent) {
  wxPrintDialogData dialogData(printData);
  // The preview owns both printouts and deletes them with itself.
  auto* preview = new wxPrintPreview(new TablePrintout(job), new TablePrintout(job), &dialogData);
  if (!preview->IsOk()) {
    delete preview;
    return false;
  }
  const wxRect placement = PreviewPlacement(parent);
  auto* frame = new wxPreviewFrame(preview, parent, PreviewTitle(*job), placement.GetPosition(),
                                   placement.GetSize());
  frame->InitializeWithModality(wxPreviewFrame_AppModal);

  // The frame destroys itself when closed; its own close handler must still run, so the
  // loop only learns of the close here and lets the event go on. The frame may outlive the
  // loop until the toolkit deletes it, hence the shared, cleared pointer.
  wxGUIEventLoop loop;
  auto running = std::make_shared<wxEventLoopBase*>(&loop);
  frame->Bind(wxEVT_CLOSE_WINDOW, [running](wxCloseEvent& event) {
    event.Skip();
    if (*running != nullptr) (*running)->ScheduleExit();
    *running = nullptr;
  });
  frame->Show();
  frame->Raise();
  loop.Run();
  *running = nullptr;
  return true;
}

}  // namespace mirvale
