// The connection dialogs with no display to show them on. (Windows: the *_windows_test.cpp
// beside this file.)
#include <gtest/gtest.h>
#include <stdlib.h>

#include <cstring>
#include <string>

#include "test_support.h"

namespace quorlin::test {
namespace {

// Without a display no dialog can be shown: both exports explain that and leave the empty
// text (the dialog itself is tested under a virtual display).
TEST(ConnectionDialog, WithoutADisplayBothExportsReportAndReturnZero) {
  unsetenv("DISPLAY");
  unsetenv("WAYLAND_DISPLAY");
  using DialogExport = int (*)(char*, unsigned int);
  for (DialogExport dialog : {DialogExport{&SQLGetConnect}, DialogExport{&SQLGetDataSourceDesc}}) {
    char buffer[64];
    std::memset(buffer, '#', sizeof buffer);
    MarkLastError();
    EXPECT_EQ(dialog(buffer, sizeof buffer), 0);
    EXPECT_EQ(buffer[0], '\0');
    EXPECT_EQ(buffer[1], '#');
    EXPECT_NE(LastError().find("dialog"), std::string::npos) << LastError();
    std::memset(buffer, '#', sizeof buffer);
    EXPECT_EQ(dialog(buffer, 0), 0);
    EXPECT_EQ(buffer[0], '#') << "a size of 0 writes nothing";
    EXPECT_EQ(dialog(nullptr, 64), 0);
  }
}

}  // namespace
}  // namespace quorlin::test
