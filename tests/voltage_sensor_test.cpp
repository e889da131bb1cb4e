#include "decoders/voltage_sensor.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/csv_table.h"
#include "tests/decoder_harness.h"

namespace trelvox {
namespace {

using ::testing::ElementsAre;

constexpr int kSlot = 3;

struct Words {
  std::uint16_t battery;
  std::uint16_t external;
};

LogBuilder voltageLog(const std::vector<Words>& records) {
  LogBuilder log;
  log.sensor(kSlot, typeIdOf<VoltageSensorDecoder>());
  for (const Words& r : records) log.record().word(kSlot, r.battery).word(kSlot + 1, r.external);
  return log;
}

// The receiver writes a BATTERY column too; the voltage sensor's is the second one.
std::vector<std::string> batteryColumn(const CsvTable& csv) { return csv.column("BATTERY", 1); }
std::vector<std::string> externalColumn(const CsvTable& csv) { return csv.column("EXT. BATT."); }

// The sensor outside a conversion, for its range texts.
class VoltageSensorRange : public ::testing::Test {
 protected:
  void update(Words w) {
    words_.word(kSlot, w.battery).word(kSlot + 1, w.external);
    sensor_.update();
  }
  std::string range(int item) const { return rangeTextOf(sensor_, item, ','); }

 private:
  RecordWords words_;
  VoltageSensorDecoder sensor_{words_.place(kSlot)};
};

TEST(VoltageSensor, WritesTwoColumnsUnderItsSlot) {
  expectColumns(convert(voltageLog({{0x8000 | 126, 74}})),
                {{"3", "VOLTAGE SENSOR", {"BATTERY", "EXT. BATT."}}});
}

TEST(VoltageSensor, DecodesBothWordsOfAValidRecord) {
  struct Case {
    Words words;
    const char* battery;
    const char* external;
  };
  const Case cases[] = {
      {{0x8000 | 126, 74}, " 12.6", "  7.4"},
      {{0x8000, 0}, "  0.0", "  0.0"},              // zero is a reading, not "---"
      {{0x8000, 0xFFFF}, "  0.0", " -0.1"},         // the second word is signed
      {{0x8000, 0x8000}, "  0.0", "-3276.8"},       // all digits and the sign
      {{0x8000 | 10000, 9999}, "1000.0", "999.9"},  // a fourth digit widens the text
      {{0xFFFE, 0x7FFE}, "3276.6", "3276.6"},
      {{0xFFFF, 5}, "---", "  0.5"},           // battery 0x7FFF is the no-reading mark
      {{0x8000 | 5, 0x7FFF}, "  0.5", "---"},  // so is an external 0x7FFF
      {{0x7FFF, 0x1234}, "---", "---"},        // no validity bit
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.battery) + " " + c.external);
    const CsvTable csv = convert(voltageLog({c.words}));
    EXPECT_THAT(batteryColumn(csv), ElementsAre(c.battery));
    EXPECT_THAT(externalColumn(csv), ElementsAre(c.external));
  }
}

TEST(VoltageSensor, RecordWithoutValidityBitChangesNeitherColumn) {
  const CsvTable csv =
      convert(voltageLog({{0x8000 | 126, 74}, {0x0000 | 50, 99}, {0x8000 | 50, 99}}));
  EXPECT_THAT(batteryColumn(csv), ElementsAre(" 12.6", " 12.6", "  5.0"));
  EXPECT_THAT(externalColumn(csv), ElementsAre("  7.4", "  7.4", "  9.9"));
}

TEST(VoltageSensor, ColumnsUseTheDecimalSeparatorOfTheConversion) {
  const CsvTable csv = convert(voltageLog({{0x8000 | 126, 0xFFFB}}), Separators{';', ','});
  EXPECT_THAT(batteryColumn(csv), ElementsAre(" 12,6"));
  EXPECT_THAT(externalColumn(csv), ElementsAre(" -0,5"));
}

TEST(VoltageSensor, ExternalNoReadingMarkRestartsItsColumn) {
  const CsvTable csv = convert(voltageLog({{0x8000, 50}, {0x8000, 0x7FFF}, {0x8000, 20}}));
  EXPECT_THAT(externalColumn(csv), ElementsAre("  5.0", "---", "  2.0"));
}

TEST_F(VoltageSensorRange, IsNoValueBeforeTheFirstValidRecord) {
  update({0x7FFF, 74});
  EXPECT_EQ(range(0), "---");
  EXPECT_EQ(range(1), "---");
}

TEST_F(VoltageSensorRange, ShowsSmallestAndLargestWithPointAndUnitWhateverTheLocale) {
  update({0x8000 | 126, 74});
  update({0x8000 | 74, 3});
  update({0x8000 | 100, 0xFFFF});
  EXPECT_EQ(range(0), "  7.4/ 12.6V");
  EXPECT_EQ(range(1), " -0.1/  7.4V");
}

TEST_F(VoltageSensorRange, KeepsAllDigitsOfLargeAndNegativeReadings) {
  update({0x8000 | 5, 0x8000});
  update({0x8000 | 12345, 10000});
  EXPECT_EQ(range(0), "  0.5/1234.5V");
  EXPECT_EQ(range(1), "-3276.8/1000.0V");
}

TEST_F(VoltageSensorRange, StartsAfreshAfterTheNoReadingMark) {
  update({0x8000, 50});
  update({0x8000, 0x7FFF});
  EXPECT_EQ(range(1), "---");
  update({0x8000, 20});
  EXPECT_EQ(range(1), "  2.0/  2.0V");
}

}  // namespace
}  // namespace trelvox
