#include <gtest/gtest.h>

#include <filesystem>

#include "library_profiles.h"
#include "qhost_runner.h"

namespace qhost::test {
namespace {

// A value as SQL writes it into the table, and the CSV field it must come out as.
struct CsvValue {
  const char* sql;
  const char* field;
};

const std::vector<CsvValue> kValues = {
    {"'plain'", "plain"},
    {"'a,b'", "\"a,b\""},
    {"'say \"hi\"'", "\"say \"\"hi\"\"\""},
    {"'\"'", "\"\"\"\""},
    {"'one' || char(10) || 'two'", "\"one\ntwo\""},
    {"'one' || char(13) || char(10) || 'two'", "\"one\r\ntwo\""},
    {"'cr' || char(13)", "\"cr\r\""},
    {"'\xe6\xb8\xa9\xe5\xba\xa6 Z\xc3\xbcrich'", "\xe6\xb8\xa9\xe5\xba\xa6 Z\xc3\xbcrich"},
    {"'  blanks kept  '", "  blanks kept  "},
    {"''", ""},
};

// The table holds one record per value, with its number; the second column's name needs
// quotes in CSV too.
std::string TableScript() {
  std::string script =
      "connect Driver=SQLite3;Database=csv.db\n"
      "exec CREATE TABLE Log (Id INTEGER, \"Note, short\" VARCHAR(40))\n";
  for (std::size_t i = 0; i < kValues.size(); ++i) {
    script +=
        "exec INSERT INTO Log VALUES (" + std::to_string(i + 1) + ", " + kValues[i].sql + ")\n";
  }
  return script;
}

std::string ExpectedCsv(const std::string& lineEnd) {
  std::string csv = "Id,\"Note, short\"" + lineEnd;
  for (std::size_t i = 0; i < kValues.size(); ++i) {
    csv += std::to_string(i + 1) + "," + kValues[i].field + lineEnd;
  }
  return csv;
}

// What a command printed: from after its echoed line up to the next prompt.
std::string OutputOf(const std::string& out, const std::string& commandLine) {
  const std::string echoed = "qhost> " + commandLine + "\n";
  const std::size_t begin = out.find(echoed);
  if (begin == std::string::npos) return "<" + commandLine + " not run>";
  const std::size_t from = begin + echoed.size();
  const std::size_t next = out.find("qhost> ", from);
  return out.substr(from, next == std::string::npos ? std::string::npos : next - from);
}

class CsvOutput : public ::testing::TestWithParam<LibraryProfile> {
 protected:
  QhostRun Run(const std::string& script) {
    return RunScriptWith(m_folder, GetParam().library, TableScript() + script);
  }
  TempFolder m_folder;
};

TEST_P(CsvOutput, RowsAndDumpPrintCsvQuotedAsRfc4180) {
  const QhostRun run =
      Run("select Log\n"
          "rows --csv Id \"Note, short\"\n"
          "dump --csv Log Id \"Note, short\"\n");
  EXPECT_EQ(run.status, 0) << run.out << run.err;
  EXPECT_EQ(OutputOf(run.out, "rows --csv Id \"Note, short\""), ExpectedCsv("\n"));
  EXPECT_EQ(OutputOf(run.out, "dump --csv Log Id \"Note, short\""), ExpectedCsv("\n"));
}

TEST_P(CsvOutput, ACsvFileHasCrLfLineEndsAndTheSameFields) {
  const QhostRun run = Run("dump --csv=out.csv Log Id \"Note, short\"\n");
  EXPECT_EQ(run.status, 0) << run.out << run.err;
  EXPECT_EQ(OutputOf(run.out, "dump --csv=out.csv Log Id \"Note, short\""),
            "wrote out.csv: " + std::to_string(kValues.size()) + " rows as CSV\n");
  EXPECT_EQ(ReadFile(m_folder.File("out.csv")), ExpectedCsv("\r\n"));
}

// A record of one empty field would be an empty line, which CSV readers skip.
TEST_P(CsvOutput, ALoneEmptyFieldIsWrittenInQuotes) {
  const QhostRun run = Run("select Log Id = 10\nrows --csv \"Note, short\"\n");
  EXPECT_EQ(run.status, 0) << run.out << run.err;
  EXPECT_EQ(OutputOf(run.out, "rows --csv \"Note, short\""), "\"Note, short\"\n\"\"\n");
}

TEST_P(CsvOutput, AFileIsWrittenOnlyWhenEveryRecordWasRead) {
  m_folder.Write("out.csv", "kept");
  const QhostRun run =
      Run("! dump --csv=out.csv Missing Id\n"
          "! dump --csv=out.csv Log Id Humidity\n"
          "! dump --csv=no/such/folder/out.csv Log Id\n");
  EXPECT_EQ(run.status, 0) << run.out << run.err;
  EXPECT_EQ(ReadFile(m_folder.File("out.csv")), "kept");
  EXPECT_TRUE(ContainsInOrder(run.out, {"no such table: Missing", "Humidity",
                                        "error: cannot write no/such/folder/out.csv"}))
      << run.out;
  EXPECT_FALSE(std::filesystem::exists(m_folder.File("out.csv.part")));
}

TEST_P(CsvOutput, WrongOptionsAreRefusedBeforeAnythingRuns) {
  const QhostRun run =
      Run("select Log\n"
          "! rows --csv= Id\n"
          "! rows --cvs Id\n"
          "! dump --tsv Log Id\n");
  EXPECT_EQ(run.status, 0) << run.out << run.err;
  EXPECT_EQ(OutputOf(run.out, "! rows --csv= Id"),
            "--csv= needs a FILE\nusage: rows [--csv[=FILE]] FIELD... | rows [--csv[=FILE]] "
            "@BINDFILE\n");
  EXPECT_TRUE(ContainsInOrder(run.out, {"unknown option --cvs (--csv or --csv=FILE)\n",
                                        "unknown option --tsv (--csv or --csv=FILE)\n"}))
      << run.out;
}

INSTANTIATE_TEST_SUITE_P(Profiles, CsvOutput, BothProfiles(), ProfileName);

}  // namespace
}  // namespace qhost::test
