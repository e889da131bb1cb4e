#include "sensors/row_writer.h"

#include <array>

#include "sensors/value_text.h"

namespace trelvox {

RowWriter::RowWriter(OutputSink& sink, Separators separators)
    : sink_(sink), separators_(separators), buffer_(new char[kBlockSize]) {}

void RowWriter::number(std::uint32_t n) {
  std::array<char, kMaxDecimalDigits> buffer;
  text(formatDecimal(n, buffer));
}

void RowWriter::flush() {
  if (size_ == 0) return;
  sink_.write({buffer_.get(), size_});
  size_ = 0;
}

}  // namespace trelvox
