#include "decoders/servo_adapter.h"

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

constexpr int kFirstSlot = 1;
constexpr std::uint8_t kValid = 0x80;

// One servo's words as they arrive: current and temperature bytes, angle, accumulated time.
struct ServoWords {
  int currentByte;
  int temperatureByte;
  std::uint16_t angle;
  std::uint16_t minutes;
};

// Into a LogBuilder record or RecordWords.
template <typename Record>
void putServo(Record& record, int firstWord, const ServoWords& servo) {
  const int slot = kFirstSlot + firstWord;
  record.bytes(slot, servo.currentByte, servo.temperatureByte)
      .word(slot + 1, servo.angle)
      .word(slot + 2, servo.minutes);
}

void putServos(LogBuilder::Record& record, const ServoWords& first, const ServoWords& second) {
  putServo(record, 0, first);
  putServo(record, 3, second);
}

TEST(ServoAdapter, HeaderRowsHoldSixColumnsWithoutAccumulatedTimes) {
  LogBuilder log = logWithSensor(kFirstSlot, typeIdOf<ServoAdapterDecoder>());
  putServos(log.record(), {kValid | 45, 0x23, 100, 60}, {12, 0x30, 200, 90});
  const CsvTable csv = convert(log);
  expectColumns(csv, {{"1", "SERVO ADAPTER",
                       textsOf("CURRENT 1", "TEMPERATURE 1", "ANGLE 1", "CURRENT 2",
                               "TEMPERATURE 2", "ANGLE 2")}});
  EXPECT_THAT(lastFields(csv.rows().at(3), 6),
              ElementsAre("  4.5", "  25", "  10.0", "  1.2", "  38", "  20.0"));
}

TEST(ServoAdapter, DecodesBothServosFromTheirOwnWords) {
  struct Case {
    ServoWords first;
    ServoWords second;
    std::array<const char*, 6> texts;
  };
  const Case cases[] = {
      {{kValid | 45, 0x23, 0xFE3E, 0},
       {0x85, 0x8A, 0, 0},  // bit 7 of servo 2's bytes is ignored
       {"  4.5", "  25", " -45.0", "  0.5", "   0", "   0.0"}},
      {{kValid | 0, 0x00, 0, 0},
       {0x00, 0x00, 1, 0},
       {"  0.0", " -10", "   0.0", "  0.0", " -10", "   0.1"}},
      {{0xFF, 0xFF, 9999, 0},
       {0x7F, 0x7F, 0xFFFF, 0},
       {" 12.7", " 117", " 999.9", " 12.7", " 117", "  -0.1"}},
      {{kValid | 1, 0x80, 12345, 0},
       {2, 0x0A, 0x8000, 0},  // angles grow beyond 999.9
       {"  0.1", " -10", "1234.5", "  0.2", "   0", "-3276.8"}},
      {{kValid | 3, 0x0B, 0x7FFF, 0},
       {4, 0x0C, 0x7FFF, 0},  // the angles' no-reading mark
       {"  0.3", "   1", "---", "  0.4", "   2", "---"}},
  };
  LogBuilder log = logWithSensor(kFirstSlot, typeIdOf<ServoAdapterDecoder>());
  for (const Case& c : cases) putServos(log.record(), c.first, c.second);
  const CsvTable csv = convert(log);
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    SCOPED_TRACE(i);
    EXPECT_THAT(lastFields(csv.rows().at(3 + i), 6), ElementsAreArray(cases[i].texts));
  }
}

TEST(ServoAdapter, FirstWordWithoutValidityBitLeavesBothServosUnchanged) {
  LogBuilder log = logWithSensor(kFirstSlot, typeIdOf<ServoAdapterDecoder>());
  putServos(log.record(), {45, 0x23, 100, 1}, {12, 0x30, 200, 1});  // before the first valid record
  putServos(log.record(), {kValid | 45, 0x23, 100, 1}, {12, 0x30, 200, 1});
  putServos(log.record(), {50, 0x40, 300, 2}, {kValid | 60, 0x50, 400, 2});
  const CsvTable csv = convert(log);
  EXPECT_THAT(lastFields(csv.rows().at(3), 6), Each("---"));
  const std::vector<std::string> expected{"  4.5", "  25", "  10.0", "  1.2", "  38", "  20.0"};
  EXPECT_EQ(lastFields(csv.rows().at(4), 6), expected);
  EXPECT_EQ(lastFields(csv.rows().at(5), 6), expected);
}

TEST(ServoAdapter, ExtremesCompareSignedAnglesAndUnsignedTimes) {
  RecordWords words;
  ServoAdapterDecoder sensor(words.place(kFirstSlot));
  const ServoWords readings[] = {
      {kValid | 127, 0x20, 100, 0x0010},
      {kValid | 0, 0x20, 0xFE3E, 0x9000},  // -45.0 degrees; 36864 minutes
      {kValid | 30, 0x20, 50, 0x0100},
  };
  for (const ServoWords& reading : readings) {
    putServo(words, 0, reading);
    sensor.update();
  }
  EXPECT_EQ(rangeTextOf(sensor, 0), "  0.0/ 12.7");
  EXPECT_EQ(rangeTextOf(sensor, 2), " -45.0/  10.0");
  EXPECT_EQ(rangeTextOf(sensor, 3), "    16/ 36864");
  EXPECT_EQ(currentTextOf(sensor, 3), "   256");
  EXPECT_STREQ(sensor.columns()[static_cast<std::size_t>(3)].name, "ACCUMULATED TIME 1");
}

}  // namespace
}  // namespace trelvox
