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

constexpr int kFirstSlot = 3;
constexpr std::uint16_t kValid = 0x4000;

const std::vector<std::string> kNames{
    "ROTATION",      "TEMPERATURE", "PUMP VOLTAGE",    "SET RPM",      "THRUST",
    "FUEL CONSUMED", "FUEL FLOW",   "ALTITUDE",        "FUEL QUALITY", "BATTERY VOLTAGE",
    "CURRENT",       "AIR SPEED",   "SECOND SHAFT RPM"};

// The thirteen JetCat texts of one data row, in column order.
std::vector<std::string> jetCatRow(const CsvTable& csv, std::size_t row) {
  std::vector<std::string> texts;
  for (const std::string& name : kNames) texts.push_back(csv.column(name).at(row));
  return texts;
}

// Words 0 to 15 of a record in which every item has a reading of its own.
LogBuilder::Record& fillWords(LogBuilder::Record& record, std::uint16_t base) {
  record.word(kFirstSlot, kValid | base);
  for (int k = 1; k < 16; ++k) record.word(kFirstSlot + k, static_cast<std::uint16_t>(base + k));
  return record;
}

TEST(JetCat, WritesThirteenColumnsUnderItsSlotAndTypeName) {
  expectColumns(convertEmptyRecord(kFirstSlot, typeIdOf<JetCatDecoder>()),
                {{"3", "JetCat V10", kNames}});
}

TEST(JetCat, EachItemPrintsItsWordWithItsScale) {
  const WordCase cases[] = {
      {0, kValid | 1234, "ROTATION", " 123400"},  // hundreds of rpm
      {0, 0xC000 | 1234, "ROTATION", " 123400"},  // bit 15 is masked off
      {0, 0x7FFF, "ROTATION", "1638300"},
      {1, 650, "TEMPERATURE", "  650"},
      {2, 745, "PUMP VOLTAGE", "  7.45"},
      {3, 1234, "SET RPM", " 123400"},
      {3, 65534, "SET RPM", "6553400"},
      {4, 123, "THRUST", "  12.3"},
      {5, 12345, "FUEL CONSUMED", "12345"},
      {6, 250, "FUEL FLOW", " 250"},
      {7, 120, "ALTITUDE", "  120"},
      {7, 65534, "ALTITUDE", "65534"},  // an unsigned word: never a minus sign
      {8, 0xC000 | 87, "FUEL QUALITY", " 87"},
      {8, 0x3FFF, "FUEL QUALITY", "16383"},  // more digits than the width: the text grows
      {9, 1234, "BATTERY VOLTAGE", " 12.34"},
      {10, 12345, "CURRENT", "1234.5"},
      {11, 300, "AIR SPEED", " 300"},
      {13, 1234, "SECOND SHAFT RPM", " 12340"},  // tens of rpm
      {13, 65534, "SECOND SHAFT RPM", "655340"},
  };
  expectWordTexts(typeIdOf<JetCatDecoder>(), kFirstSlot, {kFirstSlot, kValid}, cases);
}

TEST(JetCat, EveryColumnShowsNoValueUntilTheFirstValidRecord) {
  LogBuilder log = logWithSensor(kFirstSlot, typeIdOf<JetCatDecoder>());
  fillWords(log.record(), 100).word(kFirstSlot, 0x8000 | 100);  // bit 14 of word 0 clear
  const CsvTable csv = convert(log);
  EXPECT_THAT(jetCatRow(csv, 0), Each("---"));
}

TEST(JetCat, ARecordWithoutTheValidityBitChangesNoColumn) {
  LogBuilder log = logWithSensor(kFirstSlot, typeIdOf<JetCatDecoder>());
  fillWords(log.record(), 100);
  fillWords(log.record(), 200).word(kFirstSlot, 0x8000 | 1234);
  const CsvTable csv = convert(log);
  EXPECT_EQ(jetCatRow(csv, 0), (std::vector<std::string>{"  10000", "  101", "  1.02", "  10300",
                                                         "  10.4", "  105", " 106", "  107", "108",
                                                         "  1.09", " 11.0", " 111", "  1130"}));
  EXPECT_EQ(jetCatRow(csv, 1), jetCatRow(csv, 0));
}

TEST(JetCat, WordTwelveReachesNoColumn) {
  LogBuilder log = logWithSensor(kFirstSlot, typeIdOf<JetCatDecoder>());
  fillWords(log.record(), 100);
  fillWords(log.record(), 100).word(kFirstSlot + 12, 0xFFFF);
  const CsvTable csv = convert(log);
  EXPECT_EQ(jetCatRow(csv, 1), jetCatRow(csv, 0));
}

TEST(JetCat, AnAllOnesWordShowsNoValueForThatRecordOnly) {
  const CsvTable csv = convertWords(kFirstSlot, typeIdOf<JetCatDecoder>(),
                                    {{{0, kValid | 10}, {1, 650}},
                                     {{0, kValid | 11}, {1, 0xFFFF}},
                                     {{0, kValid | 12}, {1, 640}}});
  EXPECT_THAT(csv.column("TEMPERATURE"), ElementsAre("  650", "---", "  640"));
  EXPECT_THAT(csv.column("ROTATION"), ElementsAre("   1000", "   1100", "   1200"));
}

}  // namespace
}  // namespace trelvox
