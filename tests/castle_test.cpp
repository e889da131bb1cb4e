#include "decoders/castle.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "tests/csv_table.h"
#include "tests/decoder_harness.h"

namespace trelvox {
namespace {

using ::testing::ElementsAre;

constexpr int kFirstSlot = 4;
constexpr std::uint16_t kValid = 0x8000;

const std::vector<std::string> kNames{"CURRENT",        "VOLTAGE",     "POWER OUT",
                                      "ROTATION",       "BEC VOLTAGE", "BEC CURRENT",
                                      "RIPPLE VOLTAGE", "TEMPERATURE"};

TEST(Castle, WritesEightColumnsThatShowNoValueUntilTheirFirstValidWord) {
  LogBuilder log = logWithSensor(kFirstSlot, typeIdOf<CastleDecoder>());
  for (int k = 0; k < 8; ++k) log.record();  // all words without their validity bit
  log.record().word(kFirstSlot + 3, 0x7FFF);
  const CsvTable csv = convert(log);
  expectColumns(csv, {{"4", "CASTLE TL0", kNames}});
  expectNoValueIn(csv, kNames);
}

TEST(Castle, ValidWordsPrintTheirFifteenBitReading) {
  const WordCase cases[] = {
      {0, kValid | 123, "CURRENT", "  12.3"},
      {0, kValid | 0, "CURRENT", "   0.0"},
      {0, 0xFFFF, "CURRENT", "3276.7"},
      {1, kValid | 252, "VOLTAGE", "  25.2"},
      {2, kValid | 5, "POWER OUT", "  0.05"},
      {2, kValid | 10000, "POWER OUT", "100.00"},
      {3, kValid | 1500, "ROTATION", " 15000"},  // rotation counts tens of rpm
      {3, kValid | 7, "ROTATION", "    70"},
      {3, 0xFFFF, "ROTATION", "327670"},
      {4, kValid | 745, "BEC VOLTAGE", "  7.45"},
      {5, 0xFFFF, "BEC CURRENT", "327.67"},
      {6, kValid | 99, "RIPPLE VOLTAGE", "  0.99"},
      {7, kValid | 2534, "TEMPERATURE", " 25.34"},
  };
  expectWordTexts(typeIdOf<CastleDecoder>(), kFirstSlot, cases);
}

// A first record sets every item; the second brings new numbers in every word, but word k lacks
// its validity bit: only column k keeps its old text.
TEST(Castle, AWordWithoutItsBitLeavesOnlyItsOwnColumn) {
  const std::array<const char*, 8> firstTexts{"   1.0", "   2.0", "  0.30", "   400",
                                              "  0.50", "  0.60", "  0.70", "  0.80"};
  const std::array<const char*, 8> secondTexts{"   1.1", "   2.2", "  0.33", "   440",
                                               "  0.55", "  0.66", "  0.77", "  0.88"};
  for (int skipped = 0; skipped < 8; ++skipped) {
    LogBuilder log = logWithSensor(kFirstSlot, typeIdOf<CastleDecoder>());
    LogBuilder::Record& first = log.record();
    LogBuilder::Record& second = log.record();
    for (int k = 0; k < 8; ++k) {
      first.word(kFirstSlot + k, static_cast<std::uint16_t>(kValid | (k + 1) * 10));
      const auto number = static_cast<std::uint16_t>((k + 1) * 11);
      second.word(kFirstSlot + k,
                  k == skipped ? number : static_cast<std::uint16_t>(kValid | number));
    }
    const CsvTable csv = convert(log);
    for (std::size_t k = 0; k < 8; ++k) {
      const char* expected = static_cast<int>(k) == skipped ? firstTexts[k] : secondTexts[k];
      EXPECT_THAT(csv.column(kNames[k]), ElementsAre(firstTexts[k], expected))
          << "skipped word " << skipped << ", column " << kNames[k];
    }
  }
}

TEST(Castle, OnlyRotationChangesWhenOnlyItsWordIsValid) {
  LogBuilder log = logWithSensor(kFirstSlot, typeIdOf<CastleDecoder>());
  LogBuilder::Record& first = log.record();
  for (int k = 0; k < 8; ++k) first.word(kFirstSlot + k, kValid | 100);
  log.record().word(kFirstSlot + 3, kValid | 1500);
  const CsvTable csv = convert(log);
  EXPECT_THAT(csv.column("ROTATION"), ElementsAre("  1000", " 15000"));
  EXPECT_THAT(csv.column("CURRENT"), ElementsAre("  10.0", "  10.0"));
  EXPECT_THAT(csv.column("TEMPERATURE"), ElementsAre("  1.00", "  1.00"));
}

TEST(Castle, UsesTheDecimalSeparatorOfTheConversion) {
  const CsvTable csv = convertWords(kFirstSlot, typeIdOf<CastleDecoder>(),
                                    {{{0, kValid | 123}, {7, kValid | 2534}}}, {';', ','});
  EXPECT_THAT(csv.column("CURRENT"), ElementsAre("  12,3"));
  EXPECT_THAT(csv.column("TEMPERATURE"), ElementsAre(" 25,34"));
}

TEST(Castle, CurrentIsInAmperesAndVoltageInVolts) {
  const RecordWords words;
  const CastleDecoder castle(words.place(kFirstSlot));
  EXPECT_STREQ(castle.columns()[0].unit, "A");
  EXPECT_STREQ(castle.columns()[1].unit, "V");
}

}  // namespace
}  // namespace trelvox
