#include "decoders/nav60.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/csv_table.h"
#include "tests/decoder_harness.h"

namespace trelvox {
namespace {

using ::testing::ElementsAre;

constexpr int kFirst = 10;
constexpr std::uint16_t kFlag = 0x8000;
constexpr int kAltitudeWord = 10;

const std::vector<std::string> kColumnNames{
    "TEMPERATURE1", "TEMPERATURE2", "REVOLUTION1", "REVOLUTION2", "REVOLUTION3", "VOLTAGE1",
    "VOLTAGE2",     "CURRENT1",     "CURRENT2",    "FUEL",        "ALTITUDE",    "PRESSURE",
    "POWER",        "FUEL2",        "THROTTLE",    "ALARM"};

std::uint16_t twosComplement(int v) { return static_cast<std::uint16_t>(v); }

TEST(Nav60, SixteenColumnsShowNoValueWhileTheFlagIsClear) {
  LogBuilder log = logWithSensor(kFirst, typeIdOf<Nav60Decoder>());
  LogBuilder::Record& record = log.record();
  for (int k = 0; k < 16; ++k) record.word(kFirst + k, 0x7FF0);
  log.repeat();
  const CsvTable csv = convert(log);
  expectColumns(csv, {{"10", "NAV-60", kColumnNames}});
  ASSERT_EQ(csv.dataRowCount(), 2u);
  expectNoValueIn(csv, kColumnNames);
}

// Word 0 carries the flag; a case for word 0 sets the flag itself.
const WordCase kItemCases[] = {
    {0, 0xFFFF, "TEMPERATURE1", "  -1"},  // bit 14 is the sign, bit 15 the flag
    {0, kFlag | 25, "TEMPERATURE1", "  25"},
    {0, kFlag | 0x3FFF, "TEMPERATURE1", "16383"},
    {0, kFlag | 0x4000, "TEMPERATURE1", "-16384"},
    {1, twosComplement(-40), "TEMPERATURE2", " -40"},
    {1, 0x8000, "TEMPERATURE2", "-32768"},
    {2, 1000, "REVOLUTION1", "  6000"},
    // The speed is six times the word and needs more than 16 bits.
    {3, 10923, "REVOLUTION2", " 65538"},
    {4, 0xFFFF, "REVOLUTION3", "393210"},
    {5, 126, "VOLTAGE1", " 12.6"},
    {6, 12345, "VOLTAGE2", "1234.5"},
    {6, 0xFFFF, "VOLTAGE2", "---"},
    {7, twosComplement(-25), "CURRENT1", "   -2.5"},
    {8, 1234, "CURRENT2", "  123.4"},
    {8, twosComplement(-32768), "CURRENT2", "-3276.8"},
    {9, 100, "FUEL", " 100"},
    {11, 10132, "PRESSURE", "1013.2"},
    {12, twosComplement(-250), "POWER", " -250"},  // a negative power shows its sign
    {12, 1500, "POWER", " 1500"},
    {13, 50, "FUEL2", "  50"},
    {14, 0, "THROTTLE", "   0"},
    {15, 0x8001, "ALARM", "32769"},
    {15, 65534, "ALARM", "65534"},
};

TEST(Nav60, EachItemReadsItsWordWithItsScaleSignAndWidth) {
  expectWordTexts(typeIdOf<Nav60Decoder>(), kFirst, {kFirst, kFlag}, kItemCases);
}

TEST(Nav60, DecimalsFollowTheLocaleSeparator) {
  const CsvTable csv =
      convertWords(kFirst, typeIdOf<Nav60Decoder>(),
                   {{{0, kFlag}, {7, twosComplement(-25)}, {11, 9876}}}, Separators{';', ','});
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
    const CsvTable csv = convertWords(
        kFirst, typeIdOf<Nav60Decoder>(),
        {{{0, kFlag}, {kAltitudeWord, c.firstWord}}, {{0, kFlag}, {kAltitudeWord, c.laterWord}}});
    EXPECT_THAT(csv.column("ALTITUDE"), ElementsAre("    0.0", c.laterText))
        << c.firstWord << " then " << c.laterWord;
  }
}

TEST(Nav60, TheReferenceComesOnlyFromFlaggedRecordsAndIsTakenOnce) {
  const CsvTable csv = convertWords(kFirst, typeIdOf<Nav60Decoder>(),
                                    {{{0, 0}, {kAltitudeWord, 30000}},
                                     {{0, kFlag}, {kAltitudeWord, 10000}},
                                     {{0, 0}, {kAltitudeWord, 20000}},
                                     {{0, kFlag}, {kAltitudeWord, 10100}},
                                     {{0, kFlag}, {kAltitudeWord, 10000}}});
  EXPECT_THAT(csv.column("ALTITUDE"),
              ElementsAre("---", "    0.0", "    0.0", "   10.0", "    0.0"));
}

TEST(Nav60, RecordsWithoutTheFlagRepeatThePreviousTexts) {
  const CsvTable csv = convertWords(kFirst, typeIdOf<Nav60Decoder>(),
                                    {{{0, kFlag | 20}, {2, 100}, {12, 40}},
                                     {{0, 30}, {2, 200}, {12, 50}},
                                     {{0, kFlag | 40}, {2, 300}, {12, 60}}});
  EXPECT_THAT(csv.column("TEMPERATURE1"), ElementsAre("  20", "  20", "  40"));
  EXPECT_THAT(csv.column("REVOLUTION1"), ElementsAre("   600", "   600", "  1800"));
  EXPECT_THAT(csv.column("POWER"), ElementsAre("   40", "   40", "   60"));
}

// Feeds a decoder record by record through the slot-word bytes it reads.
class FedNav60 {
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
  Nav60Decoder decoder_{words_.place(kFirst)};
};

TEST(Nav60, RotationsAndAltitudeKeepTheirRangeBeyondSixteenBits) {
  FedNav60 nav;
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
