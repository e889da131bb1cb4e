#include "outputs/text/block_writer.h"

#include <algorithm>

namespace trelvox {

BlockWriter::BlockWriter(ByteSink& sink) : sink_(sink), block_(new char[kBlockSize]) {}

void BlockWriter::append(std::string_view text) {
  while (!text.empty()) {
    if (size_ == kBlockSize) flush();
    const std::size_t count = std::min(text.size(), kBlockSize - size_);
    std::copy_n(text.data(), count, block_.get() + size_);
    size_ += count;
    text.remove_prefix(count);
  }
}

void BlockWriter::flush() {
  if (size_ == 0) return;
  // Emptied first: when the sink throws, nothing is handed over twice.
  const std::size_t size = size_;
  size_ = 0;
  sink_.write({block_.get(), size});
}

}  // namespace trelvox
