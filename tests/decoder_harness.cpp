#include "tests/decoder_harness.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace trelvox {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;

void expectWordTexts(int typeId, int firstSlot, SlotWord frameWord,
                     std::span<const WordCase> cases) {
  for (const WordCase& c : cases) {
    SCOPED_TRACE(c.column + std::string(" ") + std::to_string(c.raw));
    LogBuilder log = logWithSensor(firstSlot, typeId);
    log.record().word(frameWord.slot, frameWord.value).word(firstSlot + c.word, c.raw);
    EXPECT_THAT(convert(log).column(c.column), ElementsAre(c.text));
  }
}

CsvTable convertWords(int firstSlot, int typeId, std::initializer_list<RecordSpec> records,
                      Separators separators) {
  LogBuilder log = logWithSensor(firstSlot, typeId);
  for (const RecordSpec& words : records) {
    LogBuilder::Record& record = log.record();
    for (const SensorWord& w : words) record.word(firstSlot + w.word, w.value);
  }
  return convert(log, separators);
}

CsvTable convertFirstWordBytes(int firstSlot, int typeId, std::span<const SlotBytes> records) {
  LogBuilder log = logWithSensor(firstSlot, typeId);
  for (const SlotBytes& r : records) log.record().bytes(firstSlot, r.first, r.second);
  return convert(log);
}

void expectColumns(const CsvTable& csv, std::initializer_list<SensorColumns> sensors) {
  std::vector<std::string> slots{"0"};
  std::vector<std::string> typeNames{"RECEIVER"};
  std::vector<std::string> names{"BATTERY", "EXTERNAL BATTERY", "STATUS"};
  for (const SensorColumns& sensor : sensors) {
    slots.insert(slots.end(), sensor.names.size(), sensor.slot);
    typeNames.insert(typeNames.end(), sensor.names.size(), sensor.typeName);
    names.insert(names.end(), sensor.names.begin(), sensor.names.end());
  }
  EXPECT_THAT(lastFields(csv.header(0), slots.size()), ElementsAreArray(slots));
  EXPECT_THAT(lastFields(csv.header(1), typeNames.size()), ElementsAreArray(typeNames));
  EXPECT_THAT(csv.sensorColumnNames(), ElementsAreArray(names));
  for (const auto& row : csv.rows()) EXPECT_EQ(row.size(), csv.header(2).size());
}

void expectNoValueIn(const CsvTable& csv, const std::vector<std::string>& names) {
  for (const std::string& name : names) {
    EXPECT_THAT(csv.column(name), ::testing::Each("---")) << name;
  }
}

CsvTable convertEmptyRecord(int firstSlot, int typeId) {
  LogBuilder log = logWithSensor(firstSlot, typeId);
  log.record();
  return convert(log);
}

}  // namespace trelvox
