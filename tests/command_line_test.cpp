#include "app/cli/command_line.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "bench/full_group_log.h"
#include "tests/cli_run.h"
#include "tests/csv_table.h"
#include "tests/temp_folder.h"

namespace trelvox {
namespace {

namespace fs = std::filesystem;
using ::testing::Contains;
using ::testing::ContainsRegex;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::MatchesRegex;
using ::testing::Not;
using ::testing::StartsWith;

class CommandLine : public ::testing::Test {
 protected:
  void SetUp() override {
    LogBuilder log;
    log.record().word(0, 0x4000 | 74);
    log.writeFiles(folder / "flight01");
    log.writeFiles(folder / "flight02");
  }
  std::string path(const std::string& name) const { return (folder / name).string(); }

  TempFolder folder;
};

TEST_F(CommandLine, WritesTheCsvBesideTheLogAndNamesIt) {
  const CliRun result = run({path("flight01.KLD")});
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(result.out, "flight01.csv was generated.\n");
  EXPECT_EQ(CsvTable(readFile(folder / "flight01.csv"), ',').dataRowCount(), 1u);
}

TEST_F(CommandLine, ReportsInTheChosenLanguage) {
  EXPECT_EQ(run({"--lang", "de", path("flight01.KLD")}).out, "flight01.csv wurde erzeugt\n");
  EXPECT_EQ(run({"-f", path("flight01.KLD")}, Language::kJapanese).out,
            "flight01.csv ファイルが作成されました\n");
}

TEST_F(CommandLine, OutputOptionAndSeparators) {
  const CliRun result = run({"-o", path("out.csv"), "--decimal", ",", path("flight01.KLD")});
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(result.out, "out.csv was generated.\n");
  const CsvTable csv(readFile(folder / "out.csv"), ';');
  EXPECT_THAT(csv.column("BATTERY"), ::testing::ElementsAre("  7,4"));

  ASSERT_EQ(run({"-f", "-o", path("out.csv"), "--separator", "\t", path("flight01.KLD")}).status,
            0);
  const CsvTable tabs(readFile(folder / "out.csv"), '\t');
  EXPECT_THAT(tabs.column("BATTERY"), ::testing::ElementsAre("  7.4"));
}

TEST_F(CommandLine, ExistingOutputNeedsForce) {
  LogBuilder::writeFile(folder / "flight01.csv", {'x'});
  const CliRun refused = run({path("flight01.KLD")});
  EXPECT_EQ(refused.status, 1);
  EXPECT_THAT(refused.err, HasSubstr("already exists"));
  EXPECT_EQ(readFile(folder / "flight01.csv"), "x");
  EXPECT_EQ(run({"--force", path("flight01.KLD")}).status, 0);
  EXPECT_NE(readFile(folder / "flight01.csv"), "x");
}

TEST_F(CommandLine, AFailedLogDoesNotStopTheOthers) {
  const CliRun result = run({path("missing.KLD"), path("flight02.KLD")});
  EXPECT_EQ(result.status, 1);
  EXPECT_THAT(result.err, HasSubstr("Infotmation file(.KLI) not found."));
  EXPECT_EQ(result.out, "flight02.csv was generated.\n");
  EXPECT_FALSE(fs::exists(folder / "missing.csv"));
}

TEST_F(CommandLine, FailureMessagesFollowTheLanguage) {
  fs::remove(folder / "flight01.KLD");
  EXPECT_THAT(run({"--lang", "ja", path("flight01.KLD")}).err,
              HasSubstr("ファイルの読み込みに失敗しました"));
  EXPECT_THAT(run({"-f", "-o", "/dev/full", path("flight02.KLD")}, Language::kGerman).err,
              HasSubstr("Ausgabedatei kann nicht erstellt werden"));
}

TEST_F(CommandLine, UsageErrorsExitWithTwo) {
  const std::vector<std::vector<std::string>> misuses{
      {},
      {"--no-such-option", path("flight01.KLD")},
      {"-o", path("out.csv"), path("flight01.KLD"), path("flight02.KLD")},
      // One folder holding two logs is two logs as well: the second CSV would replace the first.
      {"-o", path("out.csv"), folder.path().string()},
      {"--separator", ";;", path("flight01.KLD")},
      {"--separator", ".", path("flight01.KLD")},
      // Separators that field texts contain, character codes and line ends are refused.
      {"--separator", "59", path("flight01.KLD")},
      {"--separator", "-", path("flight01.KLD")},
      {"--separator", " ", path("flight01.KLD")},
      {"--separator", "\n", path("flight01.KLD")},
      {"--separator", "x", path("flight01.KLD")},
      {"--decimal", "5", path("flight01.KLD")},
      {"--decimal", "-", path("flight01.KLD")},
      {"--decimal", "", path("flight01.KLD")},
      {"--lang", "fr", path("flight01.KLD")},
  };
  for (const auto& arguments : misuses) {
    const CliRun result = run(arguments);
    EXPECT_EQ(result.status, 2) << ::testing::PrintToString(arguments);
    EXPECT_FALSE(result.err.empty());
  }
  EXPECT_FALSE(fs::exists(folder / "out.csv"));
}

// A separator the command line takes splits every row of the CSV into as many fields as the
// header rows name, with every sensor type and the units row.
TEST_F(CommandLine, EverySeparatorTakenSplitsEveryRowAlike) {
  fullGroupLog(20).writeFiles(folder / "every");
  std::string candidates = "\t\xDF";
  for (char c = '!'; c <= '~'; ++c) candidates += c;
  for (const char separator : candidates) {
    const std::string text(1, separator);
    const CliRun result =
        run({"-f", "--units", "--separator", text, "-o", path("every.csv"), path("every.KLD")});
    if (result.status == 2) continue;
    ASSERT_EQ(result.status, 0) << text;
    std::istringstream rows(readFile(folder / "every.csv"));
    std::set<std::size_t> fieldCounts;
    for (std::string row; std::getline(rows, row);) {
      fieldCounts.insert(static_cast<std::size_t>(std::count(row.begin(), row.end(), separator)));
    }
    EXPECT_EQ(fieldCounts.size(), 1u) << "separator " << text;
  }
}

TEST_F(CommandLine, VersionAndHelpSucceed) {
  EXPECT_EQ(run({"--version"}).status, 0);
  EXPECT_EQ(run({"--version"}).out, "trelvox " TRELVOX_PROJECT_VERSION "\n");
  EXPECT_EQ(run({"--help"}).status, 0);
}

// The version comes from CMake's project() and nowhere else.
TEST_F(CommandLine, ProgramPrintsTheProjectVersion) {
  const std::string command = std::string(TRELVOX_BINARY) + " --version > " + path("version.txt");
  ASSERT_EQ(std::system(command.c_str()), 0);
  EXPECT_EQ(readFile(folder / "version.txt"), "trelvox " TRELVOX_PROJECT_VERSION "\n");
}

std::vector<std::string> helpLines(const std::string& program = "trelvox") {
  std::vector<std::string> lines;
  std::istringstream help(run({"--help"}, Language::kEnglish, program).out);
  for (std::string line; std::getline(help, line);) lines.push_back(line);
  return lines;
}

TEST(CommandLineHelp, OnePlainLinePerOption) {
  const std::vector<std::string> lines = helpLines();
  ASSERT_FALSE(lines.empty());
  EXPECT_EQ(lines.front(), "Usage: trelvox [options] LOG.KLD|FOLDER...");
  const auto options = std::find(lines.begin(), lines.end(), "Options:");
  ASSERT_NE(options, lines.end());
  const auto blank = std::find(options, lines.end(), "");
  ASSERT_NE(options + 1, blank);
  // Names, the value's name and what the option does, on one line.
  for (auto line = options + 1; line != blank; ++line) {
    EXPECT_THAT(*line,
                MatchesRegex("  -{1,2}[a-z]+(-[a-z]+)?(, --[a-z]+)?( [A-Za-z|-]+)?  +[^ ].*"));
  }
  EXPECT_THAT(lines, Contains(StartsWith("  --lang en|de|ja  ")));
  // Nothing of the parser's notation: types, "REQUIRED", value maps in braces.
  for (const std::string& line : lines) {
    EXPECT_LE(line.size(), 80u) << line;
    EXPECT_THAT(line, Not(ContainsRegex("ENUM|TEXT|REQUIRED|[{}]|->")));
  }
}

// The Windows console program's help shows the name it is called by, within 80 columns too.
TEST(CommandLineHelp, NamesTheWindowsProgramAsItIsCalled) {
  const std::vector<std::string> lines = helpLines("trelvox-cli");
  ASSERT_FALSE(lines.empty());
  EXPECT_EQ(lines.front(), "Usage: trelvox-cli [options] LOG.KLD|FOLDER...");
  EXPECT_THAT(lines.back(), StartsWith("  trelvox-cli -f "));
  for (const std::string& line : lines) EXPECT_LE(line.size(), 80u) << line;
}

// The help ends with two examples, which do what they say when typed into a shell.
TEST_F(CommandLine, HelpEndsWithTwoExamplesThatWork) {
  const std::vector<std::string> lines = helpLines();
  ASSERT_GE(lines.size(), 3u);
  EXPECT_EQ(lines[lines.size() - 3], "Examples:");
  LogBuilder log;
  log.record().word(0, 0x4000 | 74);
  for (const char* name : {"flight", "a", "b"}) log.writeFiles(folder / name);
  LogBuilder::writeFile(folder / "a.csv", {'x'});

  for (std::size_t k = lines.size() - 2; k < lines.size(); ++k) {
    const std::string& example = lines[k];
    ASSERT_THAT(example, StartsWith("  trelvox "));
    const std::string arguments = example.substr(9, example.find("  ", 2) - 9);
    const std::string command = "cd " + folder.path().string() + " && LC_ALL=C " + TRELVOX_BINARY +
                                arguments + " > /dev/null";
    EXPECT_EQ(std::system(command.c_str()), 0) << example;
  }
  EXPECT_THAT(CsvTable(readFile(folder / "flight.csv"), ',').column("BATTERY"),
              ElementsAre("  7.4"));
  for (const char* csv : {"a.csv", "b.csv"}) {
    EXPECT_THAT(CsvTable(readFile(folder / csv), ';').column("BATTERY"), ElementsAre("  7,4"));
  }
}

// The program itself takes its separators from the user's LC_NUMERIC.
TEST_F(CommandLine, ProgramFollowsTheNumericLocale) {
  const std::string command = "LC_ALL=de_DE.UTF-8 " + std::string(TRELVOX_BINARY) + " " +
                              path("flight01.KLD") + " > /dev/null 2>&1";
  if (std::system("locale -a 2>/dev/null | grep -qi '^de_DE.utf8$'") != 0) {
    GTEST_SKIP() << "no German locale installed";
  }
  ASSERT_EQ(std::system(command.c_str()), 0);
  const CsvTable csv(readFile(folder / "flight01.csv"), ';');
  EXPECT_THAT(csv.column("BATTERY"), ::testing::ElementsAre("  7,4"));
}

}  // namespace
}  // namespace trelvox
