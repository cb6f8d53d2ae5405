#include <exception>

#include "resources/view_data_ids.h"
#include "viewer/dialog_failures.h"
#include "viewer/printer_bridge.h"
#include "viewer/view_data_dialog.h"

namespace quorlin::viewer {
namespace {

template <typename Work>
void Guarded(Work&& work) noexcept {
  try {
    work();
  } catch (...) {
    ReportButtonFailure(std::current_exception());
  }
}

}  // namespace

ButtonResult ViewDataDialog::OnButton(int controlId) noexcept {
  using namespace quorlin::resources;
  switch (controlId) {
    case kCloseButton:
      // The fields go back into the members before the dialog ends; nothing reads them later.
      Guarded([&] { UpdateMembers(); });
      return ButtonResult::kDialogEnds;
    case kFirstButton:
      Guarded([&] { OnFirst(); });
      break;
    case kLastButton:
      Guarded([&] { OnLast(); });
      break;
    case kNextPageButton:
      Guarded([&] { OnNextPage(); });
      break;
    case kPrevPageButton:
      Guarded([&] { OnPrevPage(); });
      break;
    case kPreviewButton:
      Guarded([&] {
        UpdateMembers();  // a table name typed into the field counts
        PreviewPage(Surface().PrinterList(), m_tableName);
      });
      break;
    case kPrintButton:
      Guarded([&] {
        UpdateMembers();
        PrintPage(Surface().PrinterList(), m_tableName);
      });
      break;
    case kPrinterSetupButton:
      Guarded([&] { SetUpPrinter(Surface().PrinterParent()); });
      break;
    default:
      return ButtonResult::kNotADialogButton;
  }
  return ButtonResult::kDialogStays;
}

}  // namespace quorlin::viewer
