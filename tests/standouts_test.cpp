// What stands out across a model's logs: too few earlier logs, a steady series and its 2% floor,
// the bad direction only, and the window of the 20 most recent earlier logs.
#include "outputs/logbook/standouts.h"

#include <gtest/gtest.h>

#include <optional>
#include <vector>

namespace trelvox {
namespace {

TEST(Standouts, JudgedOnlyFromFiveEarlierLogs) {
  const std::vector<double> four{5.1, 5.0, 5.2, 5.1};
  EXPECT_FALSE(usualBand(four));
  std::vector<double> five = four;
  five.push_back(5.1);
  ASSERT_TRUE(usualBand(five));
  EXPECT_EQ(usualBand(five)->earlierLogs, 5u);
}

TEST(Standouts, ThreeScaledMadsAroundTheMedian) {
  // Median 3, deviations 2 1 0 1 2: MAD 1, so the band is 3 ± 3 × 1.4826.
  const std::vector<double> earlier{1, 2, 3, 4, 5};
  const std::optional<UsualBand> band = usualBand(earlier);
  ASSERT_TRUE(band);
  EXPECT_DOUBLE_EQ(band->median, 3);
  EXPECT_DOUBLE_EQ(band->high, 3 + 3 * 1.4826);
  EXPECT_DOUBLE_EQ(band->low, 3 - 3 * 1.4826);
  struct Case {
    double value;
    bool standsOut;
  };
  for (const Case& c :
       {Case{7.4, false}, Case{7.45, true}, Case{-1.4, false}, Case{-1.45, false}}) {
    SCOPED_TRACE(c.value);
    EXPECT_EQ(standsOut(c.value, *band, BadDirection::kHigher), c.standsOut);
  }
  EXPECT_TRUE(standsOut(-1.45, *band, BadDirection::kLower));
}

TEST(Standouts, SteadySeriesKeepsTwoPercentOfTheMedian) {
  // Every earlier log at 5.1 V: no spread, so the floor of 2% (0.102 V) times 3 holds the band.
  const std::vector<double> steady(8, 5.1);
  const std::optional<UsualBand> band = usualBand(steady);
  ASSERT_TRUE(band);
  EXPECT_NEAR(band->low, 5.1 - 0.306, 1e-12);
  struct Case {
    double volts;
    bool standsOut;
  };
  for (const Case& c :
       {Case{5.1, false}, Case{5.05, false}, Case{4.8, false}, Case{4.79, true}, Case{4.6, true}}) {
    SCOPED_TRACE(c.volts);
    EXPECT_EQ(standsOut(c.volts, *band, BadDirection::kLower), c.standsOut);
  }
}

TEST(Standouts, OnlyTheBadDirectionCounts) {
  const std::vector<double> steady(10, 20.0);
  const UsualBand band = *usualBand(steady);
  // A receiver voltage far up, a current far down: both fine.
  EXPECT_FALSE(standsOut(40, band, BadDirection::kLower));
  EXPECT_FALSE(standsOut(1, band, BadDirection::kHigher));
  EXPECT_TRUE(standsOut(1, band, BadDirection::kLower));
  EXPECT_TRUE(standsOut(40, band, BadDirection::kHigher));
}

TEST(Standouts, OnlyTheTwentyMostRecentEarlierLogsCount) {
  std::vector<double> earlier(10, 100.0);
  earlier.insert(earlier.end(), 20, 10.0);
  const UsualBand band = *usualBand(earlier);
  EXPECT_DOUBLE_EQ(band.median, 10);
  EXPECT_EQ(band.earlierLogs, 20u);
}

}  // namespace
}  // namespace trelvox
