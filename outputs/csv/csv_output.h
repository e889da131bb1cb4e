#pragma once

// The CSV file: three header rows (each column's slot number, its sensor's type name, its own
// name; a fourth with units on request) or the one row of the flat layout (see flat_layout.h),
// then one row per data record: the time since the first record, the sixteen channels and
// every decoder's columns. Every field is followed by the list separator; rows end in CR LF.
//
// Rows are the hot path of every conversion. At start the decoders' column lists are flattened
// into one plan of fields, each pointing at the tracked reading it shows. Per record, the values
// the row shows are copied into a batch (only the few text columns, positions and clock times, ask
// their decoder); full batches are formatted, each row in one pass over the plan that writes digits
// straight into the batch's text, and written in order. A long log may have its batches formatted
// on a second core while decoding goes on (see BatchPipeline).

#include <cstdint>
#include <memory>
#include <optional>
#include <string_view>
#include <vector>

#include "outputs/csv/batch_pipeline.h"
#include "outputs/csv/row_writer.h"
#include "outputs/log_output.h"
#include "outputs/text/separators.h"
#include "outputs/text/value_text.h"

namespace trelvox {

// The header a CSV file opens with, which decides how its rows read.
enum class CsvHeader : std::uint8_t {
  kThreeRows,       // slot numbers, type names, column names
  kThreeRowsUnits,  // the same and a fourth row with each column's unit, in UTF-8
  kFlat,            // one row of unique names with units, for analysis tools
};

class CsvOutput final : public LogOutput {
 public:
  // `formatters`: threads that format rows besides the conversion's own (0: all on it).
  CsvOutput(ByteSink& sink, Separators separators, CsvHeader header = CsvHeader::kThreeRows,
            unsigned formatters = 0);
  ~CsvOutput() override;

  void start(Decoders decoders) override;
  void record(const DataRecord& record) override;
  void end(const LogTotals& totals) override;

 private:
  struct Field;
  struct TextAbove;
  class ChannelTexts;

  void writeHeader(Decoders decoders);
  void writeHeaderRows(Decoders decoders);
  RecordBatch& nextBatch();
  void formatBatch(RecordBatch& batch) const;
  std::size_t writeRow(RecordBatch& batch, std::size_t record, std::size_t used,
                       TextAbove* above) const;

  ByteSink& sink_;
  RowWriter writer_;
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
  // What a field without a reading shows.
  std::string_view noValue_;
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
