#include "decoders/speed_sensors.h"

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

constexpr int kSpeedSlot = 1;
constexpr int kAirSpeedSlot = 2;

// A speed sensor and a true-airspeed sensor fed the same bytes in every record; column "SPEED" 0
// is the speed sensor's, 1 the true-airspeed sensor's.
CsvTable convertBoth(const std::vector<SlotBytes>& records) {
  LogBuilder log;
  log.sensor(kSpeedSlot, typeIdOf<SpeedSensorDecoder>())
      .sensor(kAirSpeedSlot, typeIdOf<TrueAirSpeedDecoder>());
  for (const SlotBytes& r : records) {
    log.record().bytes(kSpeedSlot, r.first, r.second).bytes(kAirSpeedSlot, r.first, r.second);
  }
  return convert(log);
}

TEST(SpeedSensors, HeaderNamesBothModelsWithTheirTypeNames) {
  expectColumns(convertBoth({{0, 0}}),
                {{"1", "SPEED SENSOR", {"SPEED"}}, {"2", "TrueAirSpeed", {"SPEED"}}});
}

TEST(SpeedSensors, DecodeTheSameWordIntoTheirOwnLayouts) {
  struct Case {
    SlotBytes bytes;
    const char* speedText;
    const char* airSpeedText;
  };
  const Case cases[] = {
      {{0x40, 0x64}, " 100", "  100"},
      {{0x40, 0x00}, "   0", "    0"},
      {{0xFF, 0xFF}, "  -1", "   -1"},  // a negative speed shows its sign in both
      {{0x43, 0xE8}, "1000", " 1000"},  // all four digits in the speed column
      {{0x7F, 0xFF}, "16383", "16383"},
      {{0xC0, 0x00}, "-16384", "-16384"},
      {{0x3F, 0xFF}, "---", "---"},  // bit 14 clear, whatever the other bits hold
      {{0xBF, 0xFF}, "---", "---"},
      {{0x64, 0x40}, "9280", " 9280"},  // the first byte is the high one
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.speedText);
    const CsvTable csv = convertBoth({c.bytes});
    EXPECT_THAT(csv.column("SPEED", 0), ElementsAre(c.speedText));
    EXPECT_THAT(csv.column("SPEED", 1), ElementsAre(c.airSpeedText));
  }
}

TEST(SpeedSensors, RecordWithoutValidityBitRepeatsLastSpeed) {
  const CsvTable csv = convertBoth({{0x40, 0x64}, {0x80, 0x05}, {0xFF, 0xFE}});
  EXPECT_THAT(csv.column("SPEED", 0), ElementsAre(" 100", " 100", "  -2"));
  EXPECT_THAT(csv.column("SPEED", 1), ElementsAre("  100", "  100", "   -2"));
}

template <typename Sensor>
void expectNegativeSpeedBecomesSmallest() {
  RecordWords words;
  Sensor sensor(words.place(kSpeedSlot));
  const std::array<SlotBytes, 3> records{{{0x40, 0x64}, {0xFF, 0xFF}, {0x40, 0x05}}};
  for (const SlotBytes& r : records) {
    words.bytes(kSpeedSlot, r.first, r.second);
    sensor.update();
  }
  EXPECT_EQ(sensor.current(0).number, 5);
  EXPECT_EQ(sensor.smallest(0).number, -1);
  EXPECT_EQ(sensor.largest(0).number, 100);
}

TEST(SpeedSensors, NegativeSpeedBecomesTheSmallestReadingInBoth) {
  expectNegativeSpeedBecomesSmallest<SpeedSensorDecoder>();
  expectNegativeSpeedBecomesSmallest<TrueAirSpeedDecoder>();
}

}  // namespace
}  // namespace trelvox
