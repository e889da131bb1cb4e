// The flights within a log: each threshold of the rule just inside, at and beyond, the joining of
// spans and the shortest flight, a log with nothing to tell flights by, and a clock that steps
// back.
#include "outputs/summary/flights.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <optional>
#include <vector>

#include "conversion/byte_source.h"
#include "conversion/decoder_registry.h"
#include "conversion/record_loop.h"
#include "decoders/altitude_sensors.h"
#include "decoders/speed_sensors.h"
#include "support/log_builder.h"

namespace trelvox {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

constexpr int kVarioSlot = 5;
constexpr int kSpeedSlot = 10;
constexpr std::uint16_t kFresh = 0x4000;

// One record: its clock, and the height (whole metres above the start) and speed (km/h) it
// reports, if any.
struct Sample {
  std::uint32_t ms;
  std::optional<int> height;
  std::optional<int> speed = std::nullopt;
};

// A log of a vario and a speed sensor; the vario's first reading (height 0) is the reference.
LogBuilder flightLog(const std::vector<Sample>& samples, bool vario = true, bool speed = true) {
  LogBuilder log;
  if (vario) log.sensor(kVarioSlot, typeIdOf<Q3302VarioDecoder>());
  if (speed) log.sensor(kSpeedSlot, typeIdOf<SpeedSensorDecoder>());
  for (const Sample& s : samples) {
    LogBuilder::Record& record = log.record().time(s.ms);
    if (s.height)
      record.word(kVarioSlot + 1, static_cast<std::uint16_t>(kFresh | (100 + *s.height)));
    if (s.speed) record.word(kSpeedSlot, static_cast<std::uint16_t>(kFresh | *s.speed));
  }
  return log;
}

std::optional<Flights> flightsOf(const LogBuilder& log, const FlightRule& rule = {}) {
  const std::vector<std::uint8_t> info = log.infoBytes();
  const std::vector<std::uint8_t> data = log.dataBytes();
  MemorySource infoSource(info);
  MemorySource dataSource(data);
  FlightsOutput flights(rule);
  LogOutput* const outputs[] = {&flights};
  runRecordLoop(readSlotMap(infoSource), dataSource, outputs);
  return flights.flights();
}

struct Span {
  std::uint64_t start;
  std::uint64_t end;
  bool operator==(const Span&) const = default;
};

std::vector<Span> spansOf(const std::optional<Flights>& flights) {
  std::vector<Span> spans;
  for (const FlightSpan& span : flights.value().spans) spans.push_back({span.startMs, span.endMs});
  return spans;
}

// Ground, then `count` seconds at `height` and `speed`, then ground again.
std::vector<Sample> climbAndLand(int height, int speed, int count = 7) {
  std::vector<Sample> samples{{0, 0, 0}};
  for (int s = 1; s <= count; ++s) samples.push_back({1000u * s, height, speed});
  samples.push_back({1000u * (count + 1), 0, 0});
  return samples;
}

TEST(Flights, HeightAndSpeedJustInsideAtAndBeyondTheirThresholds) {
  struct Case {
    int height;
    int speed;
    std::size_t flights;
  };
  // The defaults: 3.0 m, 15.0 km/h; either one is enough.
  for (const Case& c : {Case{2, 14, 0}, Case{3, 0, 1}, Case{4, 0, 1}, Case{0, 15, 1},
                        Case{0, 16, 1}, Case{2, 15, 1}}) {
    SCOPED_TRACE(testing::Message() << c.height << " m, " << c.speed << " km/h");
    const std::optional<Flights> flights = flightsOf(flightLog(climbAndLand(c.height, c.speed)));
    ASSERT_TRUE(flights);
    EXPECT_EQ(flights->count(), c.flights);
    if (c.flights == 1) {
      EXPECT_THAT(spansOf(flights), ElementsAre(Span{1000, 7000}));
    }
  }
}

TEST(Flights, DecimalThresholdsCompareExactly) {
  // 2.5 m: a reading of 2 is below, 3 is not; 15.5 km/h: 15 is below, 16 is not.
  const FlightRule rule{.height = {25, 1, true}, .speed = {155, 1, true}};
  EXPECT_EQ(flightsOf(flightLog(climbAndLand(2, 15)), rule)->count(), 0u);
  EXPECT_EQ(flightsOf(flightLog(climbAndLand(3, 0)), rule)->count(), 1u);
  EXPECT_EQ(flightsOf(flightLog(climbAndLand(0, 16)), rule)->count(), 1u);
}

TEST(Flights, ShortestFlightJustShortAtAndBeyond) {
  struct Case {
    std::uint32_t lastAirborneMs;
    std::size_t flights;
  };
  for (const Case& c : {Case{5999, 0}, Case{6000, 1}, Case{6001, 1}}) {
    SCOPED_TRACE(c.lastAirborneMs);
    const std::optional<Flights> flights = flightsOf(
        flightLog({{0, 0}, {1000, 5}, {c.lastAirborneMs, 5}, {c.lastAirborneMs + 1000, 0}}));
    EXPECT_EQ(flights->count(), c.flights);
    EXPECT_EQ(flights->airTimeMs(), c.flights == 0 ? 0u : c.lastAirborneMs - 1000);
  }
}

TEST(Flights, SpansWithinTheJoinWindowAreOneFlight) {
  struct Case {
    std::uint32_t secondStartMs;
    std::vector<Span> spans;
  };
  // The first span ends at 7000; the second lasts 6 s from secondStartMs.
  const Case cases[] = {
      {16999, {{1000, 22999}}},
      {17000, {{1000, 23000}}},
      {17001, {{1000, 7000}, {17001, 23001}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.secondStartMs);
    std::vector<Sample> samples = climbAndLand(5, 0);
    samples.push_back({c.secondStartMs, 5});
    samples.push_back({c.secondStartMs + 6000, 5});
    samples.push_back({c.secondStartMs + 7000, 0});
    EXPECT_EQ(spansOf(flightsOf(flightLog(samples))), c.spans);
  }
}

TEST(Flights, ShortSpansJoinedMakeAFlightThatNeitherIsAlone) {
  // Two hops of 3 s, 2 s apart: one flight of 8 s. With a join of 1 s: none.
  const std::vector<Sample> hops{{0, 0},    {1000, 5}, {4000, 5}, {5000, 0},
                                 {6000, 5}, {9000, 5}, {10000, 0}};
  EXPECT_THAT(spansOf(flightsOf(flightLog(hops))), ElementsAre(Span{1000, 9000}));
  EXPECT_THAT(spansOf(flightsOf(flightLog(hops), {.join = {1, 0, true}})), IsEmpty());
}

TEST(Flights, NoHeightAndNoSpeedGiveNoFlightsAtAll) {
  EXPECT_FALSE(flightsOf(flightLog(climbAndLand(5, 20), false, false)));
  // One of the two is enough to tell flights by.
  EXPECT_EQ(flightsOf(flightLog(climbAndLand(5, 0), true, false))->count(), 1u);
  EXPECT_EQ(flightsOf(flightLog(climbAndLand(0, 20), false, true))->count(), 1u);
  // A sensor that never reports makes no record airborne.
  EXPECT_EQ(flightsOf(flightLog({{0, std::nullopt}, {9000, std::nullopt}}))->count(), 0u);
}

TEST(Flights, RecordTimeCountsForwardStepsOnly) {
  // The clock steps back from 3000 to 500 in the air: record time runs 0, 1000, 2000, 3000, 3000,
  // 4000, 5000, 6000, 7000, so the flight lasts 5 s, not the 2.5 s the clock's readings span.
  const std::optional<Flights> flights = flightsOf(flightLog({{0, 0},
                                                              {1000, 5},
                                                              {2000, 5},
                                                              {3000, 5},
                                                              {500, 5},
                                                              {1500, 5},
                                                              {2500, 5},
                                                              {3500, 5},
                                                              {4500, 0}}));
  EXPECT_THAT(spansOf(flights), ElementsAre(Span{1000, 6000}));
  EXPECT_EQ(flights->airTimeMs(), 5000u);
}

}  // namespace
}  // namespace trelvox
