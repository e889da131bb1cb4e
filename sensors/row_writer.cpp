#include "sensors/row_writer.h"

namespace trelvox {

RowWriter::RowWriter(OutputSink& sink, Separators separators)
    : sink_(sink), separators_(separators) {
  buffer_.reserve(kBlockSize);
}

void RowWriter::number(std::uint32_t n) {
  char digits[10];
  int count = 0;
  do {
    digits[count++] = static_cast<char>('0' + n % 10);
    n /= 10;
  } while (n != 0);
  if (buffer_.size() + static_cast<std::size_t>(count) > kBlockSize) flush();
  while (count > 0) buffer_.push_back(digits[--count]);
}

void RowWriter::flush() {
  if (buffer_.empty()) return;
  sink_.write(buffer_);
  buffer_.clear();
}

}  // namespace trelvox
