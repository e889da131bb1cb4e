#pragma once

#include <cstddef>
#include <memory>
#include <string_view>

#include "outputs/text/byte_sink.h"

namespace trelvox {

// Text built in a 64 KiB block of its own and handed to the sink a full block at a time, so that
// the many small pieces of a file cost no system call each. Code that writes many pieces asks for
// room once and writes straight into it: room(), its own writes, then advance().
class BlockWriter {
 public:
  static constexpr std::size_t kBlockSize = 1 << 16;

  explicit BlockWriter(ByteSink& sink);
  BlockWriter(const BlockWriter&) = delete;
  BlockWriter& operator=(const BlockWriter&) = delete;

  // Room for `count` more bytes (at most kBlockSize), handing the buffered block to the sink when
  // it is too full. Write there, then pass the end of what was written to `advance`.
  char* room(std::size_t count) {
    if (size_ + count > kBlockSize) flush();
    return block_.get() + size_;
  }
  void advance(const char* end) { size_ = static_cast<std::size_t>(end - block_.get()); }

  // Text of any length, as it is.
  void append(std::string_view text);
  void append(char c) {
    *room(1) = c;
    ++size_;
  }

  // Hands everything buffered to the sink.
  void flush();

 private:
  ByteSink& sink_;
  std::unique_ptr<char[]> block_;
  std::size_t size_ = 0;
};

}  // namespace trelvox
