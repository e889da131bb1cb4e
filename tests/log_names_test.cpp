// Logs as pilots name them on the command line: which files are converted into which CSV, and what
// a name that gives no log says.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "app/cli/command_line.h"
#include "conversion/decoder_registry.h"
#include "conversion/path_text.h"
#include "decoders/gps_sensors.h"
#include "tests/cli_run.h"
#include "tests/csv_table.h"
#include "tests/temp_folder.h"

namespace trelvox {
namespace {

namespace fs = std::filesystem;
using ::testing::UnorderedElementsAreArray;

// Writes the log as BASE + dataExtension and BASE + infoExtension.
void writeLog(const LogBuilder& log, const std::string& base, const std::string& dataExtension,
              const std::string& infoExtension) {
  LogBuilder::writeFile(pathFromUtf8(base + dataExtension), log.dataBytes());
  LogBuilder::writeFile(pathFromUtf8(base + infoExtension), log.infoBytes());
}

LogBuilder receiverOnly(int records) {
  LogBuilder log;
  for (int i = 0; i < records; ++i) log.record().word(0, static_cast<std::uint16_t>(0x4000 | i));
  return log;
}

// A log whose information file gives another CSV than receiverOnly's: a data file read with the
// other log's information file gives neither log's CSV.
LogBuilder withGps(int records) {
  LogBuilder log = receiverOnly(records);
  log.sensor(1, typeIdOf<OrvaneGpsDecoder>());
  return log;
}

std::vector<std::string> displayNamesIn(const fs::path& folder) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder)) {
    names.push_back(displayPath(entry.path().filename()));
  }
  return names;
}

// Runs in a temporary folder as the current folder, as a pilot in the card's folder would.
class LogNames : public ::testing::Test {
 protected:
  void SetUp() override { fs::current_path(folder.path()); }
  void TearDown() override { fs::current_path(before_); }

  TempFolder folder;

 private:
  fs::path before_ = fs::current_path();
};

// A card copied to a case-sensitive file system may hold x.KLD and x.kld, two different logs. The
// one named is converted, with the information file spelled alike; both at once would write one
// x.csv, so the second fails rather than replacing the first (-j and -f make no difference).
TEST_F(LogNames, TwoLogsToldApartOnlyByTheCaseOfTheirExtensions) {
  fs::create_directory("dup");
  const LogBuilder upper = receiverOnly(3);
  const LogBuilder lower = withGps(2);
  writeLog(upper, "dup/x", ".KLD", ".KLI");
  writeLog(lower, "dup/x", ".kld", ".kli");
  const std::string upperCsv = convert(upper).text();
  const std::string lowerCsv = convert(lower).text();
  ASSERT_NE(upperCsv, lowerCsv);
  const std::string twice = ": Cannot create output file. (dup/x.csv would be written twice)\n";
  const struct {
    std::vector<std::string> arguments;
    int status;
    std::string err;
    const std::string& csv;
  } cases[] = {
      {{"dup/x.kld"}, 0, "", lowerCsv},
      {{"dup/x.KLD"}, 0, "", upperCsv},
      {{"dup/x.kli"}, 0, "", lowerCsv},
      {{"dup/x.KLI"}, 0, "", upperCsv},
      {{"dup/x"}, 0, "", upperCsv},
      {{"dup"}, 1, "dup/x.kld" + twice, upperCsv},
      {{"-f", "dup"}, 1, "dup/x.kld" + twice, upperCsv},
      {{"-j", "2", "dup/x.kld", "dup/x.KLD"}, 1, "dup/x.KLD" + twice, lowerCsv},
      {{"-j", "2", "dup/x.kld", "dup/x.kli", "dup/x.KLI"}, 1, "dup/x.KLI" + twice, lowerCsv},
  };
  for (const auto& c : cases) {
    const std::string said = ::testing::PrintToString(c.arguments);
    const CliRun result = run(c.arguments);
    EXPECT_EQ(result.status, c.status) << said;
    EXPECT_EQ(result.out, "x.csv was generated.\n") << said;
    EXPECT_EQ(result.err, c.err) << said;
    EXPECT_EQ(readFile("dup/x.csv"), c.csv) << said;
    EXPECT_THAT(displayNamesIn("dup"),
                UnorderedElementsAreArray({"x.KLD", "x.KLI", "x.kld", "x.kli", "x.csv"}))
        << said;
    fs::remove("dup/x.csv");
  }
}

// Each name a pilot may give a log by converts that log into the CSV beside it, named after its
// data file.
TEST_F(LogNames, EveryWayOfNamingALogConvertsIt) {
  const LogBuilder log = withGps(3);
  const std::string csv = convert(log).text();
  fs::create_directory("my.logs");
  fs::create_directory("real");
  const struct {
    std::string base;
    std::string dataExtension;
    std::string infoExtension;
    std::vector<std::string> arguments;
    std::string written;
  } cases[] = {
      {"flight.2024.05", ".KLD", ".KLI", {"flight.2024.05.KLD"}, "flight.2024.05.csv"},
      {"flight.2024.05", ".KLD", ".KLI", {"flight.2024.05.KLI"}, "flight.2024.05.csv"},
      {"flight.2024.05", ".KLD", ".KLI", {"flight.2024.05"}, "flight.2024.05.csv"},
      {"flight.2024.05", ".kld", ".kli", {"flight.2024.05"}, "flight.2024.05.csv"},
      {"v1.2", ".KLD", ".KLI", {"./v1.2"}, "v1.2.csv"},
      {"my.logs/flight", ".KLD", ".KLI", {"my.logs/flight"}, "my.logs/flight.csv"},
      {"flight", ".KLD", ".KLI", {"flight.KLD"}, "flight.csv"},
      {"flight", ".KLD", ".KLI", {"flight"}, "flight.csv"},
      {"flight", ".KLD", ".KLI", {"flight.KLD", "./flight.KLI", "flight", "."}, "flight.csv"},
      {"my flight", ".KLD", ".KLI", {"my flight.KLD"}, "my flight.csv"},
      {"-flight", ".KLD", ".KLI", {"--", "-flight.KLD"}, "-flight.csv"},
      {"フライト", ".KLD", ".KLI", {"フライト.KLD"}, "フライト.csv"},
      {"Flug_Ü", ".kld", ".kli", {"Flug_Ü.kld"}, "Flug_Ü.csv"},
      {"mixed", ".KLD", ".kli", {"mixed.KLD"}, "mixed.csv"},
      {"mixed", ".kld", ".KLI", {"mixed.kld"}, "mixed.csv"},
      {"mixed", ".Kld", ".kLi", {"mixed.KLI"}, "mixed.csv"},
  };
  for (const auto& c : cases) {
    const std::string said = ::testing::PrintToString(c.arguments);
    writeLog(log, c.base, c.dataExtension, c.infoExtension);
    const CliRun result = run(c.arguments);
    EXPECT_EQ(result.status, 0) << said;
    EXPECT_EQ(result.err, "") << said;
    EXPECT_EQ(result.out, displayPath(pathFromUtf8(c.written).filename()) + " was generated.\n")
        << said;
    EXPECT_EQ(readFile(pathFromUtf8(c.written)), csv) << said;
    for (const std::string& extension : {c.dataExtension, c.infoExtension, std::string(".csv")}) {
      fs::remove(pathFromUtf8(c.base + extension));
    }
  }

  // A data file that is a link converts as named, beside the link, and leaves the link as it was.
  writeLog(log, "real/flight", ".KLD", ".KLI");
  fs::create_symlink("real/flight.KLD", "link.KLD");
  fs::create_symlink("real/flight.KLI", "link.KLI");
  const CliRun linked = run({"link.KLD"});
  EXPECT_EQ(linked.status, 0) << linked.err;
  EXPECT_EQ(linked.out, "link.csv was generated.\n");
  EXPECT_EQ(readFile("link.csv"), csv);
  EXPECT_TRUE(fs::is_symlink("link.KLD"));
  EXPECT_THAT(displayNamesIn("real"), UnorderedElementsAreArray({"flight.KLD", "flight.KLI"}));
}

// A name that gives no whole log fails with the file that is missing (and the system's reason
// where it is the data file), and writes nothing.
TEST_F(LogNames, ANameWithoutAWholeLogSaysWhichFileIsMissing) {
  const LogBuilder log = receiverOnly(2);
  LogBuilder::writeFile("lonely.KLI", log.infoBytes());
  LogBuilder::writeFile("alone.KLD", log.dataBytes());
  LogBuilder::writeFile("flight.2024.05.KLI", log.infoBytes());
  const std::string noInfo = "Infotmation file(.KLI) not found.";
  const struct {
    std::string argument;
    std::string err;
  } cases[] = {
      {"lonely.KLI", "lonely.KLI: Cannot read file. (lonely.KLD: No such file or directory)\n"},
      {"lonely", "lonely: Cannot read file. (lonely.KLD: No such file or directory)\n"},
      {"flight.2024.05",
       "flight.2024.05: Cannot read file. (flight.2024.05.KLD: No such file or directory)\n"},
      {"alone.KLD", "alone.KLD: " + noInfo + " (alone.KLI)\n"},
      {"alone.kld", "alone.kld: " + noInfo + " (alone.KLI)\n"},
      {"nothing.KLD", "nothing.KLD: " + noInfo + " (nothing.KLI)\n"},
  };
  for (const auto& c : cases) {
    const CliRun result = run({c.argument});
    EXPECT_EQ(result.status, 1) << c.argument;
    EXPECT_EQ(result.out, "") << c.argument;
    EXPECT_EQ(result.err, c.err) << c.argument;
  }
  EXPECT_THAT(displayNamesIn("."),
              UnorderedElementsAreArray({"lonely.KLI", "alone.KLD", "flight.2024.05.KLI"}));
}

}  // namespace
}  // namespace trelvox
