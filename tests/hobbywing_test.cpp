#include "decoders/hobbywing.h"

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

constexpr int kFirstSlot = 2;
constexpr int kEscTemperature = 4;  // word index, also of the validity bit
constexpr int kMotorTemperature = 5;
constexpr int kEscTemperatureSlot = kFirstSlot + kEscTemperature;
constexpr std::uint16_t kValid = 0x4000;

TEST(HobbyWing, BothTypesWriteSevenColumnsUnderTheirTypeName) {
  struct Case {
    int type;
    const char* typeName;
  };
  for (const Case& c : {Case{typeIdOf<OrvaneEscDecoder>(), "ORVANE ESC"},
                        Case{typeIdOf<HobbyWingDecoder>(), "HOBBYWING"}}) {
    SCOPED_TRACE(c.typeName);
    const CsvTable csv = convertWords(kFirstSlot, c.type,
                                      {{{0, 1234},
                                        {1, 1680},
                                        {2, 1500},
                                        {3, 2000},
                                        {4, 0x402D},
                                        {5, 0xFFF6},
                                        {6, 100},
                                        {7, 0x4444}}});
    expectColumns(csv, {{"2", c.typeName,
                         textsOf("CURRENT", "VOLTAGE", "CAPACITY", "ROTATION", "ESC_TEMPERATURE",
                                 "MOTOR_TEMPERATURE", "THROTTLE")}});
    EXPECT_THAT(fieldsAfterReceiver(csv.rows().at(3)),
                ElementsAre("  12.3", "16.8", "  1500", " 12000", "  45", " -10", "100"));
  }
}

TEST(HobbyWing, EscTemperatureWordBitFourteenGatesTheWholeFrame) {
  const CsvTable csv = convertWords(kFirstSlot, typeIdOf<HobbyWingDecoder>(),
                                    {{},
                                     {{0, 1234}, {3, 2000}, {4, 0x402D}, {5, 30}, {6, 55}},
                                     {{0, 999}, {3, 10}, {4, 0x002D}, {5, 31}, {6, 66}}});
  EXPECT_THAT(fieldsAfterReceiver(csv.rows().at(3)),
              ElementsAreArray(std::vector<std::string>(7, "---")));
  const std::vector<std::string> expected{"  12.3", " 0.0", "     0", " 12000",
                                          "  45",   "  30", " 55"};
  EXPECT_EQ(fieldsAfterReceiver(csv.rows().at(4)), expected);
  EXPECT_EQ(fieldsAfterReceiver(csv.rows().at(5)), expected);
}

TEST(HobbyWing, ValidityBitIsInTheFirstByteOfTheEscTemperatureSlot) {
  LogBuilder log = logWithSensor(kFirstSlot, typeIdOf<OrvaneEscDecoder>());
  log.record().bytes(kEscTemperatureSlot, 0x40, 0x2D);
  log.record().bytes(kEscTemperatureSlot, 0x2D, 0x40);  // 0x40 in the second byte is no validity
  EXPECT_THAT(convert(log).column("ESC_TEMPERATURE"), ElementsAre("  45", "  45"));
}

TEST(HobbyWing, UnreportedMotorTemperatureKeepsTheLastReading) {
  const CsvTable csv = convertWords(kFirstSlot, typeIdOf<HobbyWingDecoder>(),
                                    {{{kEscTemperature, 0x402D}, {kMotorTemperature, 0xFFFF}},
                                     {{kEscTemperature, 0x402E}, {kMotorTemperature, 0xFFF6}},
                                     {{kEscTemperature, 0x402F}, {kMotorTemperature, 0xFFFF}},
                                     {{kEscTemperature, 0x4030}, {kMotorTemperature, 60}}});
  EXPECT_THAT(csv.column("MOTOR_TEMPERATURE"), ElementsAre("---", " -10", " -10", "  60"));
  EXPECT_THAT(csv.column("ESC_TEMPERATURE"), ElementsAre("  45", "  46", "  47", "  48"));
}

TEST(HobbyWing, MotorTemperatureNeverReportedShowsNoValue) {
  const CsvTable csv = convertWords(kFirstSlot, typeIdOf<OrvaneEscDecoder>(),
                                    {{{kEscTemperature, 0x402D}, {kMotorTemperature, 0xFFFF}},
                                     {{kEscTemperature, 0x402D}, {kMotorTemperature, 0xFFFF}}});
  EXPECT_THAT(csv.column("MOTOR_TEMPERATURE"), ElementsAre("---", "---"));
}

// Each case sets one word of an otherwise valid frame and reads one column.
TEST(HobbyWing, ItemTexts) {
  const WordCase cases[] = {
      {0, 1234, "CURRENT", "  12.3"},  // hundredths dropped, not rounded
      {0, 0xFF9C, "CURRENT", "  -1.0"},
      {0, 0xD8F0, "CURRENT", "-100.0"},  // grows rather than losing a digit
      {0, 0x7FFF, "CURRENT", "---"},     // the no-reading mark
      {1, 1680, "VOLTAGE", "16.8"},
      {1, 10000, "VOLTAGE", "100.0"},
      {1, 12000, "VOLTAGE", "120.0"},
      {1, 0xFFFE, "VOLTAGE", "655.3"},  // unsigned
      {2, 1500, "CAPACITY", "  1500"},
      {2, 0xFFFB, "CAPACITY", "    -5"},
      {3, 2000, "ROTATION", " 12000"},
      {3, 0xFFFF, "ROTATION", "393210"},  // held in 32 bits
      {4, 0x402D, "ESC_TEMPERATURE", "  45"},
      {4, 0xC02D, "ESC_TEMPERATURE", "  45"},  // bit 15 is no sign
      {4, 0x7FFF, "ESC_TEMPERATURE", "16383"},
      {5, 0xFFF6, "MOTOR_TEMPERATURE", " -10"},
      {5, 0xFC18, "MOTOR_TEMPERATURE", "-1000"},
      {5, 0x7FFF, "MOTOR_TEMPERATURE", "---"},
      {6, 100, "THROTTLE", "100"},
      {6, 1000, "THROTTLE", "1000"},
  };
  expectWordTexts(typeIdOf<HobbyWingDecoder>(), kFirstSlot, {kEscTemperatureSlot, kValid | 20},
                  cases);
}

}  // namespace
}  // namespace trelvox
