#include "conversion/record_loop.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

#include "bench/full_group_log.h"
#include "conversion/byte_source.h"
#include "conversion/telemetry_log_exception.h"
#include "outputs/csv/csv_output.h"
#include "support/stream_bytes.h"
#include "tests/decoder_harness.h"
#include "tests/string_sink.h"

namespace trelvox {
namespace {

using ::testing::ElementsAre;

// Takes `capacity` bytes, then fails as a full disk does.
class FullDiskSink final : public ByteSink {
 public:
  explicit FullDiskSink(std::size_t capacity) : capacity_(capacity) {}
  void write(std::span<const char> bytes) override {
    if (taken_ + bytes.size() > capacity_) {
      throw TelemetryLogException(MessageId::kCannotCreateOutput, "No space left on device");
    }
    taken_ += bytes.size();
  }

 private:
  std::size_t capacity_;
  std::size_t taken_ = 0;
};

std::string csvText(const LogBuilder& log, bool formatterThread) {
  const std::vector<std::uint8_t> info = log.infoBytes();
  const std::vector<std::uint8_t> data = log.dataBytes();
  MemorySource infoSource(info);
  MemorySource dataSource(data);
  StringSink sink;
  CsvOutput csv(sink, Separators{}, CsvHeader::kThreeRows, formatterThread);
  LogOutput* const outputs[] = {&csv};
  runRecordLoop(readSlotMap(infoSource), dataSource, outputs);
  return sink.text;
}

// Many batches of the widest rows: the rows come out in record order, byte for byte the same
// whether a thread of their own formats them too or not.
TEST(CsvOutput, RowsAreTheSameWhateverThreadFormatsThem) {
  const LogBuilder log = fullGroupLog(3001, 0);
  const std::string alone = csvText(log, false);
  EXPECT_EQ(CsvTable(alone, ',').dataRowCount(), 3001u);
  EXPECT_EQ(csvText(log, true), alone);
}

TEST(CsvOutput, AFullDiskStopsTheConversionWithItsReason) {
  const LogBuilder log = fullGroupLog(3000);
  const std::vector<std::uint8_t> info = log.infoBytes();
  const std::vector<std::uint8_t> data = log.dataBytes();
  for (const bool formatterThread : {false, true}) {
    for (const std::size_t capacity : {std::size_t{100}, std::size_t{2'000'000}}) {
      MemorySource infoSource(info);
      MemorySource dataSource(data);
      FullDiskSink sink(capacity);
      CsvOutput csv(sink, Separators{}, CsvHeader::kThreeRows, formatterThread);
      LogOutput* const outputs[] = {&csv};
      EXPECT_THROW(runRecordLoop(readSlotMap(infoSource), dataSource, outputs),
                   TelemetryLogException)
          << formatterThread << " formatter thread, " << capacity << " bytes";
    }
  }
}

// Notes what the record loop hands an output.
class NotingOutput final : public LogOutput {
 public:
  void start(Decoders decoders) override {
    for (const auto& decoder : decoders) types.push_back(decoder->type().id);
  }
  void record(const DataRecord& record) override { times.push_back(record.time()); }
  void end(const LogTotals& totals) override { ended.push_back(totals); }

  std::vector<int> types;
  std::vector<std::uint32_t> times;
  std::vector<LogTotals> ended;
};

TEST(RecordLoop, HandsEveryOutputTheDecodersEachRecordAndTheTotals) {
  LogBuilder log;
  log.sensor(10, typeIdOf<VoltageSensorDecoder>()).sensor(1, typeIdOf<OrvaneGpsDecoder>());
  log.record().time(500);
  log.record().time(400);
  std::vector<std::uint8_t> data = log.dataBytes();
  data.insert(data.end(), 100, 0xAB);  // a record cut short
  const std::vector<std::uint8_t> info = log.infoBytes();
  MemorySource infoSource(info);
  MemorySource dataSource(data);
  NotingOutput first;
  NotingOutput second;
  LogOutput* const outputs[] = {&first, &second};
  const LogTotals totals = runRecordLoop(readSlotMap(infoSource), dataSource, outputs);
  EXPECT_EQ(totals.records, 2u);
  EXPECT_EQ(totals.trailingBytes, 100u);
  for (const NotingOutput* output : {&first, &second}) {
    EXPECT_THAT(output->types,
                ElementsAre(0, typeIdOf<OrvaneGpsDecoder>(), typeIdOf<VoltageSensorDecoder>()));
    EXPECT_THAT(output->times, ElementsAre(500u, 400u));
    ASSERT_EQ(output->ended.size(), 1u);
    EXPECT_EQ(output->ended[0].trailingBytes, 100u);
  }
}

// A device that delivers one block and then fails.
class FailingSource final : public ByteSource {
 public:
  explicit FailingSource(std::span<const std::uint8_t> first) : first_(first) {}
  std::size_t read(std::span<std::uint8_t> into) override {
    if (done_) throw TelemetryLogException(MessageId::kCannotReadFile, "I/O error");
    done_ = true;
    const std::size_t count = std::min(into.size(), first_.size());
    std::copy_n(first_.begin(), count, into.begin());
    return count;
  }

 private:
  std::span<const std::uint8_t> first_;
  bool done_ = false;
};

TEST(RecordLoop, AReadFailureEndsEveryOutputWithWhatWasReadFirst) {
  const LogBuilder log = fullGroupLog(3000);
  const std::vector<std::uint8_t> info = log.infoBytes();
  const std::vector<std::uint8_t> data = log.dataBytes();
  MemorySource infoSource(info);
  FailingSource dataSource(data);  // the loop reads 1024 records per block
  NotingOutput noted;
  StringSink sink;
  CsvOutput csv(sink, Separators{}, CsvHeader::kThreeRows, true);
  LogOutput* const outputs[] = {&noted, &csv};
  EXPECT_THROW(runRecordLoop(readSlotMap(infoSource), dataSource, outputs), TelemetryLogException);
  ASSERT_EQ(noted.ended.size(), 1u);
  EXPECT_EQ(noted.ended[0].records, 1024u);
  EXPECT_EQ(CsvTable(sink.text, ',').dataRowCount(), 1024u);
}

// What other outputs read: typed readings in the item's unit, and the time of day (the track's
// positions in degrees are read where the map files show them, in track_files_test).
TEST(TypedReadings, GpsGivesItsReadingsInTheirUnitsAndItsTimeOfDay) {
  RecordWords words;
  OrvaneGpsDecoder gps(words.place(1));
  StreamBytes<8>()
      .field(0, 17, 12 * 3600 + 34 * 60 + 56)
      .field(17, 26, 35 * 600000 + 300000)  // N 35:30.0000
      .flag(43, false)
      .field(44, 27, 139 * 600000 + 450000)  // W 139:45.0000
      .flag(71, true)
      .field(72, 9, 42)
      .flag(81, true)
      .into(words, 1);
  gps.update();
  EXPECT_EQ(gps.utcSecondsOfDay(), 12 * 3600 + 34 * 60 + 56);
  EXPECT_DOUBLE_EQ(gps.current(OrvaneGpsDecoder::kSpeed).value(), 42.0);
  EXPECT_EQ(gps.columns()[OrvaneGpsDecoder::kSpeed].quantity, Quantity::kSpeed);
  EXPECT_EQ(quantityName(gps.columns()[OrvaneGpsDecoder::kAltitude].quantity), "height");
}

TEST(TypedReadings, ScaleAppliesToTheNumberAndAbsentReadingsAreMarked) {
  RecordWords words;
  VoltageSensorDecoder voltage(words.place(3));
  EXPECT_FALSE(voltage.current(0).present);
  for (const std::uint16_t battery : {0x8000 | 126, 0x8000 | 52, 0x8000 | 74}) {
    words.word(3, battery).word(4, 0);
    voltage.update();
  }
  EXPECT_DOUBLE_EQ(voltage.current(0).value(), 7.4);
  EXPECT_DOUBLE_EQ(voltage.smallest(0).value(), 5.2);
  EXPECT_DOUBLE_EQ(voltage.largest(0).value(), 12.6);
  EXPECT_EQ(voltage.columns()[0].quantity, Quantity::kVoltage);
  EXPECT_STREQ(voltage.columns()[0].unit, "V");
}

}  // namespace
}  // namespace trelvox
