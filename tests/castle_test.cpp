#include "sensors/castle.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "tests/csv_table.h"
#include "tests/decoder_harness.h"

namespace trelvox {
namespace {

using ::testing::Each;
using ::testing::ElementsAre;
using ::testing::ElementsAreArray;

constexpr int kFirstSlot = 4;
constexpr std::uint16_t kValid = 0x8000;

const std::vector<std::string> kNames{"CURRENT",        "VOLTAGE",     "POWER OUT",
                                      "ROTATION",       "BEC VOLTAGE", "BEC CURRENT",
                                      "RIPPLE VOLTAGE", "TEMPERATURE"};

TEST(Castle, WritesEightColumnsUnderItsSlotAndTypeName) {
  LogBuilder log = logWithSensor(kFirstSlot, kCastle);
  log.record();
  const CsvTable csv = convert(log);
  EXPECT_THAT(
      csv.sensorColumnNames(),
      ElementsAre("BATTERY", "EXTERNAL BATTERY", "STATUS", "CURRENT", "VOLTAGE", "POWER OUT",
                  "ROTATION", "BEC VOLTAGE", "BEC CURRENT", "RIPPLE VOLTAGE", "TEMPERATURE"));
  const std::vector<std::string> slots(csv.header(0).end() - 8, csv.header(0).end());
  const std::vector<std::string> types(csv.header(1).end() - 8, csv.header(1).end());
  EXPECT_THAT(slots, Each("4"));
  EXPECT_THAT(types, Each("CASTLE TL0"));
}

TEST(Castle, EveryColumnShowsNoValueUntilItsFirstValidWord) {
  LogBuilder log = logWithSensor(kFirstSlot, kCastle);
  for (int k = 0; k < 8; ++k) log.record();  // all words without their validity bit
  log.record().word(kFirstSlot + 3, 0x7FFF);
  const CsvTable csv = convert(log);
  for (const std::string& name : kNames) EXPECT_THAT(csv.column(name), Each("---")) << name;
}

struct ReadingCase {
  int item;
  std::uint16_t word;
  const char* text;
};

TEST(Castle, ValidWordsPrintTheirFifteenBitReading) {
  const ReadingCase cases[] = {
      {0, kValid | 123, "  12.3"},  {0, kValid | 0, "   0.0"},  {0, 0xFFFF, "3276.7"},
      {1, kValid | 252, "  25.2"},  {2, kValid | 5, "  0.05"},  {2, kValid | 10000, "100.00"},
      {3, kValid | 1500, " 15000"},  // rotation counts tens of rpm
      {3, kValid | 7, "    70"},    {3, 0xFFFF, "327670"},      {4, kValid | 745, "  7.45"},
      {5, 0xFFFF, "327.67"},        {6, kValid | 99, "  0.99"}, {7, kValid | 2534, " 25.34"},
  };
  for (const ReadingCase& c : cases) {
    LogBuilder log = logWithSensor(kFirstSlot, kCastle);
    log.record().word(kFirstSlot + c.item, c.word);
    const CsvTable csv = convert(log);
    EXPECT_THAT(csv.column(kNames[static_cast<std::size_t>(c.item)]), ElementsAre(c.text))
        << "item " << c.item << " word " << c.word;
  }
}

// A first record sets every item; the second brings new numbers in every word, but word k lacks
// its validity bit: only column k keeps its old text.
TEST(Castle, AWordWithoutItsBitLeavesOnlyItsOwnColumn) {
  const std::array<const char*, 8> firstTexts{"   1.0", "   2.0", "  0.30", "   400",
                                              "  0.50", "  0.60", "  0.70", "  0.80"};
  const std::array<const char*, 8> secondTexts{"   1.1", "   2.2", "  0.33", "   440",
                                               "  0.55", "  0.66", "  0.77", "  0.88"};
  for (int skipped = 0; skipped < 8; ++skipped) {
    LogBuilder log = logWithSensor(kFirstSlot, kCastle);
    LogBuilder::Record& first = log.record();
    for (int k = 0; k < 8; ++k)
      first.word(kFirstSlot + k, static_cast<std::uint16_t>(kValid | (k + 1) * 10));
    LogBuilder::Record& second = log.record();
    for (int k = 0; k < 8; ++k) {
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
  LogBuilder log = logWithSensor(kFirstSlot, kCastle);
  LogBuilder::Record& first = log.record();
  for (int k = 0; k < 8; ++k) first.word(kFirstSlot + k, kValid | 100);
  log.record().word(kFirstSlot + 3, kValid | 1500);
  const CsvTable csv = convert(log);
  EXPECT_THAT(csv.column("ROTATION"), ElementsAre("  1000", " 15000"));
  EXPECT_THAT(csv.column("CURRENT"), ElementsAre("  10.0", "  10.0"));
  EXPECT_THAT(csv.column("TEMPERATURE"), ElementsAre("  1.00", "  1.00"));
}

TEST(Castle, UsesTheDecimalSeparatorOfTheConversion) {
  LogBuilder log = logWithSensor(kFirstSlot, kCastle);
  log.record().word(kFirstSlot, kValid | 123).word(kFirstSlot + 7, kValid | 2534);
  const CsvTable csv = convert(log, Separators{';', ','});
  EXPECT_THAT(csv.column("CURRENT"), ElementsAre("  12,3"));
  EXPECT_THAT(csv.column("TEMPERATURE"), ElementsAre(" 25,34"));
}

TEST(Castle, CurrentIsInAmperesAndVoltageInVolts) {
  const RecordWords words;
  const CastleStatus castle(words.place(kFirstSlot));
  EXPECT_STREQ(castle.currentValue(0).format().unit, "A");
  EXPECT_STREQ(castle.currentValue(1).format().unit, "V");
}

}  // namespace
}  // namespace trelvox
