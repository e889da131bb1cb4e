#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "conversion/byte_source.h"
#include "conversion/decoder_registry.h"
#include "conversion/record_loop.h"
#include "conversion/telemetry_log_exception.h"
#include "outputs/csv/csv_output.h"
#include "tests/csv_table.h"
#include "tests/string_sink.h"

namespace trelvox {
namespace {

using ::testing::ElementsAre;
using ::testing::SizeIs;

TEST(Conversion, OnlyReceiverGivesThreeHeaderRows) {
  LogBuilder log;
  const CsvTable csv = convert(log);
  EXPECT_EQ(csv.text(),
            ",,,,,,,,,,,,,,,,,0,0,0,\r\n"
            ",,,,,,,,,,,,,,,,,RECEIVER,RECEIVER,RECEIVER,\r\n"
            "TIME,CH1,CH2,CH3,CH4,CH5,CH6,CH7,CH8,CH9,CH10,CH11,CH12,CH13,CH14,CH15,CH16,"
            "BATTERY,EXTERNAL BATTERY,STATUS,\r\n");
}

TEST(Conversion, TimeIsRelativeToTheFirstRecordAndWraps) {
  LogBuilder log;
  log.record().time(4096);
  log.record().time(4196);
  log.record().time(4095);
  const CsvTable csv = convert(log);
  EXPECT_THAT(csv.column("TIME"), ElementsAre("0", "100", "4294967295"));
}

TEST(Conversion, FirstRecordTimeIsTheBaseWhateverItsValue) {
  LogBuilder log;
  log.record().time(0xFFFFFFFF);
  log.record().time(99);
  EXPECT_THAT(convert(log).column("TIME"), ElementsAre("0", "100"));
}

// Most fields repeat the row above, which the writer copies rather than formats; a value that
// stays, changes, vanishes into "---" and comes back must read the same in every row, across the
// blocks of records the writer formats at a time.
TEST(Conversion, FieldsThatRepeatTheRowAboveReadAsTheirValues) {
  constexpr int kRecords = 3000;
  constexpr int kExternalFrom = 2050;
  const auto tenths = [](int value) {
    char text[16];
    std::snprintf(text, sizeof text, "%5.1f", value / 10.0);
    return std::string(text);
  };
  LogBuilder log;
  std::vector<std::string> battery;
  std::vector<std::string> external;
  std::vector<std::string> status;
  for (int r = 0; r < kRecords; ++r) {
    const int item = r < kExternalFrom ? 0 : 1;
    const int value = item == 0 ? r / 3 % 4 : r % 7;
    const int state = 1 + r / 5 % 3;
    log.record().word(0, static_cast<std::uint16_t>(state << 14 | item << 10 | value));
    battery.push_back(item == 0 ? tenths(value) : battery.back());
    external.push_back(item == 1 ? tenths(value) : "---");
    status.push_back(std::to_string(state));
  }
  const CsvTable csv = convert(log);
  EXPECT_EQ(csv.column("BATTERY"), battery);
  EXPECT_EQ(csv.column("EXTERNAL BATTERY"), external);
  EXPECT_EQ(csv.column("STATUS"), status);
}

struct ChannelCase {
  std::int16_t word;
  const char* text;
};

TEST(Conversion, ChannelWordsBecomePercentWithOneDecimal) {
  constexpr ChannelCase kCases[] = {
      {0, "-152.4"},       {1, "-152.2"},     {512, "-76.2"}, {1000, "-3.6"},  {1017, "-1.0"},
      {1018, "-0.9"},      {1021, "-0.4"},    {1023, "-0.1"}, {1024, "0.0"},   {1025, "0.1"},
      {1027, "0.4"},       {1031, "1.0"},     {1536, "76.2"}, {2047, "152.2"}, {2048, "152.4"},
      {-32768, "-5028.5"}, {32767, "4723.6"},
  };
  for (const ChannelCase& c : kCases) {
    LogBuilder log;
    log.record().channel(7, c.word);
    EXPECT_THAT(convert(log).column("CH7"), ElementsAre(c.text)) << c.word;
  }
}

// Channels whose words are those of the row above repeat its text, four at a time: a word that
// moves alone, whichever of the sixteen it is, shows in its own column and only there. The words
// that stay put lie far outside the stick range, where channel texts are longest.
TEST(Conversion, AChannelThatMovesAloneShowsInItsOwnColumnOnly) {
  const auto text = [](std::int16_t word) {
    ValueText written;
    writeChannelText(word, '.', written);
    return std::string(written.view());
  };
  for (int moved = 1; moved <= kChannelCount; ++moved) {
    LogBuilder log;
    std::vector<std::vector<std::string>> expected(kChannelCount);
    for (int r = 0; r < 5; ++r) {
      LogBuilder::Record& record = log.record();
      for (int k = 1; k <= kChannelCount; ++k) {
        const int still = k % 2 == 1 ? -32768 + k : 32767 - k;
        const auto word = static_cast<std::int16_t>(k == moved && r % 2 == 1 ? 2000 : still);
        record.channel(k, word);
        expected[static_cast<std::size_t>(k - 1)].push_back(text(word));
      }
    }
    const CsvTable csv = convert(log);
    for (int k = 1; k <= kChannelCount; ++k) {
      EXPECT_EQ(csv.column("CH" + std::to_string(k)), expected[static_cast<std::size_t>(k - 1)])
          << "CH" << moved << " moved";
    }
  }
}

// Words near the edges of the usual stick range and far outside it all get the same text as the
// channel rule gives them.
TEST(Conversion, EveryChannelWordGetsItsOwnText) {
  LogBuilder log;
  std::vector<std::string> expected;
  for (int word = -32768; word <= 32767; word += 97) {
    for (int edge : {word, -1025, -1024, 3071, 3072}) {
      log.record().channel(16, static_cast<std::int16_t>(edge));
      ValueText text;
      writeChannelText(static_cast<std::int16_t>(edge), ',', text);
      expected.emplace_back(text.view());
    }
  }
  EXPECT_EQ(convert(log, Separators{';', ','}).column("CH16"), expected);
}

TEST(Conversion, LocaleSeparatorsShapeEveryField) {
  LogBuilder log;
  log.record().channel(1, 1536).word(0, 0x4000 | 74);
  const CsvTable csv = convert(log, Separators{';', ','});
  const std::string row = csv.text().substr(csv.text().rfind("\r\n0;") + 2);
  EXPECT_EQ(row.substr(0, 7), "0;76,2;");
  EXPECT_THAT(csv.column("BATTERY"), ElementsAre("  7,4"));
}

TEST(Conversion, SensorsAreWrittenInSlotOrderUnderTheirSlotNumbers) {
  // Unknown type 5 at slot 1 has no decoder and writes nothing; slot 12's entry points at slot 9,
  // so it starts no sensor.
  LogBuilder log;
  log.entry(0, 1, 5, 1).entry(0, 12, 2, 9);
  log.record();
  const CsvTable csv = convert(log);
  EXPECT_THAT(csv.header(0), SizeIs(20));
}

TEST(Conversion, ReceiverTypeAtALaterFirstSlotIsNoSensorOfItsOwn) {
  LogBuilder log;
  log.entry(0, 3, 0, 3);
  log.record();
  EXPECT_THAT(convert(log).header(0), SizeIs(20));
}

TEST(SlotMap, BitsAboveTheFirstSlotNumberAreIgnored) {
  LogBuilder log;
  log.entry(0, 1, 2, 0xE1).entry(0, 2, 2, 0x01);
  const std::vector<std::uint8_t> info = log.infoBytes();
  MemorySource source(info);
  const SlotMap map = readSlotMap(source);
  EXPECT_TRUE(map.isFirstSlot(0, 1));
  EXPECT_EQ(map.firstSlot(0, 2), 1);
  EXPECT_EQ(map.typeId(0, 1), 2);
}

// Whole records are converted however many there are (the file is read in blocks of many
// records); the bytes of a trailing partial record are not.
TEST(Conversion, TrailingPartialRecordIsNotConverted) {
  LogBuilder log;
  for (int i = 0; i < 1000; ++i) log.record();
  const std::vector<std::uint8_t> data = log.dataBytes();
  const std::vector<std::uint8_t> info = log.infoBytes();
  for (std::size_t records : {0, 1, 399, 400, 401, 800, 999}) {
    for (std::size_t partial : {std::size_t{0}, std::size_t{1}, kRecordSize - 1}) {
      const std::size_t size = records * kRecordSize + partial;
      MemorySource infoSource(info);
      MemorySource dataSource(std::span<const std::uint8_t>(data).first(size));
      struct NullSink : ByteSink {
        void write(std::span<const char>) override {}
      } sink;
      EXPECT_EQ(writeCsvOf(readSlotMap(infoSource), dataSource, sink, Separators{}), records)
          << records << " records and " << partial << " bytes";
    }
  }
}

TEST(Conversion, ShortInformationFilesReadTheMissingSlotMapAsZero) {
  LogBuilder log;
  log.entry(0, 31, 255, 31);
  const std::vector<std::uint8_t> full = log.infoBytes();
  for (std::size_t size : {0, 4, 131, 132, 200}) {
    std::vector<std::uint8_t> info(full.begin(), full.begin() + std::min(size, full.size()));
    info.resize(size, 0xAB);
    MemorySource source(info);
    const SlotMap map = readSlotMap(source);
    EXPECT_EQ(map.typeId(0, 31), size >= 131 ? 255 : 0) << size;
    EXPECT_EQ(map.firstSlot(1, 31), 0) << size;  // bytes past the slot map are not read
  }
}

// Every type ID at every first slot: known decoders write their columns, unknown ones nothing,
// and a sensor whose slots run past slot 31 reads on into group 1 without harm.
TEST(Conversion, EveryTypeAtEveryFirstSlotConverts) {
  for (int typeId = 0; typeId < 256; ++typeId) {
    for (int slot = 1; slot < kSlotsPerGroup; ++slot) {
      LogBuilder log;
      log.sensor(slot, typeId);
      LogBuilder::Record& record = log.record();
      for (int s = 0; s < 64; ++s) record.word(s, 0xFFFF);
      log.record();
      const CsvTable csv = convert(log);
      ASSERT_EQ(csv.dataRowCount(), 2u);
      const bool written = typeId != 0 && findDecoderType(typeId) != nullptr;
      EXPECT_EQ(csv.header(0).size() > 20, written) << typeId << " at " << slot;
      for (const auto& row : csv.rows()) ASSERT_EQ(row.size(), csv.header(0).size());
    }
  }
}

// A device that delivers whatever it is asked for a number of times and then fails.
class FailingSource final : public ByteSource {
 public:
  explicit FailingSource(int goodReads) : goodReads_(goodReads) {}
  std::size_t read(std::span<std::uint8_t> into) override {
    if (goodReads_-- == 0) throw TelemetryLogException(MessageId::kCannotReadFile, "device error");
    std::fill(into.begin(), into.end(), 0);
    delivered += into.size();
    return into.size();
  }
  std::size_t delivered = 0;

 private:
  int goodReads_;
};

TEST(Conversion, ReadFailureKeepsTheRowsAlreadyConverted) {
  StringSink sink;
  FailingSource data(2);
  try {
    writeCsvOf(SlotMap{}, data, sink, Separators{});
    FAIL() << "no failure reported";
  } catch (const TelemetryLogException& e) {
    EXPECT_EQ(e.messageId(), MessageId::kCannotReadFile);
  }
  const std::size_t recordsDelivered = data.delivered / kRecordSize;
  EXPECT_GT(recordsDelivered, 0u);
  EXPECT_EQ(CsvTable(sink.text, ',').dataRowCount(), recordsDelivered);
}

}  // namespace
}  // namespace trelvox
