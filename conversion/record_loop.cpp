#include "conversion/record_loop.h"

#include <algorithm>
#include <memory>

#include "conversion/decoder_set.h"
#include "conversion/telemetry_log_exception.h"

namespace trelvox {
namespace {

// Reads the data file in blocks of whole records, so a record costs a copy rather than a call
// into the file layer.
class RecordReader {
 public:
  explicit RecordReader(ByteSource& dataFile)
      : dataFile_(dataFile), block_(new std::uint8_t[kBlockSize]) {}

  // Copies the next complete record into `record`; false once the file has no complete record left.
  bool next(DataRecord& record) {
    if (filled_ - position_ < kRecordSize && !refill()) return false;
    std::copy_n(block_.get() + position_, kRecordSize, record.bytes().data());
    position_ += kRecordSize;
    return true;
  }

  // Bytes after the last complete record, once next has returned false.
  std::uint64_t trailingBytes() const { return filled_ - position_; }

 private:
  // 1024 records are a whole number of 4 KiB pages too, so the stream layer reads straight into
  // the block rather than through its own buffer.
  static constexpr std::size_t kBlockSize = 1024 * kRecordSize;

  // A block holds whole records and only the file's end reads short, so no record is ever cut
  // by a block's end; what is left after the last whole record is a trailing partial record.
  bool refill() {
    if (ended_) return false;
    filled_ = dataFile_.read({block_.get(), kBlockSize});
    ended_ = filled_ < kBlockSize;
    position_ = 0;
    return filled_ >= kRecordSize;
  }

  ByteSource& dataFile_;
  std::unique_ptr<std::uint8_t[]> block_;
  std::size_t filled_ = 0;
  std::size_t position_ = 0;
  bool ended_ = false;
};

void endAll(std::span<LogOutput* const> outputs, const LogTotals& totals) {
  for (LogOutput* output : outputs) output->end(totals);
}

// The next record; when reading fails, what was converted so far still reaches every output's
// file before the failure goes on.
bool readNext(RecordReader& reader, DataRecord& record, std::span<LogOutput* const> outputs,
              const LogTotals& totals) {
  try {
    return reader.next(record);
  } catch (const TelemetryLogException&) {
    try {
      endAll(outputs, totals);
    } catch (const TelemetryLogException&) {
      // The read failure is the one to report.
    }
    throw;
  }
}

}  // namespace

SlotMap readSlotMap(ByteSource& infoFile) {
  std::array<std::uint8_t, kInfoHeaderSize> header{};
  infoFile.read(header);
  SlotMap map;
  infoFile.read(map.bytes());
  return map;
}

LogTotals runRecordLoop(const SlotMap& map, ByteSource& dataFile,
                        std::span<LogOutput* const> outputs) {
  DataRecord record;
  const auto decoders = decodersFor(map, record.slotWords());
  for (LogOutput* output : outputs) output->start(decoders);

  RecordReader reader(dataFile);
  LogTotals totals;
  while (readNext(reader, record, outputs, totals)) {
    for (const auto& decoder : decoders) decoder->update();
    for (LogOutput* output : outputs) output->record(record);
    ++totals.records;
  }
  totals.trailingBytes = reader.trailingBytes();
  endAll(outputs, totals);
  return totals;
}

}  // namespace trelvox
