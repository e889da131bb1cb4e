// The logbook page over a card of logs, as a user gets it from the command line: its data for
// other tools, the logs that failed, escaping, the -f rule, links to the logs' own pages; and the
// flights as the JSON file, the summary and the logbook CSV show them.
#include "outputs/logbook/logbook_page.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "conversion/decoder_registry.h"
#include "decoders/altitude_sensors.h"
#include "support/log_builder.h"
#include "tests/cli_run.h"
#include "tests/string_sink.h"
#include "tests/temp_folder.h"

namespace trelvox {
namespace {

namespace fs = std::filesystem;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::Not;

constexpr int kVarioSlot = 5;

// Ten seconds on the ground's receiver battery, a vario that climbs to 10 m for 8 s in between,
// and the lowest receiver voltage `lowestTenths` once in the air.
LogBuilder flightLog(int lowestTenths = 51) {
  LogBuilder log;
  log.sensor(kVarioSlot, typeIdOf<Q3302VarioDecoder>());
  for (int i = 0; i < 100; ++i) {
    const int height = i >= 10 && i <= 90 ? 10 : 0;
    const int volts = i == 50 ? lowestTenths : 51;
    log.record()
        .word(0, static_cast<std::uint16_t>(0x4000 | volts))
        .word(kVarioSlot + 1, static_cast<std::uint16_t>(0x4000 | (100 + height)));
  }
  return log;
}

// Writes a log whose data file was last written on 2026-05-DAY, which dates it.
void writeLog(const LogBuilder& log, const fs::path& base, int day) {
  fs::create_directories(base.parent_path());
  log.writeFiles(base);
  const auto date =
      std::chrono::sys_days(std::chrono::year(2026) / 5 / day) + std::chrono::hours(12);
  fs::last_write_time(fs::path(base) += ".KLD",
                      fs::file_time_type::clock::from_sys(std::chrono::sys_seconds(date)));
}

nlohmann::json pageDataOf(const std::string& html) {
  const std::string open = "<script type=\"application/json\" id=\"logbook-data\">";
  const std::size_t from = html.find(open);
  if (from == std::string::npos) return nullptr;
  const std::size_t begin = from + open.size();
  return nlohmann::json::parse(html.substr(begin, html.find("</script>", begin) - begin));
}

nlohmann::json pageData(const fs::path& page) { return pageDataOf(readFile(page)); }

std::vector<std::string> valuesOf(const nlohmann::json& objects, const std::string& key) {
  std::vector<std::string> values;
  for (const auto& object : objects) values.push_back(object[key].get<std::string>());
  return values;
}

class LogbookPage : public ::testing::Test {
 protected:
  // Five steady flights of Alpha, then one with a brownout; one log of Bravo in between.
  void SetUp() override {
    for (int day = 1; day <= 5; ++day) {
      writeLog(flightLog(), folder / ("card/Alpha/a" + std::to_string(day)), day);
    }
    writeLog(flightLog(44), folder / "card/Alpha/a6", 9);
    writeLog(flightLog(), folder / "card/Bravo/b1", 3);
  }
  std::string path(const std::string& name) const { return (folder / name).string(); }
  CliRun makePage(std::vector<std::string> more = {}) {
    std::vector<std::string> arguments{"-r", "--no-csv", "--logbook-page", path("card.html")};
    arguments.insert(arguments.end(), more.begin(), more.end());
    arguments.push_back(path("card"));
    return run(arguments);
  }

  TempFolder folder;
};

TEST_F(LogbookPage, HoldsEveryLogInStartOrderWithItsModelFlightsAndStandouts) {
  const CliRun result = makePage();
  ASSERT_EQ(result.status, 0) << result.err;
  EXPECT_THAT(result.out, HasSubstr("card.html was generated.\n"));
  const nlohmann::json data = pageData(folder / "card.html");
  EXPECT_THAT(valuesOf(data["logs"], "path"),
              ElementsAre("card/Alpha/a1.KLD", "card/Alpha/a2.KLD", "card/Alpha/a3.KLD",
                          "card/Bravo/b1.KLD", "card/Alpha/a4.KLD", "card/Alpha/a5.KLD",
                          "card/Alpha/a6.KLD"));
  EXPECT_THAT(valuesOf(data["logs"], "model"),
              ElementsAre("Alpha", "Alpha", "Alpha", "Bravo", "Alpha", "Alpha", "Alpha"));
  const nlohmann::json& first = data["logs"][0];
  EXPECT_EQ(first["date"], "2026-05-01");
  EXPECT_EQ(first["flights"], 1);
  EXPECT_EQ(first["air_time_s"], 8);
  EXPECT_EQ(first["min_receiver_voltage_v"], 5.1);
  EXPECT_EQ(first["verdict"], "green");
  EXPECT_EQ(first["href"], nullptr);
  ASSERT_EQ(data["models"].size(), 2u);
  EXPECT_EQ(valuesOf(data["models"], "name"), (std::vector<std::string>{"Alpha", "Bravo"}));
  EXPECT_EQ(data["models"][0]["logs"], 6);
  EXPECT_EQ(data["models"][0]["flights"], 6);
  EXPECT_EQ(data["models"][0]["air_time_s"], 48);
  EXPECT_NEAR(data["models"][0]["logged_s"].get<double>(), 59.4, 1e-9);

  // Only the sixth flight of Alpha has five earlier ones to be held against.
  const nlohmann::json& brownout = data["logs"][6];
  EXPECT_EQ(brownout["verdict"], "amber");
  EXPECT_EQ(brownout["first_event"],
            "0:05.0  amber  RECEIVER BATTERY below 4.8 V (red 4.4 V): lowest 4.4 V");
  ASSERT_EQ(brownout["standouts"].size(), 1u);
  EXPECT_EQ(brownout["standouts"][0]["figure"], "min_receiver_voltage_v");
  EXPECT_EQ(brownout["standouts"][0]["value"], 4.4);
  EXPECT_EQ(brownout["standouts"][0]["median"], 5.1);
  EXPECT_EQ(brownout["standouts"][0]["earlier_logs"], 5);
  for (std::size_t i = 0; i < 6; ++i) EXPECT_TRUE(data["logs"][i]["standouts"].empty()) << i;
  EXPECT_TRUE(data["failed"].empty());
}

TEST_F(LogbookPage, LogsThatFailAreListedAndNotCounted) {
  fs::remove(folder / "card/Bravo/b1.KLI");
  const CliRun result = makePage();
  EXPECT_EQ(result.status, 1);
  const nlohmann::json data = pageData(folder / "card.html");
  EXPECT_EQ(data["logs"].size(), 6u);
  ASSERT_EQ(data["failed"].size(), 1u);
  EXPECT_EQ(data["failed"][0]["path"], "card/Bravo/b1.KLD");
  EXPECT_THAT(data["failed"][0]["reason"].get<std::string>(),
              HasSubstr("Infotmation file(.KLI) not found."));
  EXPECT_THAT(result.err, HasSubstr("b1.KLD: Infotmation file(.KLI) not found."));
}

TEST_F(LogbookPage, ACardWithoutLogsWritesNoPage) {
  fs::create_directories(folder / "empty");
  const CliRun result = run({"-r", "--no-csv", "--logbook-page", path("card.html"), path("empty")});
  EXPECT_EQ(result.status, 1);
  EXPECT_FALSE(fs::exists(folder / "card.html"));
}

TEST_F(LogbookPage, AnExistingPageIsReplacedOnlyWithForce) {
  { std::ofstream(folder / "card.html") << "older"; }
  const CliRun refused = makePage();
  EXPECT_EQ(refused.status, 1);
  EXPECT_THAT(refused.err, HasSubstr("Output file already exists"));
  EXPECT_EQ(readFile(folder / "card.html"), "older");
  EXPECT_EQ(makePage({"-f"}).status, 0);
  EXPECT_TRUE(pageData(folder / "card.html").is_object());
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder.path())) {
    names.push_back(entry.path().filename().string());
  }
  std::ranges::sort(names);
  EXPECT_THAT(names, ElementsAre("card", "card.html"));  // no temporary file left
}

TEST_F(LogbookPage, NamesFromTheCardAreTextEverywhere) {
  {
    std::ofstream(folder / "card/Bravo/trelvox.toml")
        << "[model]\nname = \"<img src=x onerror=alert(1)>\"\n";
  }
  ASSERT_EQ(makePage().status, 0);
  const std::string html = readFile(folder / "card.html");
  EXPECT_THAT(html, Not(HasSubstr("<img")));
  const nlohmann::json data = pageData(folder / "card.html");
  EXPECT_EQ(data["logs"][3]["model"], "<img src=x onerror=alert(1)>");
}

TEST_F(LogbookPage, LinksTheLogsOwnPagesWrittenInTheSameCall) {
  ASSERT_EQ(makePage({"--report", "--lang", "de"}).status, 0);
  const nlohmann::json data = pageData(folder / "card.html");
  EXPECT_EQ(data["lang"], "de");
  EXPECT_EQ(data["logs"][0]["href"], "card/Alpha/a1.html");
  EXPECT_TRUE(fs::exists(folder / "card/Alpha/a1.html"));
}

TEST_F(LogbookPage, LimitsFileSetsTheFlightRuleAndFaultsNameTheirPlace) {
  { std::ofstream(folder / "card/Bravo/trelvox.toml") << "[flights]\nheight = 20\n"; }
  ASSERT_EQ(makePage().status, 0);
  EXPECT_EQ(pageData(folder / "card.html")["logs"][3]["flights"], 0);
  { std::ofstream(folder / "card/Bravo/trelvox.toml") << "[flights]\nheight = 20\nheigth = 3\n"; }
  const CliRun fault = makePage({"-f"});
  EXPECT_EQ(fault.status, 1);
  EXPECT_THAT(
      fault.err,
      HasSubstr("trelvox.toml, line 3, column 1: unknown key `heigth`; did you mean `height`?"));
}

TEST_F(LogbookPage, FlightsInTheJsonSummaryAndLogbook) {
  const std::string log = path("card/Alpha/a1.KLD");
  ASSERT_EQ(run({"--no-csv", "--json", "--summary", "--logbook", path("book.csv"), log}).status, 0);
  const nlohmann::json json = nlohmann::json::parse(readFile(folder / "card/Alpha/a1.json"));
  EXPECT_EQ(json["model"], "Alpha");
  EXPECT_EQ(json["flights"], nlohmann::json::parse(R"({"count":1,"air_time_s":8,
            "spans":[{"start_ms":1000,"end_ms":9000}]})"));
  EXPECT_THAT(run({"--no-csv", "--summary", log}).out,
              HasSubstr("  Flights: 1, air time 0:00:08\n"));
  EXPECT_THAT(run({"--no-csv", "--summary", "--lang", "de", log}).out,
              HasSubstr("  Flüge: 1, Flugzeit 0:00:08\n"));
  EXPECT_THAT(run({"--no-csv", "--summary", "--lang", "ja", log}).out,
              HasSubstr("  フライト数: 1, 滞空時間 0:00:08\n"));
  const std::string book = readFile(folder / "book.csv");
  EXPECT_THAT(book, HasSubstr(",health,events,model,flights,air_time_s\r\n"));
  EXPECT_THAT(book, HasSubstr(",green,0,Alpha,1,8\r\n"));
}

// Logs without a date come last, under no date; one without records has no figures; equal model
// names from two folders are one model; a name that is not UTF-8 keeps its valid parts.
TEST(LogbookPageData, UndatedLogsComeLastAndEqualNamesAreOneModel) {
  LogbookEntry undated{.path = "b/x.KLD", .model = "Cub"};
  LogbookEntry late{.path = "a/z.KLD", .model = "Cub", .date = "2026-05-02", .records = 3};
  LogbookEntry early{.path = "c/y.KLD", .model = "Cub", .date = "2026-05-01", .records = 3};
  late.startIso = "2026-05-02T09:00:00Z";
  LogbookEntry odd{.path = "d/w.KLD", .model = "Wing \xFF", .date = "2026-05-01"};
  StringSink page;
  writeLogbookPage(page, PageLanguage::kJapanese, {undated, late, early, odd}, {});
  const nlohmann::json data = pageDataOf(page.text);
  EXPECT_EQ(data["lang"], "ja");
  EXPECT_THAT(valuesOf(data["logs"], "path"),
              ElementsAre("c/y.KLD", "d/w.KLD", "a/z.KLD", "b/x.KLD"));
  EXPECT_EQ(data["logs"][3]["date"], nullptr);
  EXPECT_EQ(data["logs"][3]["flights"], nullptr);
  EXPECT_EQ(data["logs"][3]["max_height_m"], nullptr);
  EXPECT_EQ(valuesOf(data["models"], "name"),
            (std::vector<std::string>{"Cub", "Wing \xEF\xBF\xBD"}));
  EXPECT_EQ(data["models"][0]["logs"], 3);
}

// The card in examples/ is what its generator writes, so a change to either shows.
TEST(DemoCard, IsWhatItsGeneratorWritesAndStaysSmall) {
  TempFolder folder;
  ASSERT_EQ(std::system((std::string(TRELVOX_DEMO_CARD_GENERATOR) + " '" +
                         (folder / "card").string() + "' > /dev/null")
                            .c_str()),
            0);
  const fs::path committed = fs::path(TRELVOX_SOURCE_DIR) / "examples/card";
  std::uintmax_t bytes = 0;
  std::size_t logs = 0;
  for (const auto& entry : fs::recursive_directory_iterator(folder / "card")) {
    if (!entry.is_regular_file()) continue;
    const fs::path relative = entry.path().lexically_relative(folder / "card");
    EXPECT_EQ(readFile(entry.path()), readFile(committed / relative)) << relative;
    bytes += entry.file_size();
    logs += entry.path().extension() == ".KLD";
  }
  EXPECT_EQ(logs, 12u);
  EXPECT_LT(bytes, 600'000u);
}

}  // namespace
}  // namespace trelvox
