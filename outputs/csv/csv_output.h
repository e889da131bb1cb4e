#pragma once

// The CSV file: three header rows (each column's slot number, its sensor's type name, its own
// name), then one row per data record: the time since the first record, the sixteen channels and
// every decoder's columns. Every field is followed by the list separator; rows end in CR LF.
//
// Rows are the hot path of every conversion. At start the decoders' column lists are flattened
// into one plan of fields, each pointing at the tracked reading it shows, so that a row is a
// single pass over that plan that writes digits straight into the row writer's block: no call per
// decoder or per field, no intermediate text. Only the few text columns (positions, clock times)
// ask their decoder.

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "outputs/csv/row_writer.h"
#include "outputs/csv/separators.h"
#include "outputs/log_output.h"
#include "outputs/value_text.h"

namespace trelvox {

class CsvOutput final : public LogOutput {
 public:
  // `unitsRow` adds a fourth header row with each column's unit.
  CsvOutput(ByteSink& sink, Separators separators, bool unitsRow = false);
  ~CsvOutput() override;

  void start(Decoders decoders) override;
  void record(const DataRecord& record) override;
  void end(const LogTotals& totals) override;

  // Data rows written so far.
  std::uint64_t rows() const { return rows_; }

 private:
  struct Field;
  class ChannelTexts;

  void writeHeader(Decoders decoders);
  char* writeOtherField(char* out, const Field& field) const;

  RowWriter writer_;
  Separators separators_;
  std::unique_ptr<ChannelTexts> channels_;
  std::vector<Field> fields_;
  std::size_t rowRoom_ = 0;
  std::optional<std::uint32_t> timeBase_;
  std::uint64_t rows_ = 0;
  bool unitsRow_ = false;
};

// The text of a channel word as a position in percent with one decimal ("-152.4" .. "152.4" for
// the usual range).
void writeChannelText(std::int16_t word, char decimalSeparator, ValueText& text);

}  // namespace trelvox
