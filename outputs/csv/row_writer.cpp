#include "outputs/csv/row_writer.h"

#include <algorithm>

#include "outputs/number_text.h"

namespace trelvox {

RowWriter::RowWriter(ByteSink& sink, char listSeparator)
    : sink_(sink), listSeparator_(listSeparator), buffer_(new char[kBlockSize]) {}

void RowWriter::field(std::string_view text) {
  while (text.size() >= kBlockSize) {  // no field is this long; should one be, it still goes out
    flush();
    sink_.write({text.data(), kBlockSize});
    text.remove_prefix(kBlockSize);
  }
  char* out = room(text.size() + 1);
  out = std::copy(text.begin(), text.end(), out);
  *out++ = listSeparator_;
  advance(out);
}

void RowWriter::field(std::uint32_t n) {
  char* out = writeDigits(room(11), n);
  *out++ = listSeparator_;
  advance(out);
}

void RowWriter::endRow() {
  char* out = room(2);
  *out++ = '\r';
  *out++ = '\n';
  advance(out);
}

void RowWriter::flush() {
  if (size_ == 0) return;
  // Emptied first: when the sink throws, nothing is handed over twice.
  const std::size_t size = size_;
  size_ = 0;
  sink_.write({buffer_.get(), size});
}

}  // namespace trelvox
