#include "decoders/px_engine_units.h"

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

constexpr int kFirstSlot = 2;
constexpr std::uint16_t kFlag = 0x8000;

struct TimeColumn {
  int firstWord;
  const char* name;
};

struct PxModel {
  int type;
  const char* typeName;
  int flagWord;
  int altitudeWord;
  std::vector<TimeColumn> timeColumns;
};

const std::vector<TimeColumn> kTwoTimes{{24, "Operation time"}, {27, "Total operation time"}};

const PxModel kPx31Model{typeIdOf<Px31Decoder>(), "PX-31", 1, 21, kTwoTimes};
const PxModel kPx32Model{typeIdOf<Px32Decoder>(), "PX-32", 0, 16, {{26, "Operation time"}}};
const PxModel kPx33Model{typeIdOf<Px33Decoder>(), "PX-33", 2, 21, kTwoTimes};
const PxModel kPx34Model{typeIdOf<Px34Decoder>(), "PX-34", 3, 21, kTwoTimes};

// Word k of the unit at kFirstSlot; on the flag word the flag is set along with the value.
LogBuilder::Record& unitWord(LogBuilder::Record& record, const PxModel& model, int k,
                             std::uint16_t v) {
  if (k == model.flagWord) v |= kFlag;
  return record.word(kFirstSlot + k, v);
}

LogBuilder::Record& recordWithData(LogBuilder& log, const PxModel& model) {
  return unitWord(log.record(), model, model.flagWord, 0);
}

// A record carrying every word of the unit with bit 15 set, except the flag word's.
LogBuilder::Record& recordWithoutData(LogBuilder& log, const PxModel& model) {
  LogBuilder::Record& record = log.record();
  for (int k = 0; k < 30; ++k) record.word(kFirstSlot + k, static_cast<std::uint16_t>(0x8123 + k));
  return record.word(kFirstSlot + model.flagWord, 0x0123);
}

LogBuilder::Record& putTime(LogBuilder::Record& record, const TimeColumn& column,
                            std::uint16_t hours, std::uint16_t minutes, std::uint16_t seconds) {
  return record.word(kFirstSlot + column.firstWord, hours)
      .word(kFirstSlot + column.firstWord + 1, minutes)
      .word(kFirstSlot + column.firstWord + 2, seconds);
}

// The unit's fields of one data row (the receiver's three come first).
std::vector<std::string> unitFields(const CsvTable& csv, std::size_t dataRow) {
  return fieldsAfterReceiver(csv.rows().at(3 + dataRow));
}

class PxModelTest : public ::testing::TestWithParam<PxModel> {
 protected:
  const PxModel& model() const { return GetParam(); }
  LogBuilder logWithUnit() const { return logWithSensor(kFirstSlot, model().type); }
};

INSTANTIATE_TEST_SUITE_P(Models, PxModelTest,
                         ::testing::Values(kPx31Model, kPx32Model, kPx33Model, kPx34Model),
                         [](const auto& info) {
                           return std::string("PX") + (info.param.typeName + 3);
                         });

TEST_P(PxModelTest, RecordsWithoutTheFlagShowNothingAndLaterRepeatTheLastData) {
  LogBuilder log = logWithUnit();
  recordWithoutData(log, model());
  recordWithData(log, model()).word(kFirstSlot + 5, 500).word(kFirstSlot + model().altitudeWord, 7);
  recordWithoutData(log, model());
  const CsvTable csv = convert(log);

  const std::vector<std::string> first = unitFields(csv, 0);
  EXPECT_EQ(first.size(), model().type == typeIdOf<Px32Decoder>() ? 27u : 26u);
  EXPECT_THAT(first, Each("---"));
  EXPECT_THAT(unitFields(csv, 1), ::testing::Contains("  500"));
  EXPECT_EQ(unitFields(csv, 2), unitFields(csv, 1));
  EXPECT_THAT(fieldsAfterReceiver(csv.header(0)),
              ElementsAreArray(std::vector<std::string>(first.size(), "2")));
  EXPECT_THAT(fieldsAfterReceiver(csv.header(1)),
              ElementsAreArray(std::vector<std::string>(first.size(), model().typeName)));
}

TEST_P(PxModelTest, OperationTimeShowsItsThreeWordsInFull) {
  struct Case {
    std::uint16_t hours, minutes, seconds;
    const char* text;
  };
  const Case cases[] = {
      {1, 2, 3, "   1:02:03"},
      {10, 5, 9, "  10:05:09"},
      {120, 0, 59, " 120:00:59"},
      {0, 75, 5, "   0:75:05"},
      {9999, 59, 59, "9999:59:59"},
      {10000, 0, 0, "10000:00:00"},
      {65535, 65535, 65535, "65535:65535:65535"},
  };
  for (const TimeColumn& column : model().timeColumns) {
    LogBuilder log = logWithUnit();
    std::vector<std::string> expected;
    for (const Case& c : cases) {
      putTime(recordWithData(log, model()), column, c.hours, c.minutes, c.seconds);
      expected.push_back(c.text);
    }
    EXPECT_THAT(convert(log).column(column.name), ElementsAreArray(expected)) << column.name;
  }
}

TEST_P(PxModelTest, OperationTimeKeepsTheWordsOfTheLastRecordWithData) {
  for (const TimeColumn& column : model().timeColumns) {
    LogBuilder log = logWithUnit();
    recordWithoutData(log, model());
    putTime(recordWithData(log, model()), column, 1, 2, 3);
    recordWithoutData(log, model());
    recordWithData(log, model()).word(kFirstSlot + column.firstWord, 4);
    EXPECT_THAT(convert(log).column(column.name),
                ElementsAre("---", "   1:02:03", "   1:02:03", "   4:00:00"))
        << column.name;
  }
}

TEST_P(PxModelTest, AltitudeCountsFromTheFirstRecordWithData) {
  struct Case {
    std::uint16_t reference;
    std::uint16_t later;
    const char* text;
  };
  const Case cases[] = {
      {1000, 1123, "   12.3"},
      {1000, 960, "   -4.0"},
      // The reference is taken even when it equals the no-reading mark of a signed word.
      {0x7FFF, 0x7FFF - 40, "   -4.0"},
      // Differences beyond 16 bits neither wrap nor read as a missing value.
      {0, 0x7FFF, " 3276.7"},
      {static_cast<std::uint16_t>(-30000), 30000, " 6000.0"},
      {30000, static_cast<std::uint16_t>(-30000), "-6000.0"},
  };
  const int word = kFirstSlot + model().altitudeWord;
  for (const Case& c : cases) {
    LogBuilder log = logWithUnit();
    recordWithoutData(log, model()).word(word, 5000);
    recordWithData(log, model()).word(word, c.reference);
    recordWithData(log, model()).word(word, c.later);
    recordWithData(log, model()).word(word, c.reference);
    EXPECT_THAT(convert(log).column("Altitude"), ElementsAre("---", "    0.0", c.text, "    0.0"))
        << c.reference << " then " << c.later;
  }
}

// Word k of a record holding 100 + k in every word shows in each column by that column's format.
TEST(PxEngineUnits, EveryColumnReadsItsOwnWord) {
  const std::vector<std::string> names =
      textsOf("Atmospheric pressure", "Fuel pressure", "Power voltage", "3.3V Voltage",
              "5V Voltage", "12V Voltage", "Head temperature", "Throttle signal input",
              "Throttle signal output", "Trim signal Width", "Rotation speed", "Current1(Battery)",
              "Current2(Power)", "Current3", "Current4", "Voltage1", "Voltage2", "Fuel level1",
              "Fuel level2", "Generated power", "Power consumption", "Altitude", "Fuel consumption",
              "Total fuel consumption", "Operation time", "Total operation time");
  std::vector<std::string> px34Names = names;
  px34Names[7] = "Throttle signal output";
  px34Names[8] = "Trim signal Width";
  px34Names[9] = "Set Rotation";
  px34Names[12] = "Current2(Power1)";
  px34Names[13] = "Current3(Power2)";
  const std::vector<std::string> texts = textsOf(
      "  10.0", "  101", "  10.2", "  103", "  104", "  105", "  106", "  107", "  108", "  109",
      "  110", "   11.1", "   11.2", "   11.3", "   11.4", "   11.5", "   11.6", "  117", "  118",
      "  119", "  120", "    0.0", "  122", "   12.3", " 124:125:126", " 127:128:129");
  const std::vector<std::string> px32Names = textsOf(
      "Temperature1", "Temperature2", "Set Rotation1", "Set Rotation2", "Rotation1", "Rotation2",
      "Power voltage", "Current1(Battery)", "Current2(Power1)", "Current3(Power2)",
      "Generated power1", "Generated power2", "Total power", "Power consumption",
      "Throttle signal1", "Throttle signal2", "Altitude", "Pressure", "Fuel1", "Fuel2", "Voltage1",
      "Voltage2", "Current4", "12V Voltage", "5V Voltage", "3.3V Voltage", "Operation time");
  const std::vector<std::string> px32Texts = textsOf(
      "   100", "   101", "  102", "  103", "  104", "  105", "   10.6", "   10.7", "   10.8",
      "   10.9", "  110", "  111", "  112", "  113", "  114", "  115", "    0.0", "  11.7", "  118",
      "  119", "  12.0", "  12.1", "   12.2", "  123", "  124", "  125", " 126:127:128");

  struct Case {
    const PxModel& model;
    int words;
    const std::vector<std::string>& names;
    const std::vector<std::string>& texts;
  };
  for (const Case& c :
       {Case{kPx31Model, 30, names, texts}, Case{kPx33Model, 30, names, texts},
        Case{kPx34Model, 30, px34Names, texts}, Case{kPx32Model, 29, px32Names, px32Texts}}) {
    SCOPED_TRACE(c.model.typeName);
    LogBuilder log = logWithSensor(kFirstSlot, c.model.type);
    LogBuilder::Record& record = log.record();
    for (int k = 0; k < c.words; ++k)
      unitWord(record, c.model, k, static_cast<std::uint16_t>(100 + k));
    const CsvTable csv = convert(log);
    EXPECT_THAT(fieldsAfterReceiver(csv.header(2)), ElementsAreArray(c.names));
    EXPECT_THAT(unitFields(csv, 0), ElementsAreArray(c.texts));
  }
}

// One word of a record with data and the text its column then shows. Only the flag word loses
// bit 15 to the flag; every other word is read in full. Negative numbers always show '-'; texts
// that need more room than their width grow.
TEST(PxEngineUnits, EachWordReadsWithItsSignAndAllDigits) {
  struct Case {
    const PxModel& model;
    int word;
    std::uint16_t value;
    const char* column;
    const char* text;
  };
  const Case cases[] = {
      {kPx31Model, 1, kFlag | 250, "Fuel pressure", "  250"},
      {kPx31Model, 2, kFlag | 123, "Power voltage", "3289.1"},
      {kPx33Model, 1, kFlag | 250, "Fuel pressure", "33018"},
      {kPx33Model, 2, kFlag | 123, "Power voltage", "  12.3"},
      {kPx34Model, 3, kFlag | 3300, "3.3V Voltage", " 3300"},
      {kPx34Model, 1, kFlag | 100, "Fuel pressure", "32868"},
      {kPx34Model, 2, kFlag | 123, "Power voltage", "3289.1"},
      {kPx32Model, 0, kFlag | 20, "Temperature1", "    20"},
      {kPx31Model, 11, static_cast<std::uint16_t>(-15), "Current1(Battery)", "   -1.5"},
      {kPx31Model, 14, 0x8000, "Current4", "-3276.8"},
      {kPx34Model, 6, static_cast<std::uint16_t>(-40), "Head temperature", "  -40"},
      {kPx34Model, 6, 0x8000, "Head temperature", "-32768"},
      {kPx32Model, 0, kFlag | (0x8000 - 20), "Temperature1", "   -20"},
      {kPx32Model, 0, kFlag | 0x4000, "Temperature1", "-16384"},
      {kPx32Model, 0, kFlag | 0x3FFF, "Temperature1", " 16383"},
      {kPx32Model, 1, static_cast<std::uint16_t>(-20), "Temperature2", "   -20"},
      {kPx32Model, 22, static_cast<std::uint16_t>(-1), "Current4", "   -0.1"},
      {kPx33Model, 0, 65534, "Atmospheric pressure", "6553.4"},
  };
  for (const Case& c : cases) {
    LogBuilder log = logWithSensor(kFirstSlot, c.model.type);
    recordWithData(log, c.model).word(kFirstSlot + c.word, c.value);
    EXPECT_THAT(convert(log).column(c.column), ElementsAre(c.text))
        << c.model.typeName << " " << c.column;
  }
}

TEST(PxEngineUnits, PX33DataDependsOnlyOnBit15OfWord2) {
  const CsvTable csv = convertWords(kFirstSlot, typeIdOf<Px33Decoder>(),
                                    {{{1, kFlag | 250}, {2, 120}}, {{1, 250}, {2, kFlag | 120}}});
  EXPECT_THAT(csv.column("Fuel pressure"), ElementsAre("---", "  250"));
  EXPECT_THAT(csv.column("Power voltage"), ElementsAre("---", "  12.0"));
}

// A reading equal to its element's no-reading mark shows "---", and the next starts afresh.
TEST(PxEngineUnits, AReadingEqualToTheNoReadingMarkShowsNothing) {
  const CsvTable csv =
      convertWords(kFirstSlot, typeIdOf<Px31Decoder>(),
                   {{{1, kFlag}, {3, 0xFFFF}, {6, 0x7FFF}}, {{1, kFlag}, {3, 3300}, {6, 85}}});
  EXPECT_THAT(csv.column("3.3V Voltage"), ElementsAre("---", " 3300"));
  EXPECT_THAT(csv.column("Head temperature"), ElementsAre("---", "   85"));
}

// Slots past 31 are the words of group 1.
TEST(PxEngineUnits, AUnitNearTheEndOfTheGroupReadsOnIntoGroupOne) {
  const CsvTable csv = convertWords(20, typeIdOf<Px31Decoder>(),
                                    {{{1, kFlag | 42},
                                      {11, 155},  // slot 31
                                      {12, 166},  // slot 32
                                      {21, 1000},
                                      {27, 2},  // slots 47 to 49
                                      {28, 30},
                                      {29, 45}},
                                     {{1, kFlag | 42}, {21, 1010}}});
  EXPECT_THAT(fieldsAfterReceiver(csv.header(0)), Each("20"));
  EXPECT_THAT(csv.column("Fuel pressure"), ElementsAre("   42", "   42"));
  EXPECT_THAT(csv.column("Current1(Battery)"), ElementsAre("   15.5", "    0.0"));
  EXPECT_THAT(csv.column("Current2(Power)"), ElementsAre("   16.6", "    0.0"));
  EXPECT_THAT(csv.column("Altitude"), ElementsAre("    0.0", "    1.0"));
  EXPECT_THAT(csv.column("Total operation time"), ElementsAre("   2:30:45", "   0:00:00"));
}

// Range texts are read directly: the CSV never shows them.
TEST(PxEngineUnits, OperationTimeRangeIsInSeconds) {
  RecordWords words;
  Px34Decoder decoder(words.place(kFirstSlot));
  EXPECT_EQ(rangeTextOf(decoder, 24), "---");
  for (const SensorWord& w :
       {SensorWord{3, kFlag}, {24, 1}, {25, 2}, {26, 3}, {27, 65535}, {28, 65535}, {29, 65535}}) {
    words.word(kFirstSlot + w.word, w.value);
  }
  decoder.update();
  words.word(kFirstSlot + 26, 4);
  decoder.update();
  EXPECT_EQ(rangeTextOf(decoder, 24), " 3723/ 3724");
  EXPECT_EQ(rangeTextOf(decoder, 25), "239923635/239923635");
}

TEST(PxEngineUnits, AltitudeRangeSpansTheHeightsAboveTheReference) {
  RecordWords words;
  Px32Decoder decoder(words.place(kFirstSlot));
  for (std::uint16_t altitude : {100, 60, 250}) {
    words.word(kFirstSlot, kFlag).word(kFirstSlot + 16, altitude);
    decoder.update();
  }
  EXPECT_EQ(rangeTextOf(decoder, 16), "   -4.0/   15.0");
}

// Units never reach the CSV, but a renamed PX-34 item must not keep the PX-31 item's unit.
TEST(PxEngineUnits, Px34RenamedItemsCarryTheirOwnUnits) {
  RecordWords words;
  const Px34Decoder decoder(words.place(kFirstSlot));
  const std::pair<int, std::string_view> kUnits[] = {
      {7, "%"}, {8, "us"}, {9, "rpm"}, {12, "A"}, {13, "A"}};
  for (const auto& [item, unit] : kUnits) {
    EXPECT_EQ(decoder.columns()[static_cast<std::size_t>(item)].unit, unit)
        << decoder.columns()[static_cast<std::size_t>(item)].name;
  }
}

}  // namespace
}  // namespace trelvox
