#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/csv_table.h"
#include "tests/decoder_harness.h"

namespace trelvox {
namespace {

using ::testing::ElementsAre;

constexpr int kFirst = 3;
constexpr std::uint16_t kFlag = 0x8000;

const std::vector<std::string> kColumnNames{
    "VOLTAGE 1",      "VOLTAGE 2",  "CAPACITY 1", "CAPACITY 2", "ANTENNA FADE 1",
    "ANTENNA FADE 2", "LOST FRAME", "HOLD",       "SPEED",      "ALTITUDE",
    "DISTANCE",       "TRIP",       "LATITUDE",   "LONGITUDE"};

TEST(PowerBox, TwelveItemsAndTwoPositionColumnsShowNoValueWhileTheFlagIsClear) {
  LogBuilder log = logWithSensor(kFirst, typeIdOf<PowerBoxDecoder>());
  LogBuilder::Record& record = log.record();
  for (int k = 0; k < 16; ++k) record.word(kFirst + k, 0x7FFE);
  log.repeat();
  const CsvTable csv = convert(log);
  expectColumns(csv, {{"3", "PowerBox", kColumnNames}});
  ASSERT_EQ(csv.dataRowCount(), 2u);
  expectNoValueIn(csv, kColumnNames);
}

// Word 0 carries the flag; a case for word 0 sets the flag itself.
const WordCase kItemCases[] = {
    {0, kFlag | 740, "VOLTAGE 1", " 7.40"},
    {0, kFlag | 10000, "VOLTAGE 1", "100.00"},  // 100 V keeps its hundreds digit
    {0, kFlag, "VOLTAGE 1", " 0.00"},
    {1, 5, "VOLTAGE 2", " 0.05"},
    {1, 0xFFFF, "VOLTAGE 2", "---"},
    {2, 1234, "CAPACITY 1", " 1234"},
    {3, 65534, "CAPACITY 2", "65534"},
    {4, 7, "ANTENNA FADE 1", "    7"},
    {5, 0x8000, "ANTENNA FADE 2", "32768"},
    {6, 12345, "LOST FRAME", "12345"},
    {7, 3, "HOLD", "   3"},
    {8, kFlag | 120, "SPEED", " 120"},
    {9, static_cast<std::uint16_t>(-100), "ALTITUDE", " -100"},
    {9, static_cast<std::uint16_t>(-32768), "ALTITUDE", "-32768"},
    {9, 32766, "ALTITUDE", "32766"},
    {10, 500, "DISTANCE", "  500"},
    {10, 0xFFFF, "DISTANCE", "---"},
    {11, 123, "TRIP", " 12.3"},
    {11, 12345, "TRIP", "1234.5"},
};

TEST(PowerBox, EachItemReadsItsWordWithItsScaleAndWidth) {
  expectWordTexts(typeIdOf<PowerBoxDecoder>(), kFirst, {kFirst, kFlag}, kItemCases);
}

TEST(PowerBox, VoltagesUseTheLocaleDecimalSeparatorButPositionsAFullStop) {
  const CsvTable csv =
      convertWords(kFirst, typeIdOf<PowerBoxDecoder>(),
                   {{{0, kFlag | 740}, {12, 35 << 8 | 0x4}, {13, 0x93E0}}}, Separators{';', ','});
  EXPECT_THAT(csv.column("VOLTAGE 1"), ElementsAre(" 7,40"));
  EXPECT_THAT(csv.column("LATITUDE"), ElementsAre("N 35:30.0000"));
}

TEST(PowerBox, RecordsWithoutTheFlagRepeatThePreviousTexts) {
  const CsvTable csv = convertWords(kFirst, typeIdOf<PowerBoxDecoder>(),
                                    {{{0, kFlag | 500}, {9, 20}, {12, 10 << 8}},
                                     {{0, 600}, {9, 30}, {12, 11 << 8}},
                                     {{0, kFlag | 700}, {9, 40}, {12, 12 << 8}}});
  EXPECT_THAT(csv.column("VOLTAGE 1"), ElementsAre(" 5.00", " 5.00", " 7.00"));
  EXPECT_THAT(csv.column("ALTITUDE"), ElementsAre("   20", "   20", "   40"));
  EXPECT_THAT(csv.column("LATITUDE"), ElementsAre("N 10:00.0000", "N 10:00.0000", "N 12:00.0000"));
}

TEST(PowerBox, ANoReadingMarkShowsNoValueAndTheNextReadingStartsAfresh) {
  const CsvTable csv =
      convertWords(kFirst, typeIdOf<PowerBoxDecoder>(),
                   {{{0, kFlag}, {2, 100}}, {{0, kFlag}, {2, 0xFFFF}}, {{0, kFlag}, {2, 50}}});
  EXPECT_THAT(csv.column("CAPACITY 1"), ElementsAre("  100", "---", "   50"));
}

struct CoordinateCase {
  std::uint16_t first;
  std::uint16_t second;
  const char* latitude;
  const char* longitude;
};

const CoordinateCase kCoordinateCases[] = {
    {35 << 8 | 0x10, 0, "S 35:00.0000", "W 35:00.0000"},
    // A minute count of 600000 or more carries into the degrees.
    {139 << 8 | 0x0F, 0xFFFF, "N140:44.8575", "E140:44.8575"},
    {0, 0, "N  0:00.0000", "E  0:00.0000"},
    {35 << 8 | 0x4, 0x93E0, "N 35:30.0000", "E 35:30.0000"},
    // Bits 5 to 7 of the first word carry nothing.
    {12 << 8 | 0xE1, 0x2345, "N 12:07.4565", "E 12:07.4565"},
    {255 << 8 | 0x1F, 0xFFFF, "S256:44.8575", "W256:44.8575"},
    {0x10, 1, "S  0:00.0001", "W  0:00.0001"},
};

TEST(PowerBox, PositionWordsGiveDegreesMinutesAndHemisphere) {
  for (const CoordinateCase& c : kCoordinateCases) {
    SCOPED_TRACE(c.latitude);
    const CsvTable csv =
        convertWords(kFirst, typeIdOf<PowerBoxDecoder>(),
                     {{{0, kFlag}, {12, c.first}, {13, c.second}, {14, c.first}, {15, c.second}}});
    EXPECT_THAT(csv.column("LATITUDE"), ElementsAre(c.latitude));
    EXPECT_THAT(csv.column("LONGITUDE"), ElementsAre(c.longitude));
  }
}

TEST(PowerBox, LatitudeAndLongitudeComeFromTheirOwnWordPairs) {
  const CsvTable csv =
      convertWords(kFirst, typeIdOf<PowerBoxDecoder>(),
                   {{{0, kFlag}, {12, 47 << 8}, {13, 10000}, {14, 8 << 8 | 0x10}, {15, 20000}}});
  EXPECT_THAT(csv.column("LATITUDE"), ElementsAre("N 47:01.0000"));
  EXPECT_THAT(csv.column("LONGITUDE"), ElementsAre("W  8:02.0000"));
}

}  // namespace
}  // namespace trelvox
