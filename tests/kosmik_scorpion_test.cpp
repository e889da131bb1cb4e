#include "decoders/kosmik_scorpion.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/csv_table.h"
#include "tests/decoder_harness.h"

namespace trelvox {
namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;

constexpr int kFirstSlot = 3;
constexpr std::uint16_t kValid = 0x8000;

TEST(KosmikScorpion, BothTypesWriteEightColumnsAndDecodeTheSameFrame) {
  struct Case {
    int type;
    const char* typeName;
  };
  for (const Case& c :
       {Case{typeIdOf<KosmikDecoder>(), "KOSMIK"}, Case{typeIdOf<ScorpionDecoder>(), "Scorpion"}}) {
    SCOPED_TRACE(c.typeName);
    const CsvTable csv = convertWords(kFirstSlot, c.type,
                                      {{{0, kValid | 1260},
                                        {1, 1234},
                                        {2, 1500},
                                        {3, 2550},
                                        {4, 0xFFF6},
                                        {5, 41},
                                        {6, 250},
                                        {7, 87}}});
    expectColumns(csv,
                  {{"3", c.typeName,
                    textsOf("BATTERY VOLTAGE", "BATTERY DISCHARGE", "ROTATION", "MOTOR CURRENT",
                            "TEMPERATURE", "BEC TEMPERATURE", "BEC CURRENT", "PWM")}});
    EXPECT_THAT(
        fieldsAfterReceiver(csv.rows().at(3)),
        ElementsAre(" 12.6", "  12.34", "  9000", "  25.5", " -10", "  41", "   2.5", "  87"));
  }
}

// Each case sets one word of an otherwise valid frame and reads one column.
TEST(KosmikScorpion, ItemTexts) {
  const WordCase cases[] = {
      {0, kValid | 1260, "BATTERY VOLTAGE", " 12.6"},  // hundredths dropped, not rounded
      {0, kValid | 5, "BATTERY VOLTAGE", "  0.0"},
      {0, 0xFFFF, "BATTERY VOLTAGE", "327.6"},  // the validity bit is not part of the voltage
      {1, 1234, "BATTERY DISCHARGE", "  12.34"},
      {1, 0xFFFE, "BATTERY DISCHARGE", " 655.34"},
      {1, 0xFFFF, "BATTERY DISCHARGE", "---"},  // the no-reading mark
      {2, 1500, "ROTATION", "  9000"},
      {2, 10923, "ROTATION", " 65538"},  // no 16-bit wrap to 2
      {2, 0xFFFF, "ROTATION", "393210"},
      {3, 12345, "MOTOR CURRENT", " 123.4"},
      {3, 0xFFFE, "MOTOR CURRENT", " 655.3"},
      {4, 25, "TEMPERATURE", "  25"},
      {4, 0xFFF6, "TEMPERATURE", " -10"},
      {4, 0xFC18, "TEMPERATURE", "-1000"},  // grows rather than losing a digit
      {4, 0x7FFF, "TEMPERATURE", "---"},
      {5, 0xFFFF, "BEC TEMPERATURE", "  -1"},  // signed: 0xFFFF is -1, not the no-reading mark
      {5, 12345, "BEC TEMPERATURE", "12345"},
      {6, 99, "BEC CURRENT", "   0.9"},
      {7, 100, "PWM", " 100"},
      {7, 65534, "PWM", "65534"},
  };
  expectWordTexts(typeIdOf<KosmikDecoder>(), kFirstSlot, {kFirstSlot, kValid | 1000}, cases);
}

TEST(KosmikScorpion, EveryColumnShowsNoValueUntilTheFirstValidFrame) {
  const CsvTable csv =
      convertWords(kFirstSlot, typeIdOf<ScorpionDecoder>(),
                   {{{0, 1260}, {2, 1500}, {7, 50}}, {{0, kValid | 1260}, {2, 1500}, {7, 50}}});
  EXPECT_THAT(fieldsAfterReceiver(csv.rows().at(3)),
              ElementsAreArray(std::vector<std::string>(8, "---")));
  EXPECT_THAT(csv.column("ROTATION"), ElementsAre("---", "  9000"));
}

TEST(KosmikScorpion, FrameWithoutValidityBitChangesNoColumn) {
  const CsvTable csv =
      convertWords(kFirstSlot, typeIdOf<KosmikDecoder>(),
                   {{{0, kValid | 1260}, {4, 20}, {7, 30}}, {{0, 1110}, {4, 99}, {7, 77}}});
  EXPECT_THAT(fieldsAfterReceiver(csv.rows().at(4)),
              ElementsAreArray(fieldsAfterReceiver(csv.rows().at(3))));
  EXPECT_THAT(csv.column("BATTERY VOLTAGE"), ElementsAre(" 12.6", " 12.6"));
  EXPECT_THAT(csv.column("TEMPERATURE"), ElementsAre("  20", "  20"));
  EXPECT_THAT(csv.column("PWM"), ElementsAre("  30", "  30"));
}

TEST(KosmikScorpion, ValidityBitIsTheTopBitOfTheFirstByte) {
  LogBuilder log = logWithSensor(kFirstSlot, typeIdOf<KosmikDecoder>());
  log.record().bytes(kFirstSlot, 0x84, 0xEC).bytes(kFirstSlot + 2, 0x05, 0xDC);
  log.record().bytes(kFirstSlot, 0x04, 0xEC).bytes(kFirstSlot + 2, 0x00, 0x01);
  const CsvTable csv = convert(log);
  EXPECT_THAT(csv.column("BATTERY VOLTAGE"), ElementsAre(" 12.6", " 12.6"));
  EXPECT_THAT(csv.column("ROTATION"), ElementsAre("  9000", "  9000"));
}

TEST(KosmikScorpion, DecimalsFollowTheDecimalSeparator) {
  const CsvTable csv = convertWords(kFirstSlot, typeIdOf<KosmikDecoder>(),
                                    {{{0, kValid | 1260}, {1, 1234}}}, Separators{';', ','});
  EXPECT_THAT(csv.column("BATTERY VOLTAGE"), ElementsAre(" 12,6"));
  EXPECT_THAT(csv.column("BATTERY DISCHARGE"), ElementsAre("  12,34"));
}

TEST(KosmikScorpion, NoReadingMarkRestartsTheItem) {
  const CsvTable csv = convertWords(
      kFirstSlot, typeIdOf<KosmikDecoder>(),
      {{{0, kValid | 1}, {1, 500}}, {{0, kValid | 1}, {1, 0xFFFF}}, {{0, kValid | 1}, {1, 100}}});
  EXPECT_THAT(csv.column("BATTERY DISCHARGE"), ElementsAre("   5.00", "---", "   1.00"));
}

TEST(KosmikScorpion, RotationRangeComparesThirtyTwoBitReadings) {
  RecordWords words;
  KosmikDecoder kosmik(words.place(kFirstSlot));
  constexpr int kRotation = 2;
  for (const std::uint16_t rotation : {1500, 10923, 2000}) {
    words.word(kFirstSlot, kValid).word(kFirstSlot + kRotation, rotation);
    kosmik.update();
  }
  EXPECT_EQ(kosmik.current(kRotation).number, 12000);
  EXPECT_EQ(kosmik.largest(kRotation).number, 65538);
  EXPECT_EQ(kosmik.smallest(kRotation).number, 9000);
  EXPECT_EQ(rangeTextOf(kosmik, kRotation), "  9000/ 65538");
}

}  // namespace
}  // namespace trelvox
