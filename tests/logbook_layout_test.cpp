// The logbook as a spreadsheet in any locale reads it: separators, start times, and names that
// never become formulas.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>

#include "conversion/decoder_registry.h"
#include "decoders/gps_sensors.h"
#include "outputs/logbook/logbook.h"
#include "support/stream_bytes.h"
#include "tests/cli_run.h"
#include "tests/temp_folder.h"

namespace trelvox {
namespace {

using ::testing::EndsWith;
using ::testing::StartsWith;

constexpr std::chrono::year_month_day kFlightDay{std::chrono::year(2024), std::chrono::May,
                                                 std::chrono::day(1)};

// A log whose GPS gives its first time of day, `firstFix` seconds after midnight, 5 s into the log
// (a record every 100 ms), and the same second in the record after.
LogBuilder gpsFromFiveSeconds(std::uint32_t firstFix) {
  LogBuilder log;
  log.sensor(1, typeIdOf<OrvaneGpsDecoder>());
  for (int i = 0; i < 50; ++i) log.record();
  for (int i = 0; i < 2; ++i) addStreamGpsRecord(log, 1, 48 * 600000, 8 * 600000, firstFix);
  return log;
}

std::string logbookOf(const LogBuilder& log, std::vector<std::string> options) {
  TempFolder folder;
  log.writeFiles(folder / "flight");
  options.insert(options.end(), {"--no-csv", "--logbook", "-", (folder / "flight.KLD").string()});
  const CliRun result = run(options);
  EXPECT_EQ(result.status, 0) << result.err;
  return result.out;
}

// The start is the first record's: the first GPS time of day less the 5 s run before it, the day
// before where that crosses midnight.
TEST(LogbookLayout, StartIsTheFirstRecordsTime) {
  const struct {
    std::uint32_t firstFix;
    std::string timeOfDay;
    std::string iso;
  } cases[] = {
      {10 * 3600 + 5, "10:00:00", "2024-05-01T10:00:00Z"},
      {2, "23:59:57", "2024-04-30T23:59:57Z"},
  };
  for (const auto& [firstFix, timeOfDay, iso] : cases) {
    const std::string book = logbookOf(gpsFromFiveSeconds(firstFix), {"--date", "2024-05-01"});
    EXPECT_THAT(book, ::testing::HasSubstr("flight.KLD,2024-05-01," + timeOfDay + ",0:00:05.1,"))
        << book;
    // Then the model (the log's folder) and, for a GPS that never moved, no flight.
    EXPECT_THAT(book, ::testing::HasSubstr("," + iso + ",5.1,option,green,0,trelvox-test-"))
        << book;
    EXPECT_THAT(book, EndsWith(",0,0\r\n")) << book;
  }
}

TEST(LogbookLayout, FollowsTheSeparatorsOfTheCsv) {
  LogBuilder log;
  for (std::uint32_t ms = 0; ms <= 239900; ms += 100) log.record().time(ms).word(0, 0x4000 | 48);
  const std::string book = logbookOf(log, {"--decimal", ",", "--date", "2024-05-01"});
  EXPECT_THAT(book, StartsWith("data_file;date;start_time_utc;duration;records;"));
  EXPECT_THAT(book, ::testing::HasSubstr(";2024-05-01;;0:03:59,9;2400;;;;4,8;"));
  EXPECT_THAT(book, ::testing::HasSubstr(";;239,9;option;green;0;trelvox-test-"));
  EXPECT_THAT(book, EndsWith(";;\r\n"));
  const std::string tabs = logbookOf(log, {"--separator", "\t"});
  EXPECT_THAT(tabs, ::testing::HasSubstr("\t239.9\tfile time\tgreen\t0\ttrelvox-test-"));
  EXPECT_THAT(tabs, EndsWith("\t\t\r\n"));
}

// A name a spreadsheet would run as a formula stays text; numbers, negative ones too, stay numbers.
TEST(LogbookLayout, NoCellBecomesAFormula) {
  const struct {
    std::string name;
    std::string cell;
  } cases[] = {
      {"=HYPERLINK(\"http://x\",\"y\").KLD", "\"'=HYPERLINK(\"\"http://x\"\",\"\"y\"\").KLD\""},
      {"+SUM(A1).KLD", "'+SUM(A1).KLD"},
      {"-2+3.KLD", "'-2+3.KLD"},
      {"@cmd.KLD", "'@cmd.KLD"},
      {"\tx.KLD", "'\tx.KLD"},
      {"\rx.KLD", "\"'\rx.KLD\""},
      {"a=b.KLD", "a=b.KLD"},
  };
  FlightSummary summary;
  summary.facts[static_cast<std::size_t>(FactKind::kMaxTemperature)] =
      FlightFact{Reading{}, -2.7, nullptr, nullptr, 1};
  for (const auto& [name, cell] : cases) {
    EXPECT_THAT(logbookRow(summary, HealthReport{}, name, kFlightDay),
                StartsWith(cell + ",2024-05-01,"))
        << name;
    EXPECT_THAT(logbookRow(summary, HealthReport{}, name, kFlightDay),
                ::testing::HasSubstr(",-2.7,"))
        << name;
  }
}

TEST(LogbookLayout, ALogNamedLikeAFormulaConvertedFromItsOwnFolderStaysText) {
  TempFolder folder;
  LogBuilder log;
  log.record();
  log.writeFiles(folder / "=1+2");
  const std::filesystem::path here = std::filesystem::current_path();
  std::filesystem::current_path(folder.path());
  const CliRun result = run({"--no-csv", "--logbook", "-", "=1+2.KLD"});
  std::filesystem::current_path(here);
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_THAT(result.out, ::testing::HasSubstr("\r\n'=1+2.KLD,"));
}

}  // namespace
}  // namespace trelvox
