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
  LogBuilder log = logWithSensor(kFirstSlot, kJetCat);
  log.record();
  const CsvTable csv = convert(log);
  const std::vector<std::string> names(csv.header(2).end() - 13, csv.header(2).end());
  const std::vector<std::string> slots(csv.header(0).end() - 13, csv.header(0).end());
  const std::vector<std::string> types(csv.header(1).end() - 13, csv.header(1).end());
  EXPECT_EQ(names, kNames);
  EXPECT_EQ(csv.sensorColumnNames().size(), 3u + 13u);
  EXPECT_THAT(slots, Each("3"));
  EXPECT_THAT(types, Each("JetCat V10"));
}

struct ReadingCase {
  const char* column;
  int word;
  std::uint16_t value;
  const char* text;
};

TEST(JetCat, EachItemPrintsItsWordWithItsScale) {
  const ReadingCase cases[] = {
      {"ROTATION", 0, kValid | 1234, " 123400"},  // hundreds of rpm
      {"ROTATION", 0, 0xC000 | 1234, " 123400"},  // bit 15 is masked off
      {"ROTATION", 0, 0x7FFF, "1638300"},
      {"TEMPERATURE", 1, 650, "  650"},
      {"PUMP VOLTAGE", 2, 745, "  7.45"},
      {"SET RPM", 3, 1234, " 123400"},
      {"SET RPM", 3, 65534, "6553400"},
      {"THRUST", 4, 123, "  12.3"},
      {"FUEL CONSUMED", 5, 12345, "12345"},
      {"FUEL FLOW", 6, 250, " 250"},
      {"ALTITUDE", 7, 120, "  120"},
      {"ALTITUDE", 7, 65534, "65534"},  // an unsigned word: never a minus sign
      {"FUEL QUALITY", 8, 0xC000 | 87, " 87"},
      {"FUEL QUALITY", 8, 0x3FFF, "16383"},  // more digits than the width: the text grows
      {"BATTERY VOLTAGE", 9, 1234, " 12.34"},
      {"CURRENT", 10, 12345, "1234.5"},
      {"AIR SPEED", 11, 300, " 300"},
      {"SECOND SHAFT RPM", 13, 1234, " 12340"},  // tens of rpm
      {"SECOND SHAFT RPM", 13, 65534, "655340"},
  };
  for (const ReadingCase& c : cases) {
    LogBuilder log = logWithSensor(kFirstSlot, kJetCat);
    log.record().word(kFirstSlot, kValid).word(kFirstSlot + c.word, c.value);
    const CsvTable csv = convert(log);
    EXPECT_THAT(csv.column(c.column), ElementsAre(c.text)) << c.column << " " << c.value;
  }
}

TEST(JetCat, EveryColumnShowsNoValueUntilTheFirstValidRecord) {
  LogBuilder log = logWithSensor(kFirstSlot, kJetCat);
  fillWords(log.record(), 100).word(kFirstSlot, 0x8000 | 100);  // bit 14 of word 0 clear
  const CsvTable csv = convert(log);
  EXPECT_THAT(jetCatRow(csv, 0), Each("---"));
}

TEST(JetCat, ARecordWithoutTheValidityBitChangesNoColumn) {
  LogBuilder log = logWithSensor(kFirstSlot, kJetCat);
  fillWords(log.record(), 100);
  fillWords(log.record(), 200).word(kFirstSlot, 0x8000 | 1234);
  const CsvTable csv = convert(log);
  EXPECT_EQ(jetCatRow(csv, 0), (std::vector<std::string>{"  10000", "  101", "  1.02", "  10300",
                                                         "  10.4", "  105", " 106", "  107", "108",
                                                         "  1.09", " 11.0", " 111", "  1130"}));
  EXPECT_EQ(jetCatRow(csv, 1), jetCatRow(csv, 0));
}

TEST(JetCat, WordTwelveReachesNoColumn) {
  LogBuilder log = logWithSensor(kFirstSlot, kJetCat);
  fillWords(log.record(), 100);
  fillWords(log.record(), 100).word(kFirstSlot + 12, 0xFFFF);
  const CsvTable csv = convert(log);
  EXPECT_EQ(jetCatRow(csv, 1), jetCatRow(csv, 0));
}

TEST(JetCat, AnAllOnesWordShowsNoValueForThatRecordOnly) {
  LogBuilder log = logWithSensor(kFirstSlot, kJetCat);
  log.record().word(kFirstSlot, kValid | 10).word(kFirstSlot + 1, 650);
  log.record().word(kFirstSlot, kValid | 11).word(kFirstSlot + 1, 0xFFFF);
  log.record().word(kFirstSlot, kValid | 12).word(kFirstSlot + 1, 640);
  const CsvTable csv = convert(log);
  EXPECT_THAT(csv.column("TEMPERATURE"), ElementsAre("  650", "---", "  640"));
  EXPECT_THAT(csv.column("ROTATION"), ElementsAre("   1000", "   1100", "   1200"));
}

}  // namespace
}  // namespace trelvox
