// The flight health check: each check at its thresholds, the merging of records into events, the
// choice among limits, and the report's texts (JSON, summary block).
#include "outputs/health/health_check.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "app/messages.h"
#include "conversion/byte_source.h"
#include "conversion/decoder_registry.h"
#include "conversion/record_loop.h"
#include "decoders/altitude_sensors.h"
#include "decoders/gps_sensors.h"
#include "decoders/powerbox.h"
#include "decoders/voltage_sensor.h"
#include "outputs/health/health_text.h"
#include "outputs/summary/json_output.h"
#include "support/log_builder.h"
#include "support/stream_bytes.h"

namespace trelvox {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

// The receiver's word for a BATTERY reading in 0.1 V.
std::uint16_t receiverBattery(int tenthsOfVolt) {
  return static_cast<std::uint16_t>(0x4000 | tenthsOfVolt);
}

HealthReport checkLog(const LogBuilder& log, HealthLimits limits = {},
                      std::size_t trailingBytes = 0) {
  const std::vector<std::uint8_t> info = log.infoBytes();
  std::vector<std::uint8_t> data = log.dataBytes();
  data.resize(data.size() + trailingBytes, 0x5A);
  MemorySource infoSource(info);
  MemorySource dataSource(data);
  TrackSource track(std::chrono::year(2024) / std::chrono::May / 1);
  HealthCheck health(std::move(limits), std::nullopt, track);
  LogOutput* const outputs[] = {&track, &health};
  runRecordLoop(readSlotMap(infoSource), dataSource, outputs);
  return health.report();
}

HealthLimits limitsOf(std::string_view toml) { return parseLimits(toml, "trelvox.toml"); }

// A log of receiver battery readings (0.1 V), one record every 100 ms.
LogBuilder receiverLog(const std::vector<int>& tenths) {
  LogBuilder log;
  for (const int t : tenths) log.record().word(0, receiverBattery(t));
  return log;
}

struct EventSummary {
  std::string check;
  std::string severity;
  std::uint32_t start;
  std::uint32_t end;
  bool operator==(const EventSummary&) const = default;
};

std::vector<EventSummary> eventsOf(const HealthReport& report) {
  std::vector<EventSummary> events;
  for (const HealthEvent& e : report.events) {
    events.push_back(
        {std::string(e.check), std::string(severityName(e.severity)), e.start.time, e.end.time});
  }
  return events;
}

std::string verdictOf(const HealthReport& report) {
  return std::string(verdictName(report.verdict));
}

TEST(HealthCheck, BuiltInReceiverLimitAtItsThresholds) {
  struct Case {
    int tenths;
    const char* verdict;
  };
  // 4.8 V is not below 4.8: the comparison is exact, not in doubles.
  for (const Case& c : {Case{49, "green"}, Case{48, "green"}, Case{47, "amber"}, Case{45, "amber"},
                        Case{44, "amber"}, Case{43, "red"}}) {
    SCOPED_TRACE(c.tenths);
    const HealthReport report = checkLog(receiverLog({50, c.tenths, 50}));
    EXPECT_EQ(verdictOf(report), c.verdict);
    if (report.events.empty()) continue;
    ASSERT_EQ(report.events.size(), 1u);
    const HealthEvent& event = report.events[0];
    EXPECT_EQ(event.start.time, 100u);
    EXPECT_EQ(event.end.time, 100u);
    EXPECT_EQ(event.worstReading.number, c.tenths);
    EXPECT_EQ(std::string(event.item->name), "BATTERY");
  }
}

TEST(HealthCheck, BuiltInLimitIsOffWithoutDefaults) {
  const HealthReport report =
      checkLog(receiverLog({50, 40, 50}), limitsOf("[checks]\ndefaults = false\n"));
  EXPECT_EQ(verdictOf(report), "green");
}

TEST(HealthCheck, NoReadingIsNeverOutside) {
  LogBuilder log;
  log.record();  // status 0: no voltage at all
  log.record();
  EXPECT_EQ(verdictOf(checkLog(log)), "green");
}

TEST(HealthCheck, EventRunsFromFirstToLastOutsideRecordWithItsWorstReading) {
  const HealthReport report = checkLog(receiverLog({50, 47, 42, 45, 47, 50}));
  EXPECT_THAT(eventsOf(report), ElementsAre(EventSummary{"limit", "red", 100, 400}));
  EXPECT_EQ(report.events[0].worstReading.number, 42);
  EXPECT_EQ(verdictOf(report), "red");
}

TEST(HealthCheck, OutsideRecordsMergeWithinTheMergeWindow) {
  struct Case {
    std::uint32_t secondOutside;  // ms; the first is at 0
    std::size_t events;
  };
  for (const Case& c : {Case{1900, 1}, Case{2000, 1}, Case{2100, 2}}) {
    SCOPED_TRACE(c.secondOutside);
    LogBuilder log;
    log.record().time(0).word(0, receiverBattery(46));
    log.record().time(500).word(0, receiverBattery(50));
    log.record().time(c.secondOutside).word(0, receiverBattery(46));
    // Steps under a second: no gaps in the way.
    const HealthLimits limits = limitsOf("[checks]\nmerge = 2.0\noff = [\"gap\"]\n");
    const HealthReport report = checkLog(log, limits);
    ASSERT_EQ(report.events.size(), c.events);
    EXPECT_EQ(report.events.back().end.time, c.secondOutside);
  }
}

TEST(HealthCheck, DirectlyFollowingRecordsMergeWhateverTheClock) {
  LogBuilder log;
  log.record().time(0).word(0, receiverBattery(46));
  log.record().time(9000).word(0, receiverBattery(46));
  const HealthReport report = checkLog(log, limitsOf("[checks]\nmerge = 0\n"));
  EXPECT_THAT(eventsOf(report), ElementsAre(EventSummary{"gap", "red", 0, 9000},
                                            EventSummary{"limit", "amber", 0, 9000}));
}

// A pack of three cells on the voltage sensor, in 0.1 V: 3.5 V a cell is 10.5 V.
TEST(HealthCheck, CellsDivideTheReadingBeforeComparing) {
  constexpr int kSlot = 3;
  struct Case {
    int tenths;
    const char* verdict;
  };
  for (const Case& c : {Case{106, "green"}, Case{105, "green"}, Case{104, "amber"},
                        Case{99, "amber"}, Case{98, "red"}}) {
    SCOPED_TRACE(c.tenths);
    LogBuilder log;
    log.sensor(kSlot, typeIdOf<VoltageSensorDecoder>());
    log.record().word(0, receiverBattery(50)).word(kSlot, 0x8000 | c.tenths);
    const HealthReport report = checkLog(log, limitsOf(R"(
[[limit]]
sensor = "voltage sensor  "
item = "battery"
cells = 3
below = [3.5, 3.3]
)"));
    EXPECT_EQ(verdictOf(report), c.verdict);
    if (!report.events.empty()) {
      EXPECT_EQ(report.events[0].limit->cells, 3);
      EXPECT_EQ(report.events[0].worstReading.number, c.tenths);  // not divided by cells
    }
  }
}

TEST(HealthCheck, AboveLimitAtItsThresholds) {
  constexpr int kSlot = 3;
  struct Case {
    std::int16_t tenths;
    const char* verdict;
  };
  for (const Case& c : {Case{79, "green"}, Case{80, "green"}, Case{81, "amber"}, Case{100, "amber"},
                        Case{101, "red"}}) {
    SCOPED_TRACE(c.tenths);
    LogBuilder log;
    log.sensor(kSlot, typeIdOf<VoltageSensorDecoder>());
    log.record()
        .word(0, receiverBattery(50))
        .word(kSlot, 0x8000 | 120)
        .word(kSlot + 1, static_cast<std::uint16_t>(c.tenths));
    const HealthReport report =
        checkLog(log, limitsOf("[[limit]]\nitem = \"EXT. BATT.\"\nabove = [8, 10.0]\n"));
    EXPECT_EQ(verdictOf(report), c.verdict);
  }
}

// Both voltage items of the sensor are voltages; which limit each takes.
TEST(HealthCheck, TheMostSpecificLimitWinsAndTheLaterAmongEquals) {
  constexpr int kSlot = 3;
  LogBuilder log;
  log.sensor(kSlot, typeIdOf<VoltageSensorDecoder>());
  log.record().word(0, receiverBattery(46)).word(kSlot, 0x8000 | 46).word(kSlot + 1, 46);
  const HealthReport report = checkLog(log, limitsOf(R"(
[[limit]]
quantity = "voltage"
below = [5.0]
[[limit]]
slot = 3
item = "EXT. BATT."
below = [4.7]
[[limit]]
sensor = "VOLTAGE SENSOR"
item = "EXT. BATT."
below = [4.5]
)"));
  struct Seen {
    int slot;
    std::string item;
    double amber;
    bool operator==(const Seen&) const = default;
  };
  std::vector<Seen> seen;
  for (const HealthEvent& e : report.events) {
    seen.push_back({e.slot, e.item->name, e.limit->thresholds.amber.value()});
  }
  // The receiver keeps its built-in limit (two keys beat one); the sensor's BATTERY takes the
  // quantity limit; EXT. BATT. ties between two limits of two keys and takes the later (4.5 V,
  // which 4.6 V is not below).
  EXPECT_THAT(seen, ElementsAre(Seen{0, "BATTERY", 4.8}, Seen{kSlot, "BATTERY", 5.0}));
}

TEST(HealthCheck, AFileLimitOfAsManyKeysReplacesTheBuiltInOne) {
  const HealthReport report = checkLog(
      receiverLog({47}),
      limitsOf("[[limit]]\nsensor = \"RECEIVER\"\nitem = \"BATTERY\"\nbelow = [4.6, 4.0]\n"));
  EXPECT_EQ(verdictOf(report), "green");
}

TEST(HealthCheck, GapsAtTheirThresholds) {
  struct Case {
    std::uint32_t step;
    std::vector<EventSummary> events;
  };
  const Case cases[] = {
      {1000, {}},
      {1001, {{"gap", "amber", 100, 1101}}},
      {5000, {{"gap", "amber", 100, 5100}}},
      {5001, {{"gap", "red", 100, 5101}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.step);
    LogBuilder log;
    log.record().time(1000);  // the TIME column counts from the first record
    log.record().time(1100);
    log.record().time(1100 + c.step);
    const HealthReport report = checkLog(log);
    EXPECT_EQ(eventsOf(report), c.events);
    if (!report.events.empty()) {
      EXPECT_EQ(report.events[0].count->number, c.step);
    }
  }
}

TEST(HealthCheck, GapThresholdsComeFromTheFile) {
  LogBuilder log;
  log.record().time(0);
  log.record().time(300);
  log.record().time(900);
  const HealthReport report = checkLog(log, limitsOf("[checks]\ngap = [0.25, 0.5]\n"));
  EXPECT_THAT(eventsOf(report), ElementsAre(EventSummary{"gap", "amber", 0, 300},
                                            EventSummary{"gap", "red", 300, 900}));
}

TEST(HealthCheck, ClockThatGoesBack) {
  LogBuilder log;
  log.record().time(500);
  log.record().time(700);
  log.record().time(700);  // the same time is no step back
  log.record().time(600);
  const HealthReport report = checkLog(log);
  EXPECT_THAT(eventsOf(report), ElementsAre(EventSummary{"clock_back", "amber", 200, 100}));
}

TEST(HealthCheck, ChecksListedUnderOffDoNotRun) {
  LogBuilder log;
  log.record().time(0);
  log.record().time(9000);
  log.record().time(100);
  const HealthReport report = checkLog(
      log, limitsOf("[checks]\noff = [\"gap\", \"clock_back\", \"gps_fix_lost\", \"cut_short\"]\n"),
      10);
  EXPECT_EQ(verdictOf(report), "green");
  EXPECT_THAT(report.notChecked, ElementsAre("ends_in_air"));
}

constexpr int kGpsSlot = 8;

// A GPS that has a fix in the first record, loses it for `withoutFix` records (100 ms apart) and,
// if `regains`, has it again.
LogBuilder gpsLog(int withoutFix, bool regains) {
  LogBuilder log;
  log.sensor(kGpsSlot, typeIdOf<OrvaneGpsDecoder>());
  addStreamGpsRecord(log, kGpsSlot, 21000000, 8000000, 36000);
  for (int r = 0; r < withoutFix; ++r) log.record();
  if (regains) addStreamGpsRecord(log, kGpsSlot, 21000100, 8000000, 36002);
  return log;
}

TEST(HealthCheck, GpsFixLostAtItsThreshold) {
  struct Case {
    int withoutFix;
    bool regains;
    std::vector<EventSummary> events;
  };
  const Case cases[] = {
      {18, true, {}},                                    // 1.9 s from fix to fix
      {19, true, {{"gps_fix_lost", "amber", 0, 2000}}},  // exactly 2 s
      {20, true, {{"gps_fix_lost", "amber", 0, 2100}}},
      {19, false, {}},  // to the last record: 1.9 s
      {20, false, {{"gps_fix_lost", "amber", 0, 2000}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.withoutFix);
    const HealthReport report = checkLog(gpsLog(c.withoutFix, c.regains));
    EXPECT_EQ(eventsOf(report), c.events);
    EXPECT_THAT(report.notChecked, ElementsAre("ends_in_air"));
    if (!report.events.empty()) {
      EXPECT_EQ(report.events[0].slot, kGpsSlot);
    }
  }
}

TEST(HealthCheck, GpsFixLostIsNotCheckedWithoutAGpsOrAValidityBit) {
  EXPECT_THAT(checkLog(receiverLog({50})).notChecked, ElementsAre("gps_fix_lost", "ends_in_air"));
  // A GPS that never had a fix has no fix to lose.
  LogBuilder neverFixed;
  neverFixed.sensor(kGpsSlot, typeIdOf<OrvaneGpsDecoder>());
  neverFixed.record();
  EXPECT_THAT(checkLog(neverFixed).notChecked, ElementsAre("gps_fix_lost", "ends_in_air"));
  // A PowerBox has positions for the track but no validity bit: a record without data is no lost
  // fix.
  constexpr int kPowerBoxSlot = 1;
  LogBuilder powerBox;
  powerBox.sensor(kPowerBoxSlot, typeIdOf<PowerBoxDecoder>());
  powerBox.record()
      .word(kPowerBoxSlot, 0x8000)
      .word(kPowerBoxSlot + 12, 0x2300)
      .word(kPowerBoxSlot + 13, 0x1234)
      .word(kPowerBoxSlot + 14, 0x8B00)
      .word(kPowerBoxSlot + 15, 0x1234);
  for (int r = 0; r < 40; ++r) powerBox.record();
  const HealthReport report = checkLog(powerBox);
  EXPECT_THAT(report.events, IsEmpty());
  EXPECT_EQ(report.notChecked.front(), "gps_fix_lost");
}

constexpr int kVarioSlot = 5;

// A vario whose height, in whole metres above the first record, ends at `lastHeight`.
LogBuilder varioLog(int lastHeight) {
  LogBuilder log;
  log.sensor(kVarioSlot, typeIdOf<Q3302VarioDecoder>());
  log.record().word(kVarioSlot + 1, 0x4000 | 100);
  log.record().word(kVarioSlot + 1, static_cast<std::uint16_t>(0x4000 | (100 + lastHeight)));
  return log;
}

TEST(HealthCheck, EndsInTheAirAtItsThreshold) {
  struct Case {
    int lastHeight;
    std::vector<EventSummary> events;
  };
  const Case cases[] = {{2, {}}, {3, {}}, {4, {{"ends_in_air", "red", 100, 100}}}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.lastHeight);
    const HealthReport report = checkLog(varioLog(c.lastHeight));
    EXPECT_EQ(eventsOf(report), c.events);
    EXPECT_THAT(report.notChecked, ElementsAre("gps_fix_lost"));
  }
  const HealthReport decimals = checkLog(varioLog(3), limitsOf("[checks]\nends_above = 2.5\n"));
  ASSERT_EQ(decimals.events.size(), 1u);
  EXPECT_EQ(decimals.events[0].worstReading.number, 3);
  EXPECT_EQ(std::string(decimals.events[0].item->name), "ALTITUDE");
}

TEST(HealthCheck, CutShortByAPartialRecord) {
  for (const std::size_t bytes : {std::size_t{0}, std::size_t{1}, kRecordSize - 1}) {
    SCOPED_TRACE(bytes);
    const HealthReport report = checkLog(receiverLog({50, 50}), {}, bytes);
    if (bytes == 0) {
      EXPECT_THAT(report.events, IsEmpty());
      continue;
    }
    EXPECT_THAT(eventsOf(report), ElementsAre(EventSummary{"cut_short", "amber", 100, 100}));
    EXPECT_EQ(report.events[0].count->number, bytes);
  }
}

TEST(HealthCheck, LogWithoutRecordsHasNoVerdict) {
  const HealthReport report = checkLog(LogBuilder(), {}, 40);
  EXPECT_EQ(verdictOf(report), "none");
  EXPECT_THAT(report.events, IsEmpty());
}

TEST(HealthCheck, EventsComeInTheOrderTheyBegan) {
  LogBuilder log;
  log.record().time(0).word(0, receiverBattery(50));
  log.record().time(100).word(0, receiverBattery(46));
  log.record().time(3000).word(0, receiverBattery(50));  // gap from the record before
  log.record().time(3100).word(0, receiverBattery(40));
  const HealthReport report = checkLog(log, limitsOf("[checks]\nmerge = 0\n"), 3);
  EXPECT_THAT(eventsOf(report), ElementsAre(EventSummary{"gap", "amber", 100, 3000},
                                            EventSummary{"limit", "amber", 100, 100},
                                            EventSummary{"limit", "red", 3100, 3100},
                                            EventSummary{"cut_short", "amber", 3100, 3100}));
}

// The texts of the report: the JSON's health object and the summary's Health block.
TEST(HealthTexts, JsonHealthObject) {
  LogBuilder log;
  log.record().time(0).word(0, receiverBattery(50));
  log.record().time(100).word(0, receiverBattery(42));
  log.record().time(7000).word(0, receiverBattery(50));
  HealthReport report = checkLog(log);
  report.limitsFile = "/cards/trelvox.toml";
  const auto json = nlohmann::json::parse(jsonText(FlightSummary{}, report, {}))["health"];
  EXPECT_EQ(json["verdict"], "red");
  EXPECT_EQ(json["limits_file"], "/cards/trelvox.toml");
  EXPECT_EQ(json["not_checked"], nlohmann::json({"gps_fix_lost", "ends_in_air"}));
  EXPECT_EQ(json["events"][0], nlohmann::json::parse(R"({"check": "gap", "severity": "red",
              "start_ms": 100, "end_ms": 7000, "worst": 6900})"));
  EXPECT_EQ(json["events"][1],
            nlohmann::json::parse(R"({"check": "limit", "severity": "red", "start_ms": 100,
              "end_ms": 100, "slot": 0, "type_name": "RECEIVER", "item": "BATTERY",
              "direction": "below", "amber": 4.8, "red": 4.4, "cells": 1, "worst": 4.2})"));
}

TEST(HealthTexts, JsonRedIsNullWithoutOneAndLimitsFileNullWithout) {
  const HealthReport report = checkLog(
      receiverLog({40}), limitsOf("[[limit]]\nslot = 0\nitem = \"BATTERY\"\nbelow = [4.5]\n"));
  const auto json = nlohmann::json::parse(jsonText(FlightSummary{}, report, {}))["health"];
  EXPECT_TRUE(json["limits_file"].is_null());
  EXPECT_TRUE(json["events"][0]["red"].is_null());
  EXPECT_EQ(json["events"][0]["amber"], 4.5);
}

TEST(HealthTexts, SummaryBlockInEnglish) {
  LogBuilder log;
  log.record().time(0).word(0, receiverBattery(50));
  log.record().time(100000).word(0, receiverBattery(42));
  log.record().time(100500).word(0, receiverBattery(43));
  log.record().time(100600).word(0, receiverBattery(50));
  const HealthReport report = checkLog(log, limitsOf("[checks]\noff = [\"gap\"]\n"));
  EXPECT_EQ(healthText(report, healthLabels(Language::kEnglish), '.'),
            "Health\n"
            "  Verdict: red, needs attention before the next flight\n"
            "  Events: 1\n"
            "  Limits file: none (built-in limit only)\n"
            "  Not checked: GPS fix lost, log ends in the air\n"
            "  1:40.0–1:40.5  red  RECEIVER BATTERY below 4.4 V (amber 4.8 V): lowest 4.2 V\n");
}

TEST(HealthTexts, SummaryLinesOfEachCheck) {
  constexpr int kSlot = 3;
  LogBuilder log;
  log.sensor(kSlot, typeIdOf<VoltageSensorDecoder>());
  log.sensor(kVarioSlot, typeIdOf<Q3302VarioDecoder>());
  log.record().time(0).word(kSlot, 0x8000 | 120).word(kVarioSlot + 1, 0x4000 | 100);
  log.record().time(2000).word(kSlot, 0x8000 | 100).word(kVarioSlot + 1, 0x4000 | 112);
  log.record().time(1500).word(kSlot, 0x8000 | 100).word(kVarioSlot + 1, 0x4000 | 112);
  const HealthReport report = checkLog(log, limitsOf(R"(
[[limit]]
item = "BATTERY"
slot = 3
cells = 3
below = [3.5, 3.25]
)"),
                                       57);
  std::vector<std::string> lines;
  for (const HealthEvent& event : report.events) {
    lines.push_back(healthEventText(event, healthLabels(Language::kGerman), ','));
  }
  EXPECT_THAT(lines, ElementsAre("0:00,0–0:02,0  gelb  Lücke in den Datensätzen: 2000 ms",
                                 "0:02,0–0:01,5  gelb  Zeit sprang zurück",
                                 "0:02,0–0:01,5  gelb  VOLTAGE SENSOR BATTERY unter 3,5 V "
                                 "(rot 3,25 V, 3 Zellen): niedrigster Wert 10,0 V",
                                 "0:01,5  rot  Log endet in der Luft: VARIO Q3302 ALTITUDE 12 m",
                                 "0:01,5  gelb  Log abgeschnitten: 57 Bytes"));
}

TEST(HealthTexts, SummaryListsTwentyEventsThenHowManyMore) {
  LogBuilder log;
  for (int r = 0; r < 25; ++r) log.record().time(static_cast<std::uint32_t>(r * 2000));
  const HealthReport report = checkLog(log);
  ASSERT_EQ(report.events.size(), 24u);
  const std::string text = healthText(report, healthLabels(Language::kJapanese), '.');
  EXPECT_THAT(text, ::testing::HasSubstr("  判定: 黄、確認をおすすめします\n  イベント数: 24\n"));
  EXPECT_THAT(text, ::testing::EndsWith("  0:38.0–0:40.0  黄  記録の途切れ：2000 ms\n"
                                        "  …ほか4件\n"));
}

TEST(HealthTexts, EveryLabelExistsInEachLanguage) {
  for (const Language language : {Language::kEnglish, Language::kGerman, Language::kJapanese}) {
    const HealthLabels labels = healthLabels(language);
    EXPECT_FALSE(labels.health.empty());
    EXPECT_FALSE(labels.bytes.empty());
    EXPECT_THAT(std::string(labels.andMore), ::testing::HasSubstr("{count}"));
  }
}

}  // namespace
}  // namespace trelvox
