#pragma once

// The CSV file: its header (csv_header.h), then one row per data record: the time since the first
// record, the sixteen channels and every decoder's columns. Every field is followed by the list
// separator (but the last of a flat row, see flat_layout.h); rows end in CR LF.
//
// Rows are the hot path of every conversion. At start the decoders' column lists are flattened
// into one plan of fields, each pointing at the tracked reading it shows. Per record, the values
// the row shows are copied into a batch (only the few text columns, positions and clock times, ask
// their decoder); full batches are formatted, each row in one pass over the plan that writes digits
// straight into the batch's text, and written in order. A long log may have its batches formatted
// on a second core while decoding goes on (see BatchPipeline).

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string_view>
#include <vector>

#include "outputs/csv/batch_pipeline.h"
#include "outputs/csv/csv_header.h"
#include "outputs/log_output.h"
#include "outputs/text/separators.h"
#include "outputs/text/value_text.h"

namespace trelvox {

// Formatting a log's rows on a second core pays only for long logs: on a card of typical flights,
// converted several at once (-j), the thread costs more than it saves. Some 80 minutes of records.
inline constexpr std::size_t kRecordsWorthAFormatterThread = 50'000;

class CsvOutput final : public LogOutput {
 public:
  // `formatterThread`: rows are formatted on a thread of their own too, besides the conversion's.
  CsvOutput(ByteSink& sink, Separators separators, CsvHeader header = CsvHeader::kThreeRows,
            bool formatterThread = false);
  ~CsvOutput() override;

  void start(Decoders decoders) override;
  void record(const DataRecord& record) override;
  void end(const LogTotals& totals) override;

 private:
  struct Field;
  struct TextAbove;
  class ChannelTexts;
  // What the header decides for every data row, settled once.
  struct RowLayout {
    // Numbers padded to their column's width.
    bool padded;
    // What a field without a reading shows.
    std::string_view noValue;
    // The text of a column that is not a plain reading.
    char* (*writeText)(char* out, Shown shown, const ColumnValue& value, char decimalSeparator);
    bool separatorAfterLast;
  };
  static RowLayout rowLayoutOf(CsvHeader header);

  RecordBatch& nextBatch();
  void formatBatch(RecordBatch& batch) const;
  std::size_t writeRow(RecordBatch& batch, std::size_t record, std::size_t used,
                       TextAbove* above) const;

  ByteSink& sink_;
  Separators separators_;
  std::unique_ptr<ChannelTexts> channels_;
  // Where each field's value comes from: a reading's current number, or a decoder's text column.
  struct TextSource {
    const Decoder* decoder;
    int column;
  };
  std::vector<const std::int64_t*> readingSources_;
  std::vector<TextSource> textSources_;
  std::vector<Field> fields_;
  std::size_t rowRoom_ = 0;
  std::optional<std::uint32_t> timeBase_;
  CsvHeader header_;
  RowLayout layout_;
  BatchPipeline pipeline_;
  RecordBatch* batch_ = nullptr;
};

// A channel word as a stick position in hundredths of a percent (-15238 .. 15238 for the usual
// range, words 0 .. 2048), the fraction cut off. It never decreases as the word grows, so the
// extremes of the words are the extremes of the positions.
constexpr std::int32_t channelHundredths(std::int16_t word) {
  return (static_cast<std::int32_t>(word) - 1024) * 15238 / 1024;
}

// The text of a channel word as a position in percent with one decimal ("-152.4" .. "152.4" for
// the usual range): its hundredths rounded half away from zero.
void writeChannelText(std::int16_t word, char decimalSeparator, ValueText& text);

}  // namespace trelvox
