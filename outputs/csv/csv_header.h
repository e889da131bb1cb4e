#pragma once

// The header a CSV file opens with: three rows (each column's slot number, its sensor's type
// name, its own name; a fourth with units on request) or the one row of the flat layout (see
// flat_layout.h). It is written field by field, once per file; the data rows never pass through
// here: CsvOutput formats them a batch at a time and hands each batch's text to the sink itself.

#include <cstdint>
#include <string_view>

#include "decoders/decoder.h"
#include "outputs/text/block_writer.h"
#include "outputs/text/byte_sink.h"
#include "values/column.h"
#include "values/data_record.h"

namespace trelvox {

enum class CsvHeader : std::uint8_t {
  kThreeRows,       // slot numbers, type names, column names
  kThreeRowsUnits,  // the same and a fourth row with each column's unit, in UTF-8
  kFlat,            // one row of unique names with units, for analysis tools
};

// Writes the whole header for the columns of `decoders` into `sink`.
void writeCsvHeader(ByteSink& sink, Decoders decoders, CsvHeader header, char listSeparator);

// The header's rows, field by field: every field followed by the list separator, every row ending
// in CR LF.
class HeaderRowWriter : private BlockWriter {
 public:
  HeaderRowWriter(ByteSink& sink, char listSeparator)
      : BlockWriter(sink), listSeparator_(listSeparator) {}

  // A field of any length followed by the list separator.
  void field(std::string_view text);
  void field(std::uint32_t n);
  // Text as it is, with no separator after it.
  void text(std::string_view text) { append(text); }
  void separator() { append(listSeparator_); }
  void endRow() { append("\r\n"); }

  using BlockWriter::flush;

 private:
  char listSeparator_;
};

}  // namespace trelvox
