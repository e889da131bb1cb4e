#include "sensors/nav60.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/csv_table.h"
#include "tests/decoder_harness.h"

namespace trelvox {
namespace {

using ::testing::Each;
using ::testing::ElementsAre;
using ::testing::ElementsAreArray;

constexpr int kFirst = 10;
constexpr std::uint16_t kFlag = 0x8000;
constexpr int kAltitudeWord = 10;

const std::vector<std::string> kColumnNames{
    "TEMPERATURE1", "TEMPERATURE2", "REVOLUTION1", "REVOLUTION2", "REVOLUTION3", "VOLTAGE1",
    "VOLTAGE2",     "CURRENT1",     "CURRENT2",    "FUEL",        "ALTITUDE",    "PRESSURE",
    "POWER",        "FUEL2",        "THROTTLE",    "ALARM"};

LogBuilder nav60Log() {
  LogBuilder log;
  log.sensor(kFirst, kNav60);
  return log;
}

std::uint16_t twosComplement(int v) { return static_cast<std::uint16_t>(v); }

TEST(Nav60, HeaderRowsCarrySixteenItemColumns) {
  LogBuilder log = nav60Log();
  log.record();
  const CsvTable csv = convert(log);
  const std::vector<std::string> names = csv.sensorColumnNames();
  EXPECT_THAT(std::vector<std::string>(names.begin() + 3, names.end()),
              ElementsAreArray(kColumnNames));
  EXPECT_THAT(std::vector<std::string>(csv.header(1).end() - 16, csv.header(1).end()),
              Each("NAV-60"));
  EXPECT_THAT(std::vector<std::string>(csv.header(0).end() - 16, csv.header(0).end()), Each("10"));
}

TEST(Nav60, EveryColumnShowsNoValueWhileTheFlagIsClear) {
  LogBuilder log = nav60Log();
  LogBuilder::Record& record = log.record();
  for (int k = 0; k < 16; ++k) record.word(kFirst + k, 0x7FF0);
  log.repeat();
  const CsvTable csv = convert(log);
  for (const std::string& name : kColumnNames) {
    EXPECT_THAT(csv.column(name), ElementsAre("---", "---")) << name;
  }
}

struct ItemCase {
  const char* column;
  int word;
  std::uint16_t raw;
  const char* text;
};

// Word 0 carries the flag; a case for word 0 sets the flag itself.
const ItemCase kItemCases[] = {
    {"TEMPERATURE1", 0, 0xFFFF, "  -1"},  // bit 14 is the sign, bit 15 the flag
    {"TEMPERATURE1", 0, kFlag | 25, "  25"},
    {"TEMPERATURE1", 0, kFlag | 0x3FFF, "16383"},
    {"TEMPERATURE1", 0, kFlag | 0x4000, "-16384"},
    {"TEMPERATURE2", 1, twosComplement(-40), " -40"},
    {"TEMPERATURE2", 1, 0x8000, "-32768"},
    {"REVOLUTION1", 2, 1000, "  6000"},
    // The speed is six times the word and needs more than 16 bits.
    {"REVOLUTION2", 3, 10923, " 65538"},
    {"REVOLUTION3", 4, 0xFFFF, "393210"},
    {"VOLTAGE1", 5, 126, " 12.6"},
    {"VOLTAGE2", 6, 12345, "1234.5"},
    {"VOLTAGE2", 6, 0xFFFF, "---"},
    {"CURRENT1", 7, twosComplement(-25), "   -2.5"},
    {"CURRENT2", 8, 1234, "  123.4"},
    {"CURRENT2", 8, twosComplement(-32768), "-3276.8"},
    {"FUEL", 9, 100, " 100"},
    {"PRESSURE", 11, 10132, "1013.2"},
    {"POWER", 12, twosComplement(-250), " -250"},  // a negative power shows its sign
    {"POWER", 12, 1500, " 1500"},
    {"FUEL2", 13, 50, "  50"},
    {"THROTTLE", 14, 0, "   0"},
    {"ALARM", 15, 0x8001, "32769"},
    {"ALARM", 15, 65534, "65534"},
};

TEST(Nav60, EachItemReadsItsWordWithItsScaleSignAndWidth) {
  for (const ItemCase& c : kItemCases) {
    LogBuilder log = nav60Log();
    log.record().word(kFirst, kFlag).word(kFirst + c.word, c.raw);
    const CsvTable csv = convert(log);
    EXPECT_THAT(csv.column(c.column), ElementsAre(c.text)) << c.column << " " << c.raw;
  }
}

TEST(Nav60, DecimalsFollowTheLocaleSeparator) {
  LogBuilder log = nav60Log();
  log.record().word(kFirst, kFlag).word(kFirst + 7, twosComplement(-25)).word(kFirst + 11, 9876);
  const CsvTable csv = convert(log, Separators{';', ','});
  EXPECT_THAT(csv.column("CURRENT1"), ElementsAre("   -2,5"));
  EXPECT_THAT(csv.column("PRESSURE"), ElementsAre(" 987,6"));
}

struct AltitudeCase {
  std::uint16_t firstWord;
  std::uint16_t laterWord;
  const char* laterText;
};

const AltitudeCase kAltitudeCases[] = {
    {10000, 10050, "    5.0"},
    {10000, 9990, "   -1.0"},
    {8551, 0, " -855.1"},
    // 41318 - 8551 is 32767: an ordinary reference, not a mark of "not yet taken".
    {41318, 41368, "    5.0"},
    // 41319 - 8551 no longer fits 16 signed bits; the reference must not wrap.
    {41319, 41319, "    0.0"},
    {65535, 65535, "    0.0"},
    {65535, 0, "-6553.5"},
    {0, 65535, " 6553.5"},
};

TEST(Nav60, AltitudeIsTheHeightAboveTheFirstFlaggedRecord) {
  for (const AltitudeCase& c : kAltitudeCases) {
    LogBuilder log = nav60Log();
    log.record().word(kFirst, kFlag).word(kFirst + kAltitudeWord, c.firstWord);
    log.record().word(kFirst, kFlag).word(kFirst + kAltitudeWord, c.laterWord);
    const CsvTable csv = convert(log);
    EXPECT_THAT(csv.column("ALTITUDE"), ElementsAre("    0.0", c.laterText))
        << c.firstWord << " then " << c.laterWord;
  }
}

TEST(Nav60, TheReferenceComesOnlyFromFlaggedRecordsAndIsTakenOnce) {
  LogBuilder log = nav60Log();
  log.record().word(kFirst, 0).word(kFirst + kAltitudeWord, 30000);
  log.record().word(kFirst, kFlag).word(kFirst + kAltitudeWord, 10000);
  log.record().word(kFirst, 0).word(kFirst + kAltitudeWord, 20000);
  log.record().word(kFirst, kFlag).word(kFirst + kAltitudeWord, 10100);
  log.record().word(kFirst, kFlag).word(kFirst + kAltitudeWord, 10000);
  const CsvTable csv = convert(log);
  EXPECT_THAT(csv.column("ALTITUDE"),
              ElementsAre("---", "    0.0", "    0.0", "   10.0", "    0.0"));
}

TEST(Nav60, RecordsWithoutTheFlagRepeatThePreviousTexts) {
  LogBuilder log = nav60Log();
  log.record().word(kFirst, kFlag | 20).word(kFirst + 2, 100).word(kFirst + 12, 40);
  log.record().word(kFirst, 30).word(kFirst + 2, 200).word(kFirst + 12, 50);
  log.record().word(kFirst, kFlag | 40).word(kFirst + 2, 300).word(kFirst + 12, 60);
  const CsvTable csv = convert(log);
  EXPECT_THAT(csv.column("TEMPERATURE1"), ElementsAre("  20", "  20", "  40"));
  EXPECT_THAT(csv.column("REVOLUTION1"), ElementsAre("   600", "   600", "  1800"));
  EXPECT_THAT(csv.column("POWER"), ElementsAre("   40", "   40", "   60"));
}

// Feeds a decoder record by record through the slot-word bytes it reads.
class Nav60Decoder {
 public:
  void update(int word, std::uint16_t value) {
    put(0, kFlag);
    put(word, value);
    decoder_.update();
  }
  std::string rangeText(int item) const { return rangeTextOf(decoder_, item); }

 private:
  void put(int word, std::uint16_t value) { words_.word(kFirst + word, value); }

  RecordWords words_;
  NAV60_Status decoder_{words_.place(kFirst)};
};

TEST(Nav60, RotationsAndAltitudeKeepTheirRangeBeyondSixteenBits) {
  Nav60Decoder nav;
  nav.update(2, 11000);
  nav.update(2, 100);
  EXPECT_EQ(nav.rangeText(2), "   600/ 66000");

  nav.update(kAltitudeWord, 0);
  nav.update(kAltitudeWord, 65535);
  nav.update(kAltitudeWord, 100);
  EXPECT_EQ(nav.rangeText(10), "    0.0/ 6553.5");
}

}  // namespace
}  // namespace trelvox
