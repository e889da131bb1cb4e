#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "tests/csv_table.h"

namespace trelvox {
namespace {

using ::testing::ElementsAre;

std::uint16_t receiverWord(int status, int item, int value) {
  return static_cast<std::uint16_t>(status << 14 | item << 10 | value);
}

TEST(Receiver, WritesThreeColumnsUnderSlotZero) {
  LogBuilder log;
  log.record();
  const CsvTable csv = convert(log);
  EXPECT_THAT(csv.header(0), ElementsAre("", "", "", "", "", "", "", "", "", "", "", "", "", "", "",
                                         "", "", "0", "0", "0"));
  EXPECT_THAT(csv.sensorColumnNames(), ElementsAre("BATTERY", "EXTERNAL BATTERY", "STATUS"));
  EXPECT_EQ(csv.header(1).back(), "RECEIVER");
}

TEST(Receiver, EachWordRefreshesTheVoltageItNames) {
  LogBuilder log;
  log.record().word(0, receiverWord(1, 0, 74));
  log.record().word(0, receiverWord(2, 1, 1023));
  log.record().word(0, receiverWord(3, 0, 0));
  const CsvTable csv = convert(log);
  EXPECT_THAT(csv.column("BATTERY"), ElementsAre("  7.4", "  7.4", "  0.0"));
  EXPECT_THAT(csv.column("EXTERNAL BATTERY"), ElementsAre("---", "102.3", "102.3"));
  EXPECT_THAT(csv.column("STATUS"), ElementsAre("1", "2", "3"));
}

TEST(Receiver, StatusZeroChangesNoVoltage) {
  LogBuilder log;
  log.record().word(0, receiverWord(1, 0, 5));
  log.record().word(0, receiverWord(0, 0, 99));
  const CsvTable csv = convert(log);
  EXPECT_THAT(csv.column("BATTERY"), ElementsAre("  0.5", "  0.5"));
  EXPECT_THAT(csv.column("STATUS"), ElementsAre("1", "0"));
}

TEST(Receiver, ItemsTwoAndThreeUpdateOnlyTheStatus) {
  LogBuilder log;
  log.record().word(0, receiverWord(1, 0, 50));
  log.record().word(0, receiverWord(2, 2, 77));
  log.record().word(0, receiverWord(3, 3, 88));
  const CsvTable csv = convert(log);
  EXPECT_THAT(csv.column("BATTERY"), ElementsAre("  5.0", "  5.0", "  5.0"));
  EXPECT_THAT(csv.column("EXTERNAL BATTERY"), ElementsAre("---", "---", "---"));
  EXPECT_THAT(csv.column("STATUS"), ElementsAre("1", "2", "3"));
}

}  // namespace
}  // namespace trelvox
