#include "gui_test_support.h"

#include <wx/msgdlg.h>

#include <clocale>

#include "quorlin.h"

namespace quorlin::test {

std::string LastError() {
  char buffer[600] = {};
  if (SQLLastError(buffer, sizeof buffer) != 0) return "<SQLLastError failed>";
  return buffer;
}

int MessageBoxRecorder::Enter(wxDialog* dialog) {
  if (const auto* box = dynamic_cast<const wxMessageDialogBase*>(dialog)) {
    m_shown.push_back({box->GetCaption(), box->GetMessage(), box->GetMessageDialogStyle()});
  }
  return wxID_NONE;
}

bool LocaleInstalled(const char* name) {
  const std::string previous = std::setlocale(LC_ALL, nullptr);
  const bool installed = std::setlocale(LC_ALL, name) != nullptr;
  std::setlocale(LC_ALL, previous.c_str());
  return installed;
}

}  // namespace quorlin::test
