// The health check on the command line: which runs read a limits file, where it is found, what a
// fault in it leaves on disk, and what the summary, JSON and logbook say.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <string>

#include "support/log_builder.h"
#include "tests/cli_run.h"
#include "tests/temp_folder.h"

namespace trelvox {
namespace {

namespace fs = std::filesystem;
using ::testing::HasSubstr;
using ::testing::UnorderedElementsAre;

constexpr const char* kBrokenLimits = "[checks]\ngap = [1.0, 5.0]\nmerj = 2.0\n";

void writeText(const fs::path& path, const std::string& text) { std::ofstream(path) << text; }

// A log in CARD/model/ whose receiver battery dips to 4.6 V (amber by the built-in limit).
class HealthCommandLine : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::create_directories(model);
    LogBuilder log;
    for (const int tenths : {50, 46, 50}) log.record().word(0, 0x4000 | tenths);
    log.writeFiles(model / "flight");
  }
  std::string log() const { return (model / "flight.KLD").string(); }

  TempFolder card;
  fs::path model = card.path() / "model";
};

TEST_F(HealthCommandLine, AFaultyLimitsFileFailsTheLogAndNothingIsWritten) {
  writeText(card / "trelvox.toml", kBrokenLimits);
  for (const std::vector<std::string>& options : std::vector<std::vector<std::string>>{
           {"--summary"}, {"--json"}, {"--report"}, {"--logbook", (card / "book.csv").string()}}) {
    SCOPED_TRACE(options[0]);
    std::vector<std::string> arguments = options;
    arguments.push_back(log());
    const CliRun result = run(arguments, Language::kGerman);
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.err, log() + ": Die Grenzwertdatei enthält einen Fehler. " +
                              (card / "trelvox.toml").string() +
                              ", Zeile 3, Spalte 1: Unbekannter Schlüssel `merj`; meinten Sie "
                              "`merge`? Es wurde nichts umgewandelt.\n");
    EXPECT_THAT(filesIn(model), UnorderedElementsAre("flight.KLD", "flight.KLI"));
  }
}

TEST_F(HealthCommandLine, AFaultIsSaidInTheLanguageAskedForWithWhatToWriteInstead) {
  const struct {
    const char* limits;
    const char* language;
    std::string fault;
  } cases[] = {
      {"[[limit]]\nitem = \"BATTERY\"\nbelow = 4,8\n", "de",
       "Die Grenzwertdatei enthält einen Fehler. trelvox.toml, Zeile 3, Spalte 9: `4,8` enthält "
       "ein Dezimalkomma: Bitte mit Punkt schreiben, also `4.8`. Es wurde nichts umgewandelt."},
      {"[[limit]]\nsensor = RECEIVER\nbelow = [4.8]\n", "ja",
       "制限値ファイルに誤りがあります。trelvox.toml、2 行 10 列：引用符が足りません。文字列は "
       "\"RECEIVER\" のように二重引用符で囲んでください。何も変換されませんでした。"},
      {"[[limit]]\nitem = \"BATTERY\"\nabove = [15,5, 20]\n", "en",
       "The limits file has a fault. trelvox.toml, line 3, column 10: `15,5` has a decimal comma: "
       "write a point instead, as in `15.5`. Nothing was converted."},
  };
  writeText(model / "flight.csv", "an older CSV file");
  for (const auto& c : cases) {
    SCOPED_TRACE(c.limits);
    writeText(model / "trelvox.toml", c.limits);
    const CliRun result = run({"--lang", c.language, "--force", "--json", "--limits",
                               (model / "trelvox.toml").string(), log()});
    EXPECT_EQ(result.status, 1);
    const std::string limits = (model / "trelvox.toml").string();
    std::string expected = c.fault;
    expected.replace(expected.find("trelvox.toml"), 12, limits);
    EXPECT_EQ(result.err, log() + ": " + expected + "\n");
    EXPECT_EQ(readFile(model / "flight.csv"), "an older CSV file");
    EXPECT_THAT(filesIn(model),
                UnorderedElementsAre("flight.KLD", "flight.KLI", "flight.csv", "trelvox.toml"));
  }
}

TEST_F(HealthCommandLine, APlainCsvConversionReadsNoLimitsFile) {
  writeText(card / "trelvox.toml", kBrokenLimits);
  const CliRun result = run({log()});
  EXPECT_EQ(result.status, 0);
  EXPECT_THAT(filesIn(model), UnorderedElementsAre("flight.KLD", "flight.KLI", "flight.csv"));
}

TEST_F(HealthCommandLine, SummaryEndsWithTheHealthBlockNamingTheFileFoundAbove) {
  writeText(card / "trelvox.toml", "[checks]\noff = [\"gps_fix_lost\", \"ends_in_air\"]\n");
  const CliRun result = run({"--no-csv", "--summary", log()});
  EXPECT_EQ(result.status, 0);
  EXPECT_THAT(result.out, ::testing::EndsWith(
                              "Health\n"
                              "  Verdict: amber, worth a look\n"
                              "  Events: 1\n"
                              "  Limits file: " +
                              (card / "trelvox.toml").string() +
                              "\n"
                              "  0:00.1  amber  RECEIVER BATTERY below 4.8 V (red 4.4 V): lowest "
                              "4.6 V\n"));
}

TEST_F(HealthCommandLine, LimitsOptionNamesTheFileForJsonAndLogbook) {
  writeText(card / "trelvox.toml", kBrokenLimits);  // not read: --limits names another
  const fs::path limits = card / "strict.toml";
  writeText(limits, "[[limit]]\nsensor = \"RECEIVER\"\nitem = \"BATTERY\"\nbelow = [4.7, 4.65]\n");
  const fs::path book = card / "book.csv";
  const CliRun result =
      run({"--no-csv", "--json", "--limits", limits.string(), "--logbook", book.string(), log()});
  ASSERT_EQ(result.status, 0) << result.err;
  const auto health = nlohmann::json::parse(readFile(model / "flight.json"))["health"];
  EXPECT_EQ(health["verdict"], "red");
  EXPECT_EQ(health["limits_file"], limits.string());
  EXPECT_EQ(health["events"][0]["red"], 4.65);
  EXPECT_THAT(readFile(book), ::testing::EndsWith(",red,1,model,,\r\n"));
}

TEST_F(HealthCommandLine, AMissingLimitsFileNamedByTheOptionIsAFault) {
  const CliRun result = run({"--summary", "--limits", (card / "none.toml").string(), log()});
  EXPECT_EQ(result.status, 1);
  EXPECT_THAT(result.err, HasSubstr("none.toml cannot be read. Nothing was converted.\n"));
  EXPECT_THAT(filesIn(model), UnorderedElementsAre("flight.KLD", "flight.KLI"));
}

}  // namespace
}  // namespace trelvox
