#include "decoders/roxxy.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/csv_table.h"
#include "tests/decoder_harness.h"

namespace trelvox {
namespace {

using ::testing::ElementsAre;

constexpr int kFirstSlot = 5;
constexpr int kTemperature = 4;  // word index, also of the validity bit
constexpr int kTemperatureSlot = kFirstSlot + kTemperature;
constexpr std::uint16_t kValid = 0x4000;

TEST(Roxxy, WritesFiveColumnsUnderItsSlotAndTypeName) {
  const CsvTable csv = convertEmptyRecord(kFirstSlot, typeIdOf<RoxxyDecoder>());
  expectColumns(csv,
                {{"5", "ROXXY", {"CURRENT", "VOLTAGE", "CAPACITY", "ROTATION", "TEMPERATURE"}}});
  EXPECT_THAT(fieldsAfterReceiver(csv.rows().at(3)),
              ElementsAre("---", "---", "---", "---", "---"));
}

TEST(Roxxy, TemperatureWordBitFourteenGatesTheWholeFrame) {
  const CsvTable csv =
      convertWords(kFirstSlot, typeIdOf<RoxxyDecoder>(),
                   {{{0, 1234}, {1, 1680}, {2, 2200}, {3, 1500}, {kTemperature, 0x4019}},
                    {{0, 500}, {1, 1110}, {2, 3300}, {3, 100}, {kTemperature, 0x0019}}});
  const std::vector<std::string> expected{"  12.3", " 16.8", "  2200", "  9000", "  25"};
  EXPECT_EQ(fieldsAfterReceiver(csv.rows().at(3)), expected);
  EXPECT_EQ(fieldsAfterReceiver(csv.rows().at(4)), expected);
}

TEST(Roxxy, ValidityBitIsInTheFirstByteOfTheTemperatureSlot) {
  LogBuilder log = logWithSensor(kFirstSlot, typeIdOf<RoxxyDecoder>());
  log.record().bytes(kTemperatureSlot, 0x40, 0x19);
  log.record().bytes(kTemperatureSlot, 0x00, 0x4C);  // 0x40 in the second byte is no validity
  EXPECT_THAT(convert(log).column("TEMPERATURE"), ElementsAre("  25", "  25"));
}

// Each case sets one word of an otherwise valid frame and reads one column.
TEST(Roxxy, ItemTexts) {
  const WordCase cases[] = {
      {0, 1234, "CURRENT", "  12.3"},  // hundredths dropped, not rounded
      {0, 0xFF9C, "CURRENT", "  -1.0"},
      {0, 0xFFFF, "CURRENT", "  -0.0"},  // -0.01 A keeps its sign
      {0, 0xD8F0, "CURRENT", "-100.0"},  // grows rather than losing a digit
      {0, 0x7FFF, "CURRENT", "---"},     // the no-reading mark
      {1, 1680, "VOLTAGE", " 16.8"},
      {1, 10000, "VOLTAGE", "100.0"},
      {2, 2200, "CAPACITY", "  2200"},
      {2, 0xFFFB, "CAPACITY", "    -5"},
      {3, 1500, "ROTATION", "  9000"},
      {3, 5462, "ROTATION", " 32772"},  // would turn negative in 16 bits
      {3, 0xFFFF, "ROTATION", "393210"},
      {4, 0x4019, "TEMPERATURE", "  25"},
      {4, 0xFFFB, "TEMPERATURE", "  -5"},
      {4, 0xC000, "TEMPERATURE", "-16384"},
      {4, 0x7FFF, "TEMPERATURE", "16383"},
  };
  expectWordTexts(typeIdOf<RoxxyDecoder>(), kFirstSlot, {kTemperatureSlot, kValid | 20}, cases);
}

TEST(Roxxy, RotationRangeStaysPositiveAboveSixteenBits) {
  RecordWords words;
  RoxxyDecoder roxxy(words.place(kFirstSlot));
  words.bytes(kTemperatureSlot, 0x40, 0);
  constexpr int kRotation = 3;
  for (const std::uint16_t rotation : {1500, 5462, 2000}) {
    words.word(kFirstSlot + kRotation, rotation);
    roxxy.update();
  }
  EXPECT_EQ(roxxy.current(kRotation).number, 12000);
  EXPECT_EQ(roxxy.largest(kRotation).number, 32772);
  EXPECT_EQ(roxxy.smallest(kRotation).number, 9000);
  EXPECT_EQ(rangeTextOf(roxxy, kRotation), "  9000/ 32772");
}

}  // namespace
}  // namespace trelvox
