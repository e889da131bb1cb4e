#include "outputs/csv/csv_output.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "outputs/csv/flat_layout.h"
#include "outputs/text/number_text.h"
#include "outputs/text/reading_text.h"

namespace trelvox {
namespace {

// The most a field of a decoder's column takes: a 31-character text or a number of 20 digits,
// its sign, padding and decimals, and the separator.
constexpr std::size_t kFieldRoom = 40;
constexpr std::size_t kChannelRoom = 9;
// A field's text repeated from the row above is copied in one piece of this size first.
constexpr std::size_t kRepeatedRoom = 32;

char* copyText(char* out, std::string_view text) {
  return std::copy(text.begin(), text.end(), out);
}

char* writeThreeRowColumnValue(char* out, Shown shown, const ColumnValue& value, char) {
  return writeColumnValue(out, shown, value);
}

// How a reading's number is laid out. The usual scales with as many decimals get code of their
// own, with no branch on either: most fields of every row are one of them.
enum class NumberLayout : std::uint8_t { kWhole, kTenths, kHundredths, kAny };

NumberLayout layoutOf(const Column& column) {
  if (column.scale != column.format.decimals) return NumberLayout::kAny;
  switch (column.scale) {
    case 0:
      return NumberLayout::kWhole;
    case 1:
      return NumberLayout::kTenths;
    case 2:
      return NumberLayout::kHundredths;
    default:
      return NumberLayout::kAny;
  }
}

// Field: CsvOutput's own, which only the class may name.
template <typename Field>
char* writeLaidOut(char* out, std::int64_t number, const Field& field, char decimal) {
  ValueFormat format = field.format;
  switch (field.layout) {
    case NumberLayout::kWhole:
      format.decimals = 0;
      return writeNumber(out, number, 0, format, decimal);
    case NumberLayout::kTenths:
      format.decimals = 1;
      return writeNumber(out, number, 1, format, decimal);
    case NumberLayout::kHundredths:
      format.decimals = 2;
      return writeNumber(out, number, 2, format, decimal);
    default:
      return writeNumber(out, number, field.scale, format, decimal);
  }
}

}  // namespace

// One CSV field of a decoder's column. A reading field keeps its value in the batch's readings,
// a text field in its texts, at `slot` within the record's share.
struct CsvOutput::Field {
  Shown shown;
  NumberLayout layout;
  std::int8_t scale;
  ValueFormat format;
  std::int64_t mark;
  std::size_t slot;
};

// Where a field's text in the row above lies within the batch's text. Telemetry changes slowly,
// so most fields repeat the row above and cost a comparison and a copy rather than formatting.
struct CsvOutput::TextAbove {
  std::uint32_t offset;
  std::uint32_t size;
};

// The texts of the channel words a transmitter sends (0 to 2048 and a margin around them), made
// once per conversion: sixteen of them open every row.
class CsvOutput::ChannelTexts {
 public:
  explicit ChannelTexts(char decimalSeparator) : decimalSeparator_(decimalSeparator) {
    for (std::size_t i = 0; i < kCount; ++i) {
      ValueText text;
      writeChannelText(static_cast<std::int16_t>(kFirstWord + static_cast<int>(i)),
                       decimalSeparator, text);
      // "-304.8" is the longest text of the range.
      sizes_[i] = static_cast<std::uint8_t>(std::min(text.size(), kTextRoom));
      std::memcpy(texts_[i].data(), text.view().data(), sizes_[i]);
    }
  }

  // Writes the text of `word` at `out` (which has room for kChannelRoom bytes); returns the end.
  char* write(char* out, std::int16_t word) const {
    const auto index = static_cast<std::size_t>(word - kFirstWord);
    if (index >= kCount) {
      ValueText text;
      writeChannelText(word, decimalSeparator_, text);
      return copyText(out, text.view());
    }
    std::memcpy(out, texts_[index].data(), kTextRoom);  // a fixed-size copy, then keep its length
    return out + sizes_[index];
  }

 private:
  static constexpr int kFirstWord = -1024;
  static constexpr std::size_t kCount = 4096;
  static constexpr std::size_t kTextRoom = 8;

  char decimalSeparator_;
  std::array<std::array<char, kTextRoom>, kCount> texts_;
  std::array<std::uint8_t, kCount> sizes_;
};

// Records per batch: enough that handing a batch over costs little per row, few enough that four
// batches of the widest rows stay within some twenty megabytes.
constexpr std::size_t kBatchRecords = 1024;

CsvOutput::RowLayout CsvOutput::rowLayoutOf(CsvHeader header) {
  if (header == CsvHeader::kFlat) {
    return {.padded = false,
            .noValue = {},
            .writeText = writeFlatColumnValue,
            .separatorAfterLast = false};
  }
  return {.padded = true,
          .noValue = kNoValueText,
          .writeText = writeThreeRowColumnValue,
          .separatorAfterLast = true};
}

CsvOutput::CsvOutput(ByteSink& sink, Separators separators, CsvHeader header, bool formatterThread)
    : sink_(sink),
      separators_(separators),
      channels_(std::make_unique<ChannelTexts>(separators.decimal)),
      header_(header),
      layout_(rowLayoutOf(header)),
      pipeline_([this](RecordBatch& batch) { formatBatch(batch); },
                [this](std::span<const char> text) { sink_.write(text); }, formatterThread) {}

CsvOutput::~CsvOutput() = default;

// The header goes out before any row does.
void CsvOutput::start(Decoders decoders) {
  writeCsvHeader(sink_, decoders, header_, separators_.list);
  for (const auto& decoder : decoders) {
    const auto columns = decoder->columns();
    for (std::size_t c = 0; c < columns.size(); ++c) {
      if (!isWritten(columns[c])) continue;
      const int column = static_cast<int>(c);
      const bool reading = columns[c].shown == Shown::kReading;
      ValueFormat format = columns[c].format;
      // A width of 0 leaves no padding blank before the digits.
      if (!layout_.padded) format.width = 0;
      fields_.push_back({columns[c].shown, layoutOf(columns[c]), columns[c].scale, format,
                         decoder->tracked(column).mark,
                         reading ? readingSources_.size() : textSources_.size()});
      if (reading) {
        readingSources_.push_back(&decoder->tracked(column).current);
      } else {
        textSources_.push_back({decoder.get(), column});
      }
    }
  }
  rowRoom_ = 2 * kFieldRoom + kChannelCount * kChannelRoom + fields_.size() * kFieldRoom;
}

void CsvOutput::record(const DataRecord& record) {
  if (batch_ == nullptr) batch_ = &nextBatch();
  RecordBatch& batch = *batch_;
  const std::size_t r = batch.records;
  batch.heads[r] = record.head();
  if (!timeBase_) timeBase_ = batch.heads[r].time();
  std::int64_t* readings = batch.readings.data() + r * readingSources_.size();
  for (const std::int64_t* source : readingSources_) *readings++ = *source;
  // Straight into the batch's slot: a value returned instead is put together on the stack and
  // loaded back in pieces, which stalls the processor on every text column of every record.
  ColumnValue* texts = batch.texts.data() + r * textSources_.size();
  for (const TextSource& source : textSources_) {
    source.decoder->columnValue(source.column, *texts++);
  }
  if (++batch.records == kBatchRecords) {
    pipeline_.submit();
    batch_ = nullptr;
  }
}

// The next batch to fill, with room for a whole batch of records (kept from its last use).
RecordBatch& CsvOutput::nextBatch() {
  RecordBatch& batch = pipeline_.nextToFill();
  batch.heads.resize(kBatchRecords);
  batch.readings.resize(kBatchRecords * readingSources_.size());
  batch.texts.resize(kBatchRecords * textSources_.size());
  return batch;
}

void CsvOutput::end(const LogTotals&) {
  if (batch_ != nullptr) {
    pipeline_.submit();
    batch_ = nullptr;
  }
  pipeline_.finish();
}

// The text buffer grows with what the rows need rather than with the most a row could take, which
// is many times more.
void CsvOutput::formatBatch(RecordBatch& batch) const {
  std::vector<TextAbove> above(kChannelGroups + fields_.size());
  std::size_t used = 0;
  for (std::size_t r = 0; r < batch.records; ++r) {
    if (batch.text.size() - used < rowRoom_) batch.text.resize(2 * batch.text.size() + rowRoom_);
    used = writeRow(batch, r, used, above.data());
  }
  batch.textSize = used;
}

// Writes the row of `record` at `used` in the batch's text and returns the text's new end.
std::size_t CsvOutput::writeRow(RecordBatch& batch, std::size_t record, std::size_t used,
                                TextAbove* above) const {
  const char list = separators_.list;
  const char decimal = separators_.decimal;
  char* const text = batch.text.data();
  char* out = text + used;
  const bool rowAbove = record > 0;
  // Copies the field's text in the row above; the rows are longer than a fixed-size copy, so the
  // two never overlap.
  const auto repeat = [&](TextAbove& same) {
    const char* from = text + same.offset;
    std::memcpy(out, from, kRepeatedRoom);
    if (same.size > kRepeatedRoom) [[unlikely]]
      std::memcpy(out, from, same.size);
    same.offset = static_cast<std::uint32_t>(out - text);
    out += same.size;
  };
  const auto note = [&](TextAbove& same, char* end) {
    same = {static_cast<std::uint32_t>(out - text), static_cast<std::uint32_t>(end - out)};
    out = end;
  };

  const RecordHead& head = batch.heads[record];
  // Wraps modulo 2^32 for a clock that went backwards. timeBase_ was set before the first batch
  // was submitted.
  out = writeDigits(out, head.time() - *timeBase_);
  *out++ = list;
  // A group of channels whose words are those of the row above repeats its text.
  for (int group = 0; group < kChannelGroups; ++group) {
    TextAbove& same = *above++;
    if (rowAbove && head.channelGroup(group) == batch.heads[record - 1].channelGroup(group)) {
      repeat(same);
      continue;
    }
    char* end = out;
    for (int k = group * kChannelsPerGroup + 1; k <= (group + 1) * kChannelsPerGroup; ++k) {
      end = channels_->write(end, head.channel(k));
      *end++ = list;
    }
    note(same, end);
  }

  const std::size_t readingCount = readingSources_.size();
  const std::size_t textCount = textSources_.size();
  const std::int64_t* readings = batch.readings.data() + record * readingCount;
  const ColumnValue* texts = batch.texts.data() + record * textCount;
  // The row above's values; the first row of a batch has none and reads its own, unused.
  const std::int64_t* readingsAbove = rowAbove ? readings - readingCount : readings;
  const ColumnValue* textsAbove = rowAbove ? texts - textCount : texts;
  for (const Field& field : fields_) {
    TextAbove& same = *above++;
    if (field.shown == Shown::kReading) [[likely]] {
      const std::int64_t number = readings[field.slot];
      if (rowAbove && number == readingsAbove[field.slot]) {
        repeat(same);
      } else {
        note(same, number != field.mark ? writeLaidOut(out, number, field, decimal)
                                        : copyText(out, layout_.noValue));
      }
    } else {
      const ColumnValue& value = texts[field.slot];
      if (rowAbove && value == textsAbove[field.slot]) {
        repeat(same);
      } else {
        note(same, layout_.writeText(out, field.shown, value, decimal));
      }
    }
    *out++ = list;
  }
  if (!layout_.separatorAfterLast) --out;
  *out++ = '\r';
  *out++ = '\n';
  return static_cast<std::size_t>(out - text);
}

void writeChannelText(std::int16_t word, char decimalSeparator, ValueText& text) {
  std::int32_t a = channelHundredths(word);
  const std::int32_t remainder = a % 10;
  if (remainder >= 5 || remainder <= -5) a += a >= 0 ? 5 : -5;
  const std::uint32_t magnitude = static_cast<std::uint32_t>(a < 0 ? -a : a);
  text.clear();
  if (a <= -10) text.append('-');
  text.appendNumber(magnitude / 100);
  text.append(decimalSeparator);
  text.append(static_cast<char>('0' + magnitude / 10 % 10));
}

}  // namespace trelvox
