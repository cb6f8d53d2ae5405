#include <gtest/gtest.h>

#include "qhost_runner.h"

namespace qhost::test {
namespace {

// A real library that has none of the 25 exports stands for an older or reduced build: the
// system library every machine has (the build names it).
const char kLibraryWithoutExports[] = QHOST_LIBRARY_WITHOUT_EXPORTS;

TEST(LibraryLoading, ExportsTheLibraryLacksAreNamedInsteadOfCalled) {
  TempFolder folder;
  const QhostRun run =
      RunQhost(folder, {"--library", kLibraryWithoutExports}, "exports\nconnect x\n", false);
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_TRUE(
      ContainsInOrder(run.out, {"  no   SQLSetDebug\n", "  no   SQLDisplay\n", "0 of 25 exports\n",
                                "this library has no SQLConnectToDatabase\n"}))
      << run.out;
}

TEST(LibraryLoading, AScriptStopsAtAnExportTheLibraryLacks) {
  TempFolder folder;
  const std::string script = folder.Write("script.qh", "rowcount\necho not reached\n");
  const QhostRun run = RunQhost(folder, {"--library", kLibraryWithoutExports, script}, "", false);
  EXPECT_EQ(run.status, 1);
  EXPECT_TRUE(ContainsInOrder(run.out, {"this library has no SQLGetRowCount\n"})) << run.out;
  EXPECT_EQ(run.out.find("not reached"), std::string::npos);
}

TEST(LibraryLoading, ALibraryThatCannotBeLoadedEndsWithStatusTwo) {
  TempFolder folder;
  const QhostRun run = RunQhost(folder, {"--library", folder.File("libnothing.so")}, "", false);
  EXPECT_EQ(run.status, 2);
  EXPECT_TRUE(ContainsInOrder(run.err, {"cannot load the library: ", "libnothing.so"})) << run.err;
}

TEST(LibraryLoading, AWrongCommandLineEndsWithStatusTwo) {
  TempFolder folder;
  const QhostRun run = RunQhost(folder, {"--frobnicate"}, "", false);
  EXPECT_EQ(run.status, 2);
  EXPECT_TRUE(ContainsInOrder(run.err, {"unknown option --frobnicate"})) << run.err;
}

TEST(LibraryLoading, WithoutAPathTheLibraryAtTheTopOfTheBuildTreeIsLoaded) {
  TempFolder folder;
  const QhostRun run =
      RunQhost(folder, {}, "connect Driver=SQLite3;Database=default.db\nexports\n", false);
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_TRUE(ContainsInOrder(run.out, {"connection 0 (now $id)\n", "  yes  SQLLastError\n"}))
      << run.out << run.err;
}

}  // namespace
}  // namespace qhost::test
