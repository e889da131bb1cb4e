// What the rows of the output table decide on the command line: each side file's option, its help
// and its file, and which runs read the limits file.
#include "conversion/output_table.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "tests/cli_run.h"
#include "tests/temp_folder.h"

namespace trelvox {
namespace {

namespace fs = std::filesystem;
using ::testing::HasSubstr;
using ::testing::UnorderedElementsAre;
using ::testing::UnorderedElementsAreArray;

// The demo flight, which has positions, so that every side file is kept.
class OutputTableOnTheCommandLine : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char* extension : {".KLD", ".KLI"}) {
      fs::copy_file(fs::path(TRELVOX_SOURCE_DIR) / "examples" / (std::string("demo") + extension),
                    folder / (std::string("demo") + extension));
    }
  }
  std::string log() const { return (folder / "demo.KLD").string(); }

  TempFolder folder;
};

TEST_F(OutputTableOnTheCommandLine, EachSideFilesOptionWritesItsFileAloneAndIsInTheHelp) {
  const std::string help = run({"--help"}).out;
  int sideFiles = 0;
  for (const OutputRow& row : kOutputTable) {
    if (row.option.empty()) continue;
    ++sideFiles;
    SCOPED_TRACE(row.option);
    const std::string file = "demo" + std::string(row.extension);
    const CliRun result = run({"--no-csv", std::string(row.option), log()});
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.out, file + " was generated.\n");
    EXPECT_THAT(filesIn(folder.path()), UnorderedElementsAre("demo.KLD", "demo.KLI", file));
    fs::remove(folder / file);
    EXPECT_THAT(help, HasSubstr(std::string(row.option)));
    EXPECT_THAT(help, HasSubstr(std::string(row.help)));
  }
  EXPECT_GE(sideFiles, 4);  // JSON, GPX, KML, the page and any later
}

// Every file at once, each beside the CSV under its extension: no two rows share one.
TEST_F(OutputTableOnTheCommandLine, EveryOptionAtOnceWritesEveryFile) {
  std::vector<std::string> arguments;
  std::vector<std::string> expected{"demo.KLD", "demo.KLI"};
  for (const OutputRow& row : kOutputTable) {
    if (!row.option.empty()) arguments.emplace_back(row.option);
    expected.push_back("demo" + std::string(row.extension));
  }
  arguments.push_back(log());
  EXPECT_EQ(run(arguments).status, 0);
  EXPECT_THAT(filesIn(folder.path()), UnorderedElementsAreArray(expected));
}

// A row that reads the health check makes the run read the limits file, whose fault then fails
// the log; any other row leaves it unread.
TEST_F(OutputTableOnTheCommandLine, OnlyRowsThatReadTheHealthCheckReadTheLimitsFile) {
  std::ofstream(folder / "trelvox.toml") << "[checks]\nmerj = 2.0\n";
  for (const OutputRow& row : kOutputTable) {
    SCOPED_TRACE(row.name);
    const CliRun result = row.option.empty() ? run({"--force", log()})
                                             : run({"--no-csv", std::string(row.option), log()});
    EXPECT_EQ(result.status, row.reads.health ? 1 : 0);
    EXPECT_EQ(result.err.find("unknown key `merj`") != std::string::npos, row.reads.health);
  }
}

}  // namespace
}  // namespace trelvox
