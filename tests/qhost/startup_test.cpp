#include <gtest/gtest.h>

#include <filesystem>
#include <regex>

#include "qhost_process.h"
#include "qhost_runner.h"
#include "quorlin.h"

namespace qhost::test {
namespace {

TEST(Startup, VersionPrintsTheVersionOfTheLibrarysHeaderWithoutLoadingIt) {
  TempFolder folder;
  // A library that cannot load shows that --version needs none.
  const QhostRun run =
      RunQhost(folder, {"--library", folder.File("missing.so"), "--version"}, "", false);
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out, std::string("qhost ") + QUORLIN_VERSION + "\n");
  EXPECT_TRUE(std::regex_match(run.out, std::regex("qhost [0-9]+\\.[0-9]+\\.[0-9]+\n"))) << run.out;
  EXPECT_EQ(run.err, "");
}

TEST(Startup, HelpNamesTheVersionOption) {
  TempFolder folder;
  const QhostRun run = RunQhost(folder, {"--help"}, "", false);
  EXPECT_EQ(run.status, 0);
  EXPECT_TRUE(ContainsInOrder(run.out, {"usage: ", "--version", QUORLIN_VERSION})) << run.out;
}

// LANG means nothing to the C runtime on Windows, which takes the user's settings instead.
#ifndef _WIN32
TEST(Startup, ALocaleThatIsNotInstalledIsNamedAndQhostGoesOnInEnglish) {
  TempFolder folder;
  const QhostRun run =
      RunScriptWith(folder, LibraryPath(), "select 7 Missing\n", LocaleEnvironment("xx_XX.UTF-8"));
  EXPECT_EQ(run.status, 1);
  EXPECT_TRUE(ContainsInOrder(run.err, {"qhost: the locale", "is not installed"})) << run.err;
  EXPECT_TRUE(ContainsInOrder(run.out, {"-1 (error: Database not open)\n"})) << run.out;
}

// Without --library, a copy of qhost outside the build tree finds the library by the names
// in `files` (each a link to a built library) in the folder `place`: "sys" is only on the
// system loader's path, "app/lib" is the lib folder beside the copy's app/bin.
struct SearchCase {
  const char* name;
  const char* place;
  std::vector<std::pair<std::string, std::string>> files;  // file name, library it links to
  const char* loadText;  // what lasterror says right after loading; empty: nothing loads
};

void PrintTo(const SearchCase& search, std::ostream* out) {
  *out << search.name;
}

const char kFullLoadText[] = "Success";
const char kLegacyLoadText[] = "\xd6\xb4\xd0\xd0\xb3\xc9\xb9\xa6";  // "执行成功" in GBK

const std::vector<SearchCase> kSearchCases = {
    {"VersionedNameOnTheLoadersPath", "sys", {{"libquorlin.so.1", LibraryPath()}}, kFullLoadText},
    {"PlainNameOnTheLoadersPath", "sys", {{"libquorlin.so", LegacyLibraryPath()}}, kLegacyLoadText},
    {"VersionedNameBeforeThePlainOne",
     "sys",
     {{"libquorlin.so.1", LibraryPath()}, {"libquorlin.so", LegacyLibraryPath()}},
     kFullLoadText},
    {"VersionedNameInTheLibFolder",
     "app/lib",
     {{"libquorlin.so.1", LegacyLibraryPath()}},
     kLegacyLoadText},
    {"NoLibraryAnywhere", "sys", {}, ""},
};

class LibrarySearch : public ::testing::TestWithParam<SearchCase> {};

TEST_P(LibrarySearch, FindsTheLibraryByItsVersionedNameFirst) {
  namespace fs = std::filesystem;
  const SearchCase& search = GetParam();
  TempFolder folder;
  // Asked by name alone, the system's loader searches its own paths (a test process cannot
  // ask for itself: the built library, loaded once by path, stays loaded under its SONAME).
  for (const char* name : {"libquorlin.so.1", "libquorlin.so"}) {
    if (search.files.empty() &&
        RunQhost(folder, {"--library", name}, "", false, {{"LD_LIBRARY_PATH", ""}}).status == 0) {
      GTEST_SKIP() << name << " is installed on the loader's own path, so it would be found";
    }
  }
  fs::create_directories(folder.File("app/bin"));
  fs::create_directories(folder.File(search.place));
  const std::string qhost = folder.File("app/bin/qhost");
  fs::copy_file(QHOST_PATH, qhost);
  for (const auto& [name, target] : search.files) {
    fs::create_symlink(fs::canonical(target), folder.File(std::string(search.place) + "/" + name));
  }
  const std::string input = folder.Write("input", "lasterror\n");
  const int status = RunProgram(folder.Path(), qhost, {}, input, folder.File("out"),
                                folder.File("err"), {{"LD_LIBRARY_PATH", folder.File("sys")}});
  const std::string out = ReadFile(folder.File("out"));
  const std::string err = ReadFile(folder.File("err"));
  if (*search.loadText == '\0') {
    EXPECT_EQ(status, 2);
    EXPECT_TRUE(ContainsInOrder(
        err, {"cannot load the library: ", "libquorlin.so.1: ", "; libquorlin.so: "}))
        << err;
  } else {
    EXPECT_EQ(status, 0) << err;
    EXPECT_EQ(out, std::string("qhost> lasterror\n") + search.loadText + "\n");
  }
}

INSTANTIATE_TEST_SUITE_P(Startup, LibrarySearch, ::testing::ValuesIn(kSearchCases),
                         [](const ::testing::TestParamInfo<SearchCase>& info) {
                           return std::string(info.param.name);
                         });

#endif

}  // namespace
}  // namespace qhost::test
