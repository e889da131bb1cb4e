#include "decoders/current_sensors.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/csv_table.h"
#include "tests/decoder_harness.h"

namespace trelvox {
namespace {

using ::testing::ElementsAre;

constexpr int kOrvaneSlot = 1;
constexpr int kQ3304Slot = 4;
constexpr std::uint16_t kValid = 0x4000;

// Both models side by side: the Orvane sensor in slots 1-3, the Q3304 in slots 4-6.
LogBuilder bothModels() {
  LogBuilder log;
  log.sensor(kOrvaneSlot, typeIdOf<OrvaneCurrentSensorDecoder>())
      .sensor(kQ3304Slot, typeIdOf<Q3304CurrentSensorDecoder>());
  return log;
}

void putReading(LogBuilder::Record& record, int firstSlot, std::uint16_t current,
                std::uint16_t voltage, std::uint16_t capacity) {
  record.word(firstSlot, current).word(firstSlot + 1, voltage).word(firstSlot + 2, capacity);
}

TEST(CurrentSensors, EachModelWritesThreeColumnsUnderItsSlotAndTypeName) {
  LogBuilder log = bothModels();
  log.record();
  expectColumns(convert(log), {{"1", "CURRENT SENSOR", {"CURRENT", "VOLTAGE", "CAPACITY"}},
                               {"4", "CURRENT Q3304", {"CURRENT", "VOLTAGE", "CAPACITY"}}});
}

TEST(CurrentSensors, CurrentIsFifteenBitSignedInWholeOrTenthAmperes) {
  struct Case {
    std::uint16_t word;
    const char* orvane;
    const char* q3304;
  };
  const Case cases[] = {
      {kValid | 1234, "  12", "  12.3"},  // hundredths are cut off, not rounded
      {kValid | 0, "   0", "   0.0"},
      {0xFFCE, "  -0", "  -0.5"},           // -50: bit 14 is both the validity bit and a sign copy
      {0xC000, "-163", "-163.8"},           // -16384, the most negative current
      {0x7FFF, " 163", " 163.8"},           // 16383 with the validity bit, not the no-reading mark
      {kValid | 0x0399, "   9", "   9.2"},  // 921
  };
  LogBuilder log = bothModels();
  for (const Case& c : cases) {
    LogBuilder::Record& record = log.record();
    putReading(record, kOrvaneSlot, c.word, 0, 0);
    putReading(record, kQ3304Slot, c.word, 0, 0);
  }
  const CsvTable csv = convert(log);
  const std::vector<std::string> orvane = csv.column("CURRENT", 0);
  const std::vector<std::string> q3304 = csv.column("CURRENT", 1);
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    SCOPED_TRACE(cases[i].word);
    EXPECT_EQ(orvane.at(i), cases[i].orvane);
    EXPECT_EQ(q3304.at(i), cases[i].q3304);
  }
}

TEST(CurrentSensors, VoltageAndCapacityAreSignedSixteenBitReadings) {
  struct Case {
    std::uint16_t word;
    const char* voltage;
    const char* capacity;
  };
  const Case cases[] = {
      {1260, " 12.6", "  1260"},    {0, "  0.0", "     0"},
      {12345, "123.4", " 12345"},   // 100 V and more grow the text instead of losing digits
      {0xFFFF, " -0.0", "    -1"},  // from 0x8000 up a word is negative
      {0x8000, "-327.6", "-32768"}, {0x7FFF, "---", "---"},  // the no-reading mark
  };
  LogBuilder log = bothModels();
  for (const Case& c : cases) putReading(log.record(), kOrvaneSlot, kValid | 1, c.word, c.word);
  const CsvTable csv = convert(log);
  const std::vector<std::string> voltage = csv.column("VOLTAGE");
  const std::vector<std::string> capacity = csv.column("CAPACITY");
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    SCOPED_TRACE(cases[i].word);
    EXPECT_EQ(voltage.at(i), cases[i].voltage);
    EXPECT_EQ(capacity.at(i), cases[i].capacity);
  }
}

TEST(CurrentSensors, FirstWordWithoutValidityBitChangesNoColumn) {
  LogBuilder log = bothModels();
  putReading(log.record(), kOrvaneSlot, 1234, 1260, 2200);  // before the first valid record
  putReading(log.record(), kOrvaneSlot, kValid | 1234, 1260, 2200);
  putReading(log.record(), kOrvaneSlot, 0x8000 | 500, 900, 4);  // bit 14 clear, bit 15 set
  const CsvTable csv = convert(log);
  EXPECT_THAT(csv.column("CURRENT"), ElementsAre("---", "  12", "  12"));
  EXPECT_THAT(csv.column("VOLTAGE"), ElementsAre("---", " 12.6", " 12.6"));
  EXPECT_THAT(csv.column("CAPACITY"), ElementsAre("---", "  2200", "  2200"));
}

TEST(CurrentSensors, CurrentUsesTheLocaleDecimalSeparator) {
  LogBuilder log = bothModels();
  putReading(log.record(), kQ3304Slot, kValid | 1234, 1260, 0);
  const CsvTable csv = convert(log, Separators{';', ','});
  EXPECT_THAT(csv.column("CURRENT", 1), ElementsAre("  12,3"));
  EXPECT_THAT(csv.column("VOLTAGE", 1), ElementsAre(" 12,6"));
}

TEST(CurrentSensors, NegativeCurrentBecomesTheSmallestReading) {
  RecordWords words;
  OrvaneCurrentSensorDecoder orvane(words.place(0));
  Q3304CurrentSensorDecoder q3304(words.place(0));
  for (const std::uint16_t current : {kValid | 1234, 0xFFCE, kValid | 300}) {
    words.word(0, current);
    orvane.update();
    q3304.update();
  }
  EXPECT_EQ(rangeTextOf(orvane, 0), "  -0/  12");
  EXPECT_EQ(rangeTextOf(q3304, 0), "  -0.5/  12.3");
}

}  // namespace
}  // namespace trelvox
