#include "decoders/zr450.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/csv_table.h"
#include "tests/decoder_harness.h"

namespace trelvox {
namespace {

using ::testing::ElementsAre;

constexpr int kFirstSlot = 6;
constexpr int kValidByte = 0x80;
constexpr std::uint16_t kValidFirstByte = kValidByte << 8;  // a word whose first byte is valid

TEST(Zr450, WritesFourColumnsOfWhichOnlyRotationShowsANumberWithoutValidityBits) {
  const CsvTable csv = convertEmptyRecord(kFirstSlot, typeIdOf<Zr450Decoder>());
  expectColumns(
      csv,
      {{"6", "ZR450", {"INTERNAL TEMPERATURE", "ROTATION", "EXTERNAL TEMPERATURE", "VOLTAGE"}}});
  EXPECT_THAT(fieldsAfterReceiver(csv.rows().at(3)), ElementsAre("---", "     0", "---", "---"));
}

struct BytesCase {
  int first;
  int second;
  const char* text;
};

// Both temperature words: second byte high, its bit 7 the validity bit, counted from -100.
TEST(Zr450, TemperatureWordsReadTheSecondByteAsHigh) {
  const BytesCase cases[] = {
      {0x7D, 0x80, "   25"}, {0x64, 0x80, "    0"}, {0x63, 0x80, "   -1"},
      {0x00, 0x80, " -100"}, {0x10, 0x81, "  172"},  // 0x0110 = 272
      {0xFF, 0xFF, "32667"},  // all five digits: the blank sign position gives way
  };
  for (const char* column : {"INTERNAL TEMPERATURE", "EXTERNAL TEMPERATURE"}) {
    const int slot = kFirstSlot + (std::string(column) == "INTERNAL TEMPERATURE" ? 0 : 2);
    for (const BytesCase& c : cases) {
      LogBuilder log = logWithSensor(kFirstSlot, typeIdOf<Zr450Decoder>());
      log.record().bytes(slot, c.first, c.second);
      const CsvTable csv = convert(log);
      EXPECT_THAT(csv.column(column), ElementsAre(c.text))
          << column << " " << c.first << " " << c.second;
    }
  }
}

TEST(Zr450, RotationIsSixTimesTheSecondByteHighWordOnEveryRecord) {
  const BytesCase cases[] = {
      {0xE8, 0x03, "  6000"}, {0x01, 0x00, "     6"}, {0x00, 0x01, "  1536"},
      {0x00, 0x00, "     0"}, {0xFF, 0xFF, "393210"},
  };
  for (const BytesCase& c : cases) {
    LogBuilder log = logWithSensor(kFirstSlot, typeIdOf<Zr450Decoder>());
    log.record().bytes(kFirstSlot + 1, c.first, c.second);
    log.repeat();
    const CsvTable csv = convert(log);
    EXPECT_THAT(csv.column("ROTATION"), ElementsAre(c.text, c.text)) << c.first << " " << c.second;
  }
}

TEST(Zr450, VoltageIsTheSignedBigEndianWordSix) {
  struct Case {
    std::uint16_t word;
    const char* text;
  };
  const Case cases[] = {
      {126, " 12.6"},    {0, "  0.0"},        {1000, "100.0"}, {12345, "1234.5"},
      {0xFFF6, " -1.0"}, {0x8000, "-3276.8"}, {0x7FFF, "---"},
  };
  for (const Case& c : cases) {
    EXPECT_THAT(
        convertWords(kFirstSlot, typeIdOf<Zr450Decoder>(), {{{5, kValidFirstByte}, {6, c.word}}})
            .column("VOLTAGE"),
        ElementsAre(c.text))
        << c.word;
  }
}

TEST(Zr450, VoltageValidityIsBitSevenOfTheFirstByteOfWordFive) {
  const CsvTable csv =
      convertWords(kFirstSlot, typeIdOf<Zr450Decoder>(),
                   {{{5, kValidByte}, {6, 126}}, {{5, kValidFirstByte}, {6, 126}}});
  EXPECT_THAT(csv.column("VOLTAGE"), ElementsAre("---", " 12.6"));
}

// A first record sets every item; the second brings new numbers everywhere, but one gated word
// lacks its validity bit: only that column keeps its old text, and the rotation always follows.
TEST(Zr450, AWordWithoutItsBitLeavesOnlyItsOwnColumn) {
  struct GateCase {
    const char* column;
    int slot;
    int first;
    int second;
  };
  const GateCase gates[] = {
      {"INTERNAL TEMPERATURE", kFirstSlot, 0x32, 0x00},
      {"EXTERNAL TEMPERATURE", kFirstSlot + 2, 0x32, 0x00},
      {"VOLTAGE", kFirstSlot + 5, 0x00, 0x00},
  };
  const std::vector<std::string> names{"INTERNAL TEMPERATURE", "ROTATION", "EXTERNAL TEMPERATURE",
                                       "VOLTAGE"};
  const std::vector<std::string> firstTexts{"   20", "   600", "   30", " 12.6"};
  const std::vector<std::string> secondTexts{"   25", "  1200", "   35", " 13.0"};
  for (const GateCase& gate : gates) {
    LogBuilder log = logWithSensor(kFirstSlot, typeIdOf<Zr450Decoder>());
    log.record()
        .bytes(kFirstSlot, 120, kValidByte)
        .bytes(kFirstSlot + 1, 100, 0)
        .bytes(kFirstSlot + 2, 130, kValidByte)
        .bytes(kFirstSlot + 5, kValidByte, 0)
        .word(kFirstSlot + 6, 126);
    log.record()
        .bytes(kFirstSlot, 125, kValidByte)
        .bytes(kFirstSlot + 1, 200, 0)
        .bytes(kFirstSlot + 2, 135, kValidByte)
        .bytes(kFirstSlot + 5, kValidByte, 0)
        .word(kFirstSlot + 6, 130)
        .bytes(gate.slot, gate.first, gate.second);
    const CsvTable csv = convert(log);
    for (std::size_t i = 0; i < names.size(); ++i) {
      const std::string& expected = names[i] == gate.column ? firstTexts[i] : secondTexts[i];
      EXPECT_THAT(csv.column(names[i]), ElementsAre(firstTexts[i], expected))
          << gate.column << " cleared, column " << names[i];
    }
  }
}

class Zr450Range : public ::testing::Test {
 protected:
  void setBytes(int k, int first, int second) { words_.bytes(kFirstSlot + k, first, second); }
  std::string range(int item) const { return rangeTextOf(zr450_, item); }

  RecordWords words_;
  Zr450Decoder zr450_{words_.place(kFirstSlot)};
};

TEST_F(Zr450Range, RotationShowsItsLargestReadingAlone) {
  EXPECT_EQ(range(1), "---");
  for (int turns : {1000, 1500, 0}) {  // 6000, 9000 and 0 rpm
    setBytes(1, turns & 0xFF, turns >> 8);
    zr450_.update();
  }
  EXPECT_EQ(range(1), "  9000");
}

TEST_F(Zr450Range, OtherItemsJoinSmallestAndLargest) {
  EXPECT_EQ(range(0), "---");
  setBytes(0, 120, kValidByte);
  zr450_.update();
  setBytes(0, 125, kValidByte);
  zr450_.update();
  EXPECT_EQ(range(0), "   20/   25");
  EXPECT_EQ(range(3), "---");
}

}  // namespace
}  // namespace trelvox
