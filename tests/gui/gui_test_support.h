#pragma once

#include <wx/modalhook.h>
#include <wx/string.h>

#include <string>
#include <vector>

#include "watcher_log.h"

namespace quorlin::test {

// The library's last-error text as the host reads it.
std::string LastError();

// What each modal message box looked like when it opened. Watches the toolkit that both the
// library and the test program load, and lets every box show as usual.
class MessageBoxRecorder : public wxModalDialogHook {
 public:
  struct Shown {
    wxString caption;
    wxString message;
    long style = 0;
  };
  MessageBoxRecorder() { Register(); }
  const std::vector<Shown>& ShownBoxes() const { return m_shown; }

 protected:
  int Enter(wxDialog* dialog) override;
  void Exit(wxDialog*) override {}

 private:
  std::vector<Shown> m_shown;
};

// True when setlocale(LC_ALL, name) works here; leaves the locale as it was.
bool LocaleInstalled(const char* name);

}  // namespace quorlin::test
