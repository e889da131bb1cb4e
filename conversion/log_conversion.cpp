#include "conversion/log_conversion.h"

#include <algorithm>
#include <memory>
#include <optional>

#include "conversion/sensor_table.h"
#include "conversion/telemetry_log_exception.h"

namespace trelvox {
namespace {

constexpr int kLeadingColumns = 1 + kChannelCount;

void writeHeader(const SensorTable& sensors, RowWriter& out) {
  for (int i = 0; i < kLeadingColumns; ++i) out.separator();
  for (const auto& sensor : sensors) sensor->writeSlotNumbers(out);
  out.endRow();

  for (int i = 0; i < kLeadingColumns; ++i) out.separator();
  for (const auto& sensor : sensors) sensor->writeTypeNames(out);
  out.endRow();

  out.field("TIME");
  for (std::uint32_t k = 1; k <= kChannelCount; ++k) {
    out.text("CH");
    out.field(k);
  }
  for (const auto& sensor : sensors) sensor->writeItemNames(out);
  out.endRow();
}

// The texts of the channel words a transmitter sends (0 to 2048 and a margin around them), made
// once per conversion: sixteen of them open every row.
class ChannelTexts {
 public:
  explicit ChannelTexts(char decimalSeparator) : decimalSeparator_(decimalSeparator) {
    for (std::size_t i = 0; i < kCount; ++i) {
      ValueText text;
      writeChannelText(static_cast<std::int16_t>(kFirstWord + static_cast<int>(i)),
                       decimalSeparator, text);
      // "-304.8" is the longest text of the range.
      sizes_[i] = static_cast<std::uint8_t>(std::min(text.size(), kTextRoom));
      copyShort(text.view().data(), sizes_[i], texts_[i].data());
    }
  }

  void write(std::int16_t word, ValueText& text) const {
    const auto index = static_cast<std::size_t>(word - kFirstWord);
    if (index >= kCount) return writeChannelText(word, decimalSeparator_, text);
    text.append({texts_[index].data(), sizes_[index]});
  }

 private:
  static constexpr int kFirstWord = -1024;
  static constexpr std::size_t kCount = 4096;
  static constexpr std::size_t kTextRoom = 8;

  char decimalSeparator_;
  std::array<std::array<char, kTextRoom>, kCount> texts_;
  std::array<std::uint8_t, kCount> sizes_;
};

void writeChannels(const DataRecord& record, const ChannelTexts& channels, RowWriter& out) {
  for (int k = 1; k <= kChannelCount; ++k) {
    out.textField([&](ValueText& text) { channels.write(record.channel(k), text); });
  }
}

// Reads the data file in blocks of whole records, so a record costs a copy rather than a call
// into the file layer. When reading fails, the rows converted so far are still handed to the
// output before the failure goes on.
class RecordReader {
 public:
  RecordReader(ByteSource& dataFile, RowWriter& out)
      : dataFile_(dataFile), out_(out), block_(new std::uint8_t[kBlockSize]) {}

  // Copies the next complete record into `record`; false once the file has no complete record left.
  bool next(DataRecord& record) {
    if (filled_ - position_ < kRecordSize && !refill()) return false;
    std::copy_n(block_.get() + position_, kRecordSize, record.bytes().data());
    position_ += kRecordSize;
    return true;
  }

 private:
  static constexpr std::size_t kBlockSize = 400 * kRecordSize;

  // A block holds whole records and only the file's end reads short, so no record is ever cut
  // by a block's end; what is left after the last whole record is a trailing partial record.
  bool refill() {
    if (ended_) return false;
    filled_ = readFlushingOnFailure({block_.get(), kBlockSize});
    ended_ = filled_ < kBlockSize;
    position_ = 0;
    return filled_ >= kRecordSize;
  }

  std::size_t readFlushingOnFailure(std::span<std::uint8_t> into) {
    try {
      return dataFile_.read(into);
    } catch (const TelemetryLogException&) {
      try {
        out_.flush();
      } catch (const TelemetryLogException&) {
        // The read failure is the one to report.
      }
      throw;
    }
  }

  ByteSource& dataFile_;
  RowWriter& out_;
  std::unique_ptr<std::uint8_t[]> block_;
  std::size_t filled_ = 0;
  std::size_t position_ = 0;
  bool ended_ = false;
};

}  // namespace

SlotMap readSlotMap(ByteSource& infoFile) {
  std::array<std::uint8_t, kInfoHeaderSize> header{};
  infoFile.read(header);
  SlotMap map;
  infoFile.read(map.bytes());
  return map;
}

void writeChannelText(std::int16_t word, char decimalSeparator, ValueText& text) {
  std::int32_t a = (static_cast<std::int32_t>(word) - 1024) * 15238 / 1024;
  const std::int32_t remainder = a % 10;
  if (remainder >= 5 || remainder <= -5) a += a >= 0 ? 5 : -5;
  const std::uint32_t magnitude = static_cast<std::uint32_t>(a < 0 ? -a : a);
  text.clear();
  if (a <= -10) text.append('-');
  text.appendNumber(magnitude / 100);
  text.append(decimalSeparator);
  text.append(static_cast<char>('0' + magnitude / 10 % 10));
}

std::uint64_t writeCsv(const SlotMap& map, ByteSource& dataFile, OutputSink& output,
                       Separators separators) {
  DataRecord record;
  const SensorTable sensors(map, record.slotWords(), separators.decimal);
  RowWriter out(output, separators);
  const auto channels = std::make_unique<ChannelTexts>(separators.decimal);
  writeHeader(sensors, out);

  RecordReader reader(dataFile, out);
  std::optional<std::uint32_t> timeBase;
  std::uint64_t rows = 0;
  while (reader.next(record)) {
    const std::uint32_t time = record.time();
    if (!timeBase) timeBase = time;
    out.field(time - *timeBase);  // wraps modulo 2^32 for a clock that went backwards
    writeChannels(record, *channels, out);
    for (const auto& sensor : sensors) {
      sensor->update();
      sensor->writeValues(out);
    }
    out.endRow();
    ++rows;
  }
  out.flush();
  return rows;
}

}  // namespace trelvox
