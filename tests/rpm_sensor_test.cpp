#include "decoders/rpm_sensor.h"

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

constexpr int kSlot = 7;

std::vector<std::string> rotationTexts(const std::vector<SlotBytes>& records) {
  return convertFirstWordBytes(kSlot, typeIdOf<RpmSensorDecoder>(), records).column("ROTATION");
}

TEST(RpmSensor, WritesOneColumnUnderItsSlot) {
  expectColumns(convertEmptyRecord(kSlot, typeIdOf<RpmSensorDecoder>()),
                {{"7", "RPM SENSOR", {"ROTATION"}}});
}

TEST(RpmSensor, DecodesLittleEndianCountTimesSix) {
  struct Case {
    SlotBytes bytes;
    const char* text;
  };
  const Case cases[] = {
      {{0xE8, 0x03}, "  6000"},  // count 1000: the second byte is the high one
      {{0x03, 0xE8}, "356370"},  // count 59395: the top bit is part of the count
      {{0xFF, 0xFF}, "393210"},  // the largest count, beyond 16 bits once multiplied
      {{0x01, 0x00}, "     6"},
      {{0x00, 0x00}, "     0"},  // every record is a reading: zeros print 0, never "---"
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_THAT(rotationTexts({c.bytes}), ElementsAre(c.text));
  }
}

TEST(RpmSensor, RangeFollowsTheWholeLog) {
  RecordWords words;
  RpmSensorDecoder sensor(words.place(kSlot));
  const std::array<SlotBytes, 4> records{{{0xE8, 0x03}, {0x00, 0x00}, {0x03, 0xE8}, {0x0A, 0x00}}};
  for (const SlotBytes& r : records) {
    words.bytes(kSlot, r.first, r.second);
    sensor.update();
  }
  EXPECT_EQ(sensor.current(0).number, 60);
  EXPECT_EQ(sensor.smallest(0).number, 0);
  EXPECT_EQ(sensor.largest(0).number, 356370);
}

}  // namespace
}  // namespace trelvox
