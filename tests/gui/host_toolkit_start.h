#pragma once

#include <wx/app.h>
#include <wx/init.h>
#include <wx/log.h>
#include <wx/utils.h>

namespace quorlin::test {

// Starts the GUI toolkit the way a host application does, with an application object of
// class App. A virtual display now and then drops a connection while it is being set up,
// so a failed start is tried again, as the library does; a display that is not there fails
// every try. False when the display could not be opened.
template <typename App>
bool StartHostToolkit() {
  static char name[] = "host";
  static char* argv[] = {name, nullptr};
  static int argc = 1;
  // A failed try logs its error; to the test's output, not into a pop-up once a later try
  // has started the toolkit.
  delete wxLog::SetActiveTarget(new wxLogStderr);
  constexpr int kTries = 3;
  for (int attempt = 1; attempt <= kTries; ++attempt) {
    wxApp::SetInstance(new App);
    // On failure wxEntryStart has deleted the application object.
    if (wxEntryStart(argc, argv)) return wxTheApp->CallOnInit();
    wxMilliSleep(50);
  }
  return false;
}

}  // namespace quorlin::test
