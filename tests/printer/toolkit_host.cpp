#include "toolkit_host.h"

#include <wx/app.h>
#include <wx/init.h>
#include <wx/log.h>
#include <wx/utils.h>

#include "host_toolkit_start.h"

namespace quorlin::test {
namespace {

class HostApp : public wxApp {
 public:
  bool OnInit() override { return true; }
};

}  // namespace

bool StartToolkitAsHost() {
  if (wxTheApp != nullptr) return true;
  if (!StartHostToolkit<HostApp>()) return false;
  // Errors go to the test's output, not into pop-ups on the virtual display.
  delete wxLog::SetActiveTarget(new wxLogStderr);
  return true;
}

void LetToolkitSettle() {
  for (int round = 0; round < 5; ++round) {
    wxTheApp->ProcessPendingEvents();
    wxTheApp->ProcessIdle();
    wxYield();
    wxMilliSleep(20);
  }
}

}  // namespace quorlin::test
