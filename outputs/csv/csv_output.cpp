#include "outputs/csv/csv_output.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "outputs/number_text.h"
#include "outputs/reading_text.h"

namespace trelvox {
namespace {

constexpr int kLeadingColumns = 1 + kChannelCount;
// The most a field of a decoder's column takes: a 31-character text or a number of 20 digits,
// its sign, padding and decimals, and the separator.
constexpr std::size_t kFieldRoom = 40;
constexpr std::size_t kChannelRoom = 9;

bool isWritten(const Column& column) { return column.shown != Shown::kNothing; }

char* copyText(char* out, std::string_view text) { return std::copy(text.begin(), text.end(), out); }

}  // namespace

// One CSV field of a decoder's column.
struct CsvOutput::Field {
  const TrackedReading* reading;
  const Decoder* decoder;
  int column;
  Shown shown;
  std::int8_t scale;
  ValueFormat format;
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

CsvOutput::CsvOutput(ByteSink& sink, Separators separators, bool unitsRow)
    : writer_(sink, separators.list),
      separators_(separators),
      channels_(std::make_unique<ChannelTexts>(separators.decimal)),
      unitsRow_(unitsRow) {}

CsvOutput::~CsvOutput() = default;

void CsvOutput::start(Decoders decoders) {
  writeHeader(decoders);
  for (const auto& decoder : decoders) {
    const auto columns = decoder->columns();
    for (std::size_t c = 0; c < columns.size(); ++c) {
      if (!isWritten(columns[c])) continue;
      const int column = static_cast<int>(c);
      fields_.push_back({&decoder->tracked(column), decoder.get(), column, columns[c].shown,
                         columns[c].scale, columns[c].format});
    }
  }
  rowRoom_ = 2 * kFieldRoom + kChannelCount * kChannelRoom + fields_.size() * kFieldRoom;
}

void CsvOutput::writeHeader(Decoders decoders) {
  for (int i = 0; i < kLeadingColumns; ++i) writer_.separator();
  for (const auto& decoder : decoders) {
    for (const Column& column : decoder->columns()) {
      if (isWritten(column)) writer_.field(static_cast<std::uint32_t>(decoder->firstSlot()));
    }
  }
  writer_.endRow();

  for (int i = 0; i < kLeadingColumns; ++i) writer_.separator();
  for (const auto& decoder : decoders) {
    for (const Column& column : decoder->columns()) {
      if (isWritten(column)) writer_.field(decoder->type().name);
    }
  }
  writer_.endRow();

  writer_.field("TIME");
  for (std::uint32_t k = 1; k <= kChannelCount; ++k) {
    ValueText name;
    name.append("CH");
    name.appendNumber(k);
    writer_.field(name.view());
  }
  for (const auto& decoder : decoders) {
    for (const Column& column : decoder->columns()) {
      if (isWritten(column)) writer_.field(column.name);
    }
  }
  writer_.endRow();
  if (!unitsRow_) return;

  for (int i = 0; i < kLeadingColumns; ++i) writer_.separator();
  for (const auto& decoder : decoders) {
    for (const Column& column : decoder->columns()) {
      if (isWritten(column)) writer_.field(column.unit);
    }
  }
  writer_.endRow();
}

void CsvOutput::record(const DataRecord& record) {
  const char list = separators_.list;
  const char decimal = separators_.decimal;
  char* out = writer_.room(rowRoom_);

  const std::uint32_t time = record.time();
  if (!timeBase_) timeBase_ = time;
  out = writeDigits(out, time - *timeBase_);  // wraps modulo 2^32 for a clock that went backwards
  *out++ = list;
  for (int k = 1; k <= kChannelCount; ++k) {
    out = channels_->write(out, record.channel(k));
    *out++ = list;
  }
  for (const Field& field : fields_) {
    if (field.shown == Shown::kReading) [[likely]] {
      const TrackedReading& reading = *field.reading;
      out = reading.current != reading.mark
                ? writeNumber(out, reading.current, field.scale, field.format, decimal)
                : copyText(out, kNoValueText);
    } else {
      out = writeOtherField(out, field);
    }
    *out++ = list;
  }
  *out++ = '\r';
  *out++ = '\n';
  writer_.advance(out);
  ++rows_;
}

char* CsvOutput::writeOtherField(char* out, const Field& field) const {
  ValueText text;
  writeColumnValueText(field.shown, field.decoder->columnValue(field.column), text);
  return copyText(out, text.view());
}

void CsvOutput::end(const LogTotals&) { writer_.flush(); }

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

}  // namespace trelvox
