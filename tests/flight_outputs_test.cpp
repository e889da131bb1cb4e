// The flight summary, the JSON file and the logbook, as files a user gets from a conversion.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <map>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>

#include "bench/full_group_log.h"
#include "conversion/log_converter.h"
#include "conversion/telemetry_log_exception.h"
#include "outputs/logbook/logbook.h"
#include "outputs/summary/summary_text.h"
#include "support/stream_bytes.h"
#include "tests/csv_table.h"
#include "tests/temp_folder.h"

namespace trelvox {
namespace {

namespace fs = std::filesystem;
using nlohmann::json;

constexpr std::chrono::year_month_day kFlightDay{std::chrono::year(2024), std::chrono::May,
                                                 std::chrono::day(1)};

struct Converted {
  ConversionResult result;
  fs::path base;
};

// Converts `log` written to FOLDER/NAME with the CSV and the JSON file.
Converted convertWithJson(const LogBuilder& log, const TempFolder& folder,
                          const std::string& name = "flight") {
  const fs::path base = folder / name;
  log.writeFiles(base);
  ConversionRequest request;
  request.path(OutputFormat::kCsv) = fs::path(base) += ".csv";
  request.path(OutputFormat::kJson) = fs::path(base) += ".json";
  request.version = "9.9.9";
  request.date = kFlightDay;
  LogConverter converter(Separators{});
  converter.open(base, request);
  return {converter.convert(), base};
}

json readJson(const fs::path& base) { return json::parse(readFile(fs::path(base) += ".json")); }

// A CSV field as a number and its count of decimals; nothing for "---" and texts that are not
// numbers (clock texts).
struct Shown {
  double value;
  int decimals;
};
std::optional<Shown> csvNumber(std::string text) {
  text.erase(0, text.find_first_not_of(' '));
  if (text.empty() || text.find(':') != std::string::npos || text == "---") return std::nullopt;
  const std::size_t point = text.find('.');
  const int decimals = point == std::string::npos ? 0 : static_cast<int>(text.size() - point - 1);
  return Shown{std::stod(text), decimals};
}

struct Extremes {
  std::optional<double> min, max, last;
  int decimals = 0;
};

// The extremes of a column since its last "---": a reading equal to its element's no-reading
// mark shows as "---" and tracking starts afresh after it.
Extremes extremesOf(const std::vector<std::string>& column) {
  Extremes e;
  for (const std::string& field : column) {
    const std::optional<Shown> shown = csvNumber(field);
    e.last = shown ? std::optional(shown->value) : std::nullopt;
    if (!shown) {
      e.min = e.max = std::nullopt;
      continue;
    }
    e.decimals = shown->decimals;
    e.min = e.min ? std::min(*e.min, shown->value) : shown->value;
    e.max = e.max ? std::max(*e.max, shown->value) : shown->value;
  }
  return e;
}

// The CSV column of item `name` of the sensor at `slot`.
std::optional<std::size_t> csvColumnOf(const CsvTable& csv, int slot, const std::string& name) {
  for (std::size_t c = 17; c < csv.header(2).size(); ++c) {
    if (csv.header(0)[c] == std::to_string(slot) && csv.header(2)[c] == name) return c;
  }
  return std::nullopt;
}

std::vector<std::string> columnAt(const CsvTable& csv, std::size_t c) {
  std::vector<std::string> values;
  for (std::size_t r = 3; r < csv.rows().size(); ++r) values.push_back(csv.rows()[r][c]);
  return values;
}

// The CSV shows a value cut to its column's decimals (toward zero), so the JSON value, which
// keeps the item's whole scale, must read as the CSV text once cut the same way.
void expectSame(const json& value, const std::optional<double>& shown, int decimals,
                const std::string& what) {
  if (!shown) {
    EXPECT_TRUE(value.is_null()) << what << ": " << value;
    return;
  }
  ASSERT_TRUE(value.is_number()) << what << ": " << value;
  const double power = std::pow(10.0, decimals);
  const double cut =
      std::trunc(value.get<double>() * power + (value.get<double>() < 0 ? -1e-9 : 1e-9)) / power;
  EXPECT_NEAR(cut, *shown, 1e-9 * std::max(1.0, std::fabs(*shown))) << what << ": " << value;
}

TEST(JsonFile, ItemExtremesAgreeWithTheCsvColumnsForEveryDecoder) {
  TempFolder folder;
  const Converted converted = convertWithJson(fullGroupLog(300), folder);
  const CsvTable csv(readFile(fs::path(converted.base) += ".csv"), ',');
  const json document = readJson(converted.base);

  int compared = 0;
  for (const json& sensor : document["sensors"]) {
    for (const json& item : sensor["items"]) {
      const auto column =
          csvColumnOf(csv, sensor["slot"].get<int>(), item["name"].get<std::string>());
      if (!column) continue;  // tracked only, not written
      const auto values = columnAt(csv, *column);
      if (!values.empty() && values.front().find(':') != std::string::npos) continue;
      const Extremes e = extremesOf(values);
      const std::string what =
          sensor["type_name"].get<std::string>() + " " + item["name"].get<std::string>();
      expectSame(item["min"], e.min, e.decimals, what + " min");
      expectSame(item["max"], e.max, e.decimals, what + " max");
      expectSame(item["last"], e.last, e.decimals, what + " last");
      ++compared;
    }
  }
  EXPECT_GT(compared, 200);
}

TEST(JsonFile, SensorsInColumnOrderWithTheirTypes) {
  TempFolder folder;
  LogBuilder log;
  log.sensor(3, typeIdOf<VoltageSensorDecoder>());
  log.record().word(0, 0x4000 | 52).word(3, 0x8000 | 126);
  log.record().word(0, 0x4000 | 49);
  const json document = readJson(convertWithJson(log, folder).base);

  EXPECT_EQ(document["trelvox"], "9.9.9");
  EXPECT_EQ(document["data_file"], "flight.KLD");
  EXPECT_EQ(document["info_file"], "flight.KLI");
  EXPECT_EQ(document["records"], 2);
  ASSERT_EQ(document["sensors"].size(), 2u);
  EXPECT_EQ(document["sensors"][0]["type_name"], "RECEIVER");
  const json& voltage = document["sensors"][1];
  EXPECT_EQ(voltage["slot"], 3);
  EXPECT_EQ(voltage["type_id"], typeIdOf<VoltageSensorDecoder>());
  EXPECT_EQ(voltage["slots"], 2);
  EXPECT_EQ(voltage["items"][0],
            json::parse(R"({"name": "BATTERY", "unit": "V", "quantity": "voltage",
                            "min": 12.6, "max": 12.6, "last": 12.6})"));
  EXPECT_EQ(document["sensors"][0]["items"][0]["min"], 4.9);
  EXPECT_EQ(document["flight"], json::parse(R"({"min_receiver_voltage_v": 4.9})"));
  EXPECT_EQ(document["flight_sensors"]["min_receiver_voltage_v"]["type_name"], "RECEIVER");
}

// The demo flight: clock, flight facts and the sensor named for each.
TEST(FlightSummary, DemoFlightFacts) {
  TempFolder folder;
  for (const char* extension : {".KLD", ".KLI"}) {
    fs::copy_file(fs::path(TRELVOX_SOURCE_DIR) / "examples" / (std::string("demo") + extension),
                  folder / (std::string("demo") + extension));
  }
  ConversionRequest request;
  request.path(OutputFormat::kJson) = folder / "demo.json";
  LogConverter converter(Separators{});
  converter.open(folder / "demo", request);
  converter.convert();
  const json document = readJson(folder / "demo");
  EXPECT_EQ(document["time"], json::parse(R"({"unit": "ms", "first": 52000, "duration": 239900,
      "steps_over_1s": 0, "longest_step": 100, "backwards": 0})"));
  EXPECT_EQ(document["flight"], json::parse(R"({"max_height_m": 105, "max_distance_m": 262,
      "max_ground_speed_kmh": 68, "min_receiver_voltage_v": 4.8, "max_current_a": 21.77,
      "capacity_used_mah": 749, "max_temperature_c": 52})"));
  EXPECT_EQ(document["flight_sensors"]["max_height_m"]["type_name"], "ALTITUDE SENSOR");
  EXPECT_EQ(document["flight_sensors"]["max_ground_speed_kmh"]["type_name"], "GPS");
  EXPECT_FALSE(fs::exists(folder / "demo.csv"));  // only what was asked for
}

TEST(FlightSummary, ClockStepsGapsAndTrailingBytes) {
  TempFolder folder;
  LogBuilder log;
  for (std::uint32_t time : {1000u, 1100u, 3600u, 3500u, 3700u, 9700u}) log.record().time(time);
  log.writeFiles(folder / "flight");
  {
    std::ofstream data(folder / "flight.KLD", std::ios::binary | std::ios::app);
    data.write("\x01\x02\x03", 3);
  }
  ConversionRequest request;
  request.summary = true;
  LogConverter converter(Separators{});
  converter.open(folder / "flight", request);
  const ConversionResult result = converter.convert();
  ASSERT_TRUE(result.summary);
  const SummaryLabels labels{.slot = "Slot",
                             .smallest = "min",
                             .largest = "max",
                             .last = "last",
                             .flight = "Flight",
                             .records = "Records",
                             .duration = "Duration",
                             .stepsOverOneSecond = "Steps over 1 s",
                             .longestStep = "longest",
                             .backwards = "Backwards",
                             .trailingBytes = "Trailing bytes",
                             .facts = {"H", "D", "S", "V", "A", "C", "T"}};
  EXPECT_EQ(summaryText(*result.summary, labels, ','),
            "Slot 0 RECEIVER\n"
            "  BATTERY: min ---, max ---, last ---\n"
            "  EXTERNAL BATTERY: min ---, max ---, last ---\n"
            "  STATUS: min 0, max 0, last 0\n"
            "Flight\n"
            "  Records: 6\n"
            "  Duration: 0:00:08,8\n"
            "  Steps over 1 s: 2 (longest 6000 ms)\n"
            "  Backwards: 1\n"
            "  Trailing bytes: 3\n");
}

// A step of exactly one second is no step over one second, and a record at the time of the one
// before is no step back.
TEST(FlightSummary, ClockStepsAtTheirLimits) {
  LogBuilder log;
  for (std::uint32_t time : {0u, 1000u, 2001u, 2001u, 2000u}) log.record().time(time);
  TempFolder folder;
  const Converted converted = convertWithJson(log, folder);
  EXPECT_EQ(readJson(converted.base)["time"], json::parse(R"({"unit": "ms", "first": 0,
      "duration": 2001, "steps_over_1s": 1, "longest_step": 1001, "backwards": 1})"));
}

TEST(FlightSummary, FactsNameTheirSensorAndUseTheReceiversOwnBattery) {
  LogBuilder log;
  log.sensor(1, typeIdOf<VoltageSensorDecoder>());
  log.record().word(0, 0x4000 | 52).word(1, 0x8000 | 111);
  log.record().word(0, 0x4000 | 47).word(1, 0x8000 | 99);
  TempFolder folder;
  log.writeFiles(folder / "flight");
  ConversionRequest request;
  request.summary = true;
  LogConverter converter(Separators{});
  converter.open(folder / "flight", request);
  const ConversionResult result = converter.convert();
  const auto& voltage = result.summary->fact(FactKind::kMinReceiverVoltage);
  ASSERT_TRUE(voltage);
  EXPECT_DOUBLE_EQ(voltage->value, 4.7);  // not the flight pack's 9.9 V
  EXPECT_EQ(voltage->sensor->name, "RECEIVER");
  EXPECT_FALSE(result.summary->fact(FactKind::kMaxHeight));
}

// A capacity in Ah counts hundredths; in mAh it is a plain whole number in the JSON file and the
// logbook: not 2009.9999999999998, not 1e+05.
TEST(FlightSummary, CapacityInAhBecomesPlainMilliampereHours) {
  const struct {
    std::uint16_t hundredths;
    std::string milliampereHours;
  } cases[] = {{201, "2010"}, {10000, "100000"}};
  for (const auto& [hundredths, milliampereHours] : cases) {
    LogBuilder log;
    log.sensor(1, typeIdOf<KosmikDecoder>());
    log.record().word(1, 0x8000 | 120).word(2, hundredths);
    TempFolder folder;
    const Converted converted = convertWithJson(log, folder);
    EXPECT_THAT(readFile(fs::path(converted.base) += ".json"),
                ::testing::HasSubstr("\"capacity_used_mah\": " + milliampereHours + ","));
    EXPECT_THAT(
        logbookRow(*converted.result.summary, *converted.result.health, "flight.KLD", kFlightDay),
        ::testing::EndsWith("," + milliampereHours + ",0,,0,file time,green,0,,,\r\n"));
  }
}

// The recorder writes degree signs in its own code page; the JSON file has them in UTF-8.
TEST(JsonFile, DegreeSignsOfTheRecordersCodePageAreUtf8) {
  LogBuilder log;
  log.sensor(1, typeIdOf<ServoAdapterDecoder>()).sensor(7, typeIdOf<Zr450Decoder>());
  log.record();
  TempFolder folder;
  const json document = readJson(convertWithJson(log, folder).base);
  std::map<std::string, std::string> units;
  for (const json& sensor : document["sensors"]) {
    for (const json& item : sensor["items"]) units[item["name"]] = item["unit"];
  }
  const struct {
    const char* item;
    const char* unit;
  } cases[] = {
      {"TEMPERATURE 1", "\u00B0C"}, {"ANGLE 1", "\u00B0"}, {"INTERNAL TEMPERATURE", "\u00B0C"}};
  for (const auto& [item, unit] : cases) EXPECT_EQ(units[item], unit) << item;
}

// The start time is the first UTC time any GPS gives: a first GPS that never gets a valid
// position (and so no time) must not leave it empty while a second one has times.
TEST(Logbook, StartTimeComesFromWhicheverGpsGivesOne) {
  LogBuilder log;
  log.sensor(1, typeIdOf<OrvaneGpsDecoder>()).sensor(9, typeIdOf<OrvaneGpsDecoder>());
  // The GPS at slot 1 sends nothing: its words stay zero, without the valid bit.
  for (std::int32_t i = 0; i < 3; ++i) {
    addStreamGpsRecord(log, 9, 48 * 600000 + 10 * i, 8 * 600000,
                       36005 + static_cast<std::uint32_t>(i));
  }
  TempFolder folder;
  const Converted converted = convertWithJson(log, folder);
  EXPECT_THAT(
      logbookRow(*converted.result.summary, *converted.result.health, "flight.KLD", kFlightDay),
      ::testing::StartsWith("flight.KLD,2024-05-01,10:00:05,"));
}

TEST(Logbook, RowsQuoteNamesAsRfc4180AndLeaveMissingFactsEmpty) {
  FlightSummary report;
  HealthReport health;
  health.verdict = HealthVerdict::kAmber;
  health.events.resize(2);
  report.totals.records = 12;
  report.clock.duration = 61250;
  report.firstUtcSecondsOfDay = 14 * 3600 + 6 * 60 + 8;
  report.utcSecondsOfDayAtStart = 14 * 3600 + 5 * 60 + 7;
  EXPECT_EQ(logbookRow(report, health, "a,b \"c\".KLD", kFlightDay),
            "\"a,b \"\"c\"\".KLD\",2024-05-01,14:05:07,0:01:01.3,12,,,,,,,,"
            "2024-05-01T14:05:07Z,61.25,file time,amber,2,,,\r\n");
  report.firstUtcSecondsOfDay.reset();
  report.utcSecondsOfDayAtStart.reset();
  EXPECT_EQ(logbookRow(report, health, "plain.KLD", kFlightDay),
            "plain.KLD,2024-05-01,,0:01:01.3,12,,,,,,,,,61.25,file time,amber,2,,,\r\n");
  // A GPS counts its distance in 32 bits: a million metres and more are written in full, as a
  // spreadsheet reads them, not as 1.234567e+06.
  const struct {
    double metres;
    const char* shown;
  } distances[] = {{1234567, "1234567"}, {2147483647, "2147483647"}, {262.5, "262.5"}};
  for (const auto& [metres, shown] : distances) {
    report.facts[static_cast<std::size_t>(FactKind::kMaxDistance)] =
        FlightFact{Reading{}, metres, nullptr, nullptr, 1};
    EXPECT_EQ(logbookRow(report, health, "plain.KLD", kFlightDay),
              "plain.KLD,2024-05-01,,0:01:01.3,12,," + std::string(shown) +
                  ",,,,,,,61.25,file time,amber,2,,,\r\n");
  }
  EXPECT_EQ(csvField("two\nlines"), "\"two\nlines\"");
  EXPECT_EQ(logbookHeader(),
            "data_file,date,start_time_utc,duration,records,max_height_m,max_distance_m,"
            "max_ground_speed_kmh,min_receiver_voltage_v,max_current_a,capacity_used_mah,"
            "max_temperature_c,start_iso,duration_s,date_source,health,events,model,flights,"
            "air_time_s\r\n");
}

}  // namespace
}  // namespace trelvox
