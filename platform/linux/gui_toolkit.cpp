#include "platform/linux/gui_toolkit.h"

#include <wx/app.h>
#include <wx/init.h>
#include <wx/log.h>
#include <wx/utils.h>

// After the toolkit's headers: Xlib's macros (Status, Bool, None) would clash with them.
#include <X11/Xlib.h>

#include <cstdlib>

#include "platform/linux/host_locale_guard.h"

namespace quorlin::platform {
namespace {

// The application object when the library starts the toolkit itself. Its vtable lives in
// this library, which is why the library is linked with -z nodelete: wxWidgets keeps the
// object until the process ends.
class LibraryApp : public wxApp {
 public:
  // The default parses the command line, which belongs to the host.
  bool OnInit() override { return true; }
};

// By default wxWidgets shows logged errors in a window of its own; inside a host that would
// be a stray pop-up. The library reports its failures through the last-error text instead.
class DiscardingLog : public wxLog {
 protected:
  void DoLogRecord(wxLogLevel, const wxString&, const wxLogRecordInfo&) override {}
};

// Debian builds wxWidgets with its debug checks on, and a failed check opens a dialog.
void IgnoreToolkitAssert(const wxString&, int, const wxString&, const wxString&, const wxString&) {}

bool NonEmpty(const char* value) {
  return value != nullptr && *value != '\0';
}

bool DisplayNamed() {
  return NonEmpty(std::getenv("DISPLAY")) || NonEmpty(std::getenv("WAYLAND_DISPLAY"));
}

bool StartToolkit() {
  // wxWidgets keeps argv for the life of the application.
  static char programName[] = "quorlin";
  static char* argv[] = {programName, nullptr};
  static int argc = 1;

  const wxAssertHandler_t previousAssertHandler = wxSetAssertHandler(IgnoreToolkitAssert);
  wxLog* const previousLog = wxLog::SetActiveTarget(new DiscardingLog);
  // A display server can drop a connection while it is being set up (seen on busy virtual
  // displays), and the outcome is kept for the life of the host: a few tries keep one
  // dropped connection from costing the host its boxes. A display that is not there fails
  // each try at once.
  constexpr int kTries = 3;
  for (int attempt = 1; attempt <= kTries; ++attempt) {
    wxApp::SetInstance(new LibraryApp);
    // A false result means GTK could not open the display; wxEntryStart has then deleted
    // the application object, and a later call opens the display anew. Plain gtk_init
    // would have ended the host process instead.
    if (wxEntryStart(argc, argv)) {
      // wxEntryStart deletes the log target it found and leaves the toolkit's own, which
      // would show the toolkit's errors in windows of its own.
      delete wxLog::SetActiveTarget(new DiscardingLog);
      if (wxTheApp->CallOnInit()) return true;
      break;
    }
    if (attempt < kTries) wxMilliSleep(50);
  }
  delete wxLog::SetActiveTarget(previousLog);
  wxSetAssertHandler(previousAssertHandler);
  return false;
}

enum class StartOutcome { kNotTried, kStarted, kFailed };

}  // namespace

bool EnsureToolkitStarted() {
  // wxWidgets' own state is per process and a start cannot be retried, so the outcome of
  // the one attempt is kept for the life of the process as well.
  static StartOutcome outcome = StartOutcome::kNotTried;
  if (outcome == StartOutcome::kStarted) return true;
  if (outcome == StartOutcome::kFailed) return false;

  if (wxAppConsole* hostApp = wxAppConsole::GetInstance()) return hostApp->IsGUI();
  if (!DisplayNamed()) return false;

  HostLocaleGuard hostLocale;
  outcome = StartToolkit() ? StartOutcome::kStarted : StartOutcome::kFailed;
  return outcome == StartOutcome::kStarted;
}

void FlushToolkitOutput() {
  const wxDisplayInfo display = wxGetDisplayInfo();
  if (display.type == wxDisplayX11 && display.dpy != nullptr) {
    XFlush(static_cast<Display*>(display.dpy));
  }
}

}  // namespace quorlin::platform
