#pragma once

#include <cstdint>
#include <string_view>

#include "outputs/text/block_writer.h"

namespace trelvox {

// The CSV's header rows, field by field: every field followed by the list separator, every row
// ending in CR LF. The data rows never pass through here: CsvOutput formats them a batch at a
// time and hands each batch's text to the sink itself, after this writer's last flush.
class RowWriter : private BlockWriter {
 public:
  RowWriter(ByteSink& sink, char listSeparator)
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
