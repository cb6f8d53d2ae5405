// A host that runs wxWidgets itself: the library must show its boxes through the host's
// application object and leave the host's log target and assert handler alone. Runs under
// run_with_watcher.sh.
#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/init.h>
#include <wx/log.h>

#include "gui_test_support.h"
#include "host_toolkit_start.h"
#include "quorlin.h"

namespace quorlin::test {
namespace {

class HostApp : public wxApp {
 public:
  bool OnInit() override { return true; }
};

void HostAssertHandler(const wxString&, int, const wxString&, const wxString&, const wxString&) {}

TEST(HostToolkitTest, LibraryShowsItsBoxThroughTheHostsApplication) {
  QUORLIN_REQUIRE_WATCHER();
  ASSERT_TRUE(StartHostToolkit<HostApp>()) << "the watcher's display could not be opened";
  wxLog* const hostLog = new wxLogStderr;
  delete wxLog::SetActiveTarget(hostLog);
  wxSetAssertHandler(HostAssertHandler);
  const wxAppConsole* hostApp = wxAppConsole::GetInstance();
  MessageBoxRecorder recorder;
  const int dismissedBefore = DismissedBoxCount();

  SQLSetDebug(1);
  EXPECT_EQ(SQLSelectToTable(12345, "T", ""), -1);
  SQLSetDebug(0);

  EXPECT_EQ(DismissedBoxCount(), dismissedBefore + 1);
  ASSERT_EQ(recorder.ShownBoxes().size(), 1u);
  EXPECT_EQ(recorder.ShownBoxes()[0].message, wxString("Database not open"));
  EXPECT_EQ(wxAppConsole::GetInstance(), hostApp);
  EXPECT_EQ(wxLog::GetActiveTarget(), hostLog);
  EXPECT_EQ(wxTheAssertHandler, &HostAssertHandler);
  EXPECT_EQ(LastError(), "Database not open");
}

}  // namespace
}  // namespace quorlin::test
