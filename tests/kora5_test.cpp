#include "decoders/kora5.h"

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

constexpr int kFirstSlot = 1;
constexpr int kValid = 0x80;

// Words 2 to 8 of the sensor (altitude to second current) all set to `word`.
void putWholeWords(LogBuilder::Record& record, std::uint16_t word) {
  for (int k = 2; k <= 8; ++k) record.word(kFirstSlot + k, word);
}

TEST(Kora5, WritesElevenColumnsUnderItsSlotAndTypeName) {
  expectColumns(
      convertEmptyRecord(kFirstSlot, typeIdOf<Kora5Decoder>()),
      {{"1", "KORA-5",
        textsOf("SATELLITES1", "HDOP1", "SATELLITES2", "HDOP2", "ALTITUDE", "GROUND_SPEED",
                "AIR_SPEED", "VOLTAGE1", "CURRENT1", "VOLTAGE2", "CURRENT2")}});
}

TEST(Kora5, SatellitesAndHdopComeFromTheBytesOfTheFirstTwoWords) {
  struct Case {
    std::array<int, 4> bytes;  // first and second byte of word 0, then of word 1
    std::array<const char*, 4> texts;
  };
  const Case cases[] = {
      {{0x85, 12, 7, 255}, {"   5", "   1.2", "   7", "  25.5"}},
      {{0xFF, 0, 255, 0}, {" 127", "   0.0", " 255", "   0.0"}},
      {{kValid, 100, 0x80, 99}, {"   0", "  10.0", " 128", "   9.9"}},  // only word 0 is masked
  };
  LogBuilder log = logWithSensor(kFirstSlot, typeIdOf<Kora5Decoder>());
  for (const Case& c : cases) {
    log.record()
        .bytes(kFirstSlot, c.bytes[0], c.bytes[1])
        .bytes(kFirstSlot + 1, c.bytes[2], c.bytes[3]);
  }
  const CsvTable csv = convert(log);
  const std::array<std::vector<std::string>, 4> columns{
      csv.column("SATELLITES1"), csv.column("HDOP1"), csv.column("SATELLITES2"),
      csv.column("HDOP2")};
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    for (std::size_t item = 0; item < columns.size(); ++item) {
      SCOPED_TRACE(testing::Message() << "case " << i << " item " << item);
      EXPECT_EQ(columns[item].at(i), cases[i].texts[item]);
    }
  }
}

TEST(Kora5, WholeWordsAreSignedAndGrowInsteadOfLosingDigits) {
  struct Case {
    std::uint16_t word;
    const char* speedText;     // altitude, ground speed and airspeed: sign + three digits
    const char* electricText;  // voltages and currents: sign + four digits
  };
  const Case cases[] = {
      {1234, " 123.4", "  123.4"},  {126, "  12.6", "   12.6"},
      {0, "   0.0", "    0.0"},     {0xFFCE, "  -5.0", "   -5.0"},  // -50
      {12345, "1234.5", " 1234.5"}, {0x8000, "-3276.8", "-3276.8"},
      {0x7FFF, "---", "---"},  // the no-reading mark
  };
  LogBuilder log = logWithSensor(kFirstSlot, typeIdOf<Kora5Decoder>());
  for (const Case& c : cases) putWholeWords(log.record().bytes(kFirstSlot, kValid, 0), c.word);
  const CsvTable csv = convert(log);
  const auto expectColumn = [&](const char* name, const char* Case::*text) {
    const std::vector<std::string> column = csv.column(name);
    for (std::size_t i = 0; i < std::size(cases); ++i) {
      SCOPED_TRACE(testing::Message() << name << " " << cases[i].word);
      EXPECT_EQ(column.at(i), cases[i].*text);
    }
  };
  for (const char* name : {"ALTITUDE", "GROUND_SPEED", "AIR_SPEED"}) {
    expectColumn(name, &Case::speedText);
  }
  for (const char* name : {"VOLTAGE1", "CURRENT1", "VOLTAGE2", "CURRENT2"}) {
    expectColumn(name, &Case::electricText);
  }
}

TEST(Kora5, EachWholeWordFeedsItsOwnColumn) {
  LogBuilder log = logWithSensor(kFirstSlot, typeIdOf<Kora5Decoder>());
  LogBuilder::Record& record = log.record().bytes(kFirstSlot, kValid | 9, 8);
  for (int k = 2; k <= 8; ++k) record.word(kFirstSlot + k, static_cast<std::uint16_t>(10 * k));
  const CsvTable csv = convert(log);
  EXPECT_THAT(lastFields(csv.rows().at(3), 11),
              ElementsAre("   9", "   0.8", "   0", "   0.0", "   2.0", "   3.0", "   4.0",
                          "    5.0", "    6.0", "    7.0", "    8.0"));
}

TEST(Kora5, FirstByteWithoutBitSevenChangesNoColumn) {
  LogBuilder log = logWithSensor(kFirstSlot, typeIdOf<Kora5Decoder>());
  putWholeWords(log.record().bytes(kFirstSlot, 0x05, 12), 100);  // before the first valid record
  putWholeWords(log.record().bytes(kFirstSlot, kValid | 5, 12), 100);
  putWholeWords(log.record().bytes(kFirstSlot, 0x07, 30).bytes(kFirstSlot + 1, 9, 9), 200);
  const CsvTable csv = convert(log);
  EXPECT_THAT(lastFields(csv.rows().at(3), 11), Each("---"));
  const std::vector<std::string> expected{"   5",    "   1.2",  "   0",   "   0.0",
                                          "  10.0",  "  10.0",  "  10.0", "   10.0",
                                          "   10.0", "   10.0", "   10.0"};
  EXPECT_EQ(lastFields(csv.rows().at(4), 11), expected);
  EXPECT_EQ(lastFields(csv.rows().at(5), 11), expected);
}

TEST(Kora5, NegativeAltitudeBecomesTheSmallestReading) {
  RecordWords words;
  Kora5Decoder sensor(words.place(kFirstSlot));
  words.bytes(kFirstSlot, kValid, 0);
  for (const std::uint16_t altitude : {1234, 0xFFCE, 300}) {
    words.word(kFirstSlot + 2, altitude);
    sensor.update();
  }
  EXPECT_EQ(rangeTextOf(sensor, 4), "  -5.0/ 123.4");
  EXPECT_EQ(currentTextOf(sensor, 4), "  30.0");
}

}  // namespace
}  // namespace trelvox
