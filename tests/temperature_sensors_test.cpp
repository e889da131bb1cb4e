#include "decoders/temperature_sensors.h"

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

constexpr int kSlot = 5;

// The TEMPERATURE texts of a sensor of `type` at kSlot, one record per entry of `records`.
std::vector<std::string> temperatureTexts(int type, const std::vector<SlotBytes>& records) {
  return convertFirstWordBytes(kSlot, type, records).column("TEMPERATURE");
}

struct Case {
  int first;
  int second;
  const char* text;
};

TEST(OrvaneTemperatureSensor, DecodesLittleEndianWordOffsetByHundred) {
  const Case cases[] = {
      {0x64, 0x80, "   0"},   // raw 100
      {0x00, 0x80, "-100"},   // raw 0
      {0x7D, 0x80, "  25"},   // raw 125
      {0x63, 0x80, "  -1"},   // raw 99
      {0xE8, 0x83, " 900"},   // raw 1000: the second byte is the high one
      {0x4C, 0x84, "1000"},   // four digits fill the sign position
      {0xFF, 0xFF, "32667"},  // the largest raw number keeps all its digits
      {0x64, 0x00, "---"},    // validity bit clear
      {0xFF, 0x7F, "---"},    // validity bit clear, all other bits set
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_THAT(temperatureTexts(typeIdOf<OrvaneTemperatureSensorDecoder>(), {{c.first, c.second}}),
                ElementsAre(c.text));
  }
}

TEST(OrvaneTemperatureSensor, RecordWithoutValidityBitRepeatsLastTemperature) {
  EXPECT_THAT(temperatureTexts(typeIdOf<OrvaneTemperatureSensorDecoder>(),
                               {{0x7D, 0x80}, {0x10, 0x7F}, {0x64, 0x80}}),
              ElementsAre("  25", "  25", "   0"));
}

TEST(Q3305TemperatureSensor, DecodesBigEndianFifteenBitSignedWord) {
  const Case cases[] = {
      {0x40, 0x19, "  25"},
      {0xFF, 0xFB, "  -5"},
      {0x40, 0x00, "   0"},
      {0xC0, 0x00, "-16384"},  // the smallest number keeps all its digits and its sign
      {0x7F, 0xFF, "16383"},
      {0x43, 0xE8, "1000"},
      {0x3F, 0xFF, "---"},  // bit 14 clear: ignored although the rest is non-zero
      {0xBF, 0xFB, "---"},
      {0x19, 0x40, "---"},  // 25 in the wrong byte order has no validity bit
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_THAT(temperatureTexts(typeIdOf<Q3305TemperatureSensorDecoder>(), {{c.first, c.second}}),
                ElementsAre(c.text));
  }
}

TEST(Q3305TemperatureSensor, NegativeTemperatureBecomesTheSmallestReading) {
  RecordWords words;
  Q3305TemperatureSensorDecoder sensor(words.place(kSlot));
  const std::array<SlotBytes, 4> records{{{0x40, 0x19}, {0xFF, 0xFB}, {0x3F, 0x80}, {0x40, 0x0A}}};
  for (const SlotBytes& r : records) {
    words.bytes(kSlot, r.first, r.second);
    sensor.update();
  }
  EXPECT_EQ(sensor.current(0).number, 10);
  EXPECT_EQ(sensor.smallest(0).number, -5);
  EXPECT_EQ(sensor.largest(0).number, 25);
}

TEST(TemperatureSensors, HeaderNamesBothModelsWithTheirTypeNames) {
  LogBuilder log;
  log.sensor(1, typeIdOf<OrvaneTemperatureSensorDecoder>())
      .sensor(2, typeIdOf<Q3305TemperatureSensorDecoder>());
  log.record();
  const CsvTable csv = convert(log);
  expectColumns(csv, {{"1", "TEMPERATURE SENSOR", {"TEMPERATURE"}},
                      {"2", "TEMPERATURE Q3305 ", {"TEMPERATURE"}}});
  EXPECT_THAT(fieldsAfterReceiver(csv.rows().at(3)), ElementsAre("---", "---"));
}

}  // namespace
}  // namespace trelvox
