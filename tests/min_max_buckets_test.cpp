#include "outputs/report/min_max_buckets.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <optional>
#include <vector>

namespace trelvox {
namespace {

using ::testing::ElementsAre;
using ::testing::Optional;

constexpr std::size_t kSeries = 0;

using Readings = std::vector<std::optional<std::int64_t>>;

// One record's readings, one per series, handed over as the report does; series from
// `firstSampled` on are sampled.
void feedRecord(MinMaxBuckets& buckets, std::int64_t time, const Readings& readings,
                std::size_t firstSampled = SIZE_MAX) {
  const bool newBucket = buckets.nextRecord(time);
  for (std::size_t s = 0; s < readings.size(); ++s) {
    if (newBucket) {
      buckets.begin(s, readings[s].value_or(MinMaxBuckets::kNoReading));
    } else if (readings[s]) {
      s >= firstSampled ? buckets.sample(s, *readings[s]) : buckets.add(s, *readings[s]);
    }
  }
}

// Feeds one plain series, a reading per record at times 0, 100, 200, ...; `expected` records
// announced first, if any.
MinMaxBuckets bucketsOf(const Readings& readings, std::size_t pointLimit,
                        std::optional<std::size_t> expected = std::nullopt) {
  MinMaxBuckets buckets(1, pointLimit);
  if (expected) buckets.expectRecords(*expected);
  std::int64_t time = 0;
  for (const auto& reading : readings) {
    feedRecord(buckets, time, {reading});
    time += 100;
  }
  return buckets;
}

std::vector<std::optional<std::int64_t>> valuesOf(const MinMaxBuckets& buckets,
                                                  std::size_t series = kSeries) {
  std::vector<std::optional<std::int64_t>> values;
  for (std::size_t p = 0; p < buckets.pointCount(); ++p) {
    values.push_back(buckets.pointValue(series, p));
  }
  return values;
}

std::vector<std::int64_t> timesOf(const MinMaxBuckets& buckets) {
  std::vector<std::int64_t> times;
  for (std::size_t p = 0; p < buckets.pointCount(); ++p) times.push_back(buckets.pointTime(p));
  return times;
}

TEST(MinMaxBuckets, UpToTheLimitEveryRecordIsAPoint) {
  const MinMaxBuckets buckets = bucketsOf({5, std::nullopt, 7, 3}, 4);
  EXPECT_THAT(timesOf(buckets), ElementsAre(0, 100, 200, 300));
  EXPECT_THAT(valuesOf(buckets), ElementsAre(5, std::nullopt, 7, 3));
}

TEST(MinMaxBuckets, PastTheLimitEachBucketKeepsItsExtremesInTheOrderTheyCame) {
  // Eight records into four points: two buckets of four records.
  const MinMaxBuckets buckets = bucketsOf({5, 9, 6, 1, 4, 4, 0, 8}, 4);
  EXPECT_THAT(timesOf(buckets), ElementsAre(0, 300, 400, 700));
  EXPECT_THAT(valuesOf(buckets), ElementsAre(9, 1, 0, 8));
}

TEST(MinMaxBuckets, ALongSeriesStaysWithinItsLimitAndKeepsItsSpikes) {
  constexpr std::size_t kLimit = 1000;
  Readings readings(123'457, 50);
  readings[40'000] = 900;  // one record long, far fewer records than a bucket holds
  readings[90'001] = -700;
  const MinMaxBuckets buckets = bucketsOf(readings, kLimit);
  const auto values = valuesOf(buckets);
  EXPECT_LE(values.size(), kLimit);
  EXPECT_GE(values.size(), kLimit / 4);
  EXPECT_EQ(std::count(values.begin(), values.end(), 900), 1);
  EXPECT_EQ(std::count(values.begin(), values.end(), -700), 1);
  const auto spike = std::find(values.begin(), values.end(), 900) - values.begin();
  const auto dip = std::find(values.begin(), values.end(), -700) - values.begin();
  EXPECT_LT(spike, dip);
  EXPECT_EQ(timesOf(buckets).back(), 12'345'600);  // the last record's time
}

TEST(MinMaxBuckets, ASeriesWithoutReadingsInABucketHasNoPointThere) {
  Readings readings(16, std::nullopt);
  readings[13] = 4;
  EXPECT_THAT(valuesOf(bucketsOf(readings, 4)), ElementsAre(std::nullopt, std::nullopt, 4, 4));
}

TEST(MinMaxBuckets, SampledSeriesKeepTheirFirstAndLastReadingOfEachBucket) {
  MinMaxBuckets buckets(2, 4);
  buckets.keepFirstAndLast(1);
  const std::int64_t path[] = {10, 30, 20, 40, 15, 35, 25, 45};
  for (std::int64_t i = 0; i < 8; ++i) feedRecord(buckets, i, {path[i], path[i]}, 1);
  EXPECT_THAT(valuesOf(buckets, 0), ElementsAre(10, 40, 15, 45));
  EXPECT_THAT(valuesOf(buckets, 1), ElementsAre(10, 40, 15, 45));
  // Extremes and path points part where the extremes are not at the bucket's ends.
  MinMaxBuckets other(2, 4);
  other.keepFirstAndLast(1);
  const std::int64_t wiggle[] = {20, 90, 10, 30, 20, 90, 10, 30};
  for (std::int64_t i = 0; i < 8; ++i) feedRecord(other, i, {wiggle[i], wiggle[i]}, 1);
  EXPECT_THAT(valuesOf(other, 0), ElementsAre(90, 10, 90, 10));
  EXPECT_THAT(valuesOf(other, 1), ElementsAre(20, 30, 20, 30));
}

// Announcing the log's length only saves the merging: the points are those of merging on the
// way, and a wrong announcement still keeps the series within its limit.
TEST(MinMaxBuckets, AnnouncedRecordsGiveTheSamePointsAndAWrongGuessStaysWithinTheLimit) {
  constexpr std::size_t kLimit = 8;
  for (const std::size_t length : {3, 8, 9, 17, 33, 100, 257}) {
    Readings readings;
    for (std::size_t i = 0; i < length; ++i) {
      readings.push_back(static_cast<std::int64_t>((i * 7919) % 101) - 50);
    }
    const MinMaxBuckets merged = bucketsOf(readings, kLimit);
    const MinMaxBuckets announced = bucketsOf(readings, kLimit, length);
    EXPECT_EQ(valuesOf(announced), valuesOf(merged)) << length;
    EXPECT_EQ(timesOf(announced), timesOf(merged)) << length;
    for (const std::size_t guess : {length / 4, length * 4}) {
      EXPECT_LE(bucketsOf(readings, kLimit, guess).pointCount(), kLimit) << length << " " << guess;
    }
  }
}

}  // namespace
}  // namespace trelvox
