#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>

#include "outputs/byte_sink.h"

namespace trelvox {

// Builds CSV text in a 64 KiB block of its own and hands full blocks to the sink, so that rows cost
// no system call or flush each. Row code asks for room once per row and writes straight into it.
class RowWriter {
 public:
  static constexpr std::size_t kBlockSize = 1 << 16;

  RowWriter(ByteSink& sink, char listSeparator);
  RowWriter(const RowWriter&) = delete;
  RowWriter& operator=(const RowWriter&) = delete;

  // Room for `count` more bytes (at most kBlockSize), handing the buffered block to the sink when
  // it is too full. Write there, then pass the end of what was written to `advance`.
  char* room(std::size_t count) {
    if (size_ + count > kBlockSize) flush();
    return buffer_.get() + size_;
  }
  void advance(const char* end) { size_ = static_cast<std::size_t>(end - buffer_.get()); }

  // A field of any length followed by the list separator.
  void field(std::string_view text);
  void field(std::uint32_t n);
  void separator() { field(std::string_view()); }
  void endRow();

  // Hands everything buffered to the sink.
  void flush();

 private:
  ByteSink& sink_;
  char listSeparator_;
  std::unique_ptr<char[]> buffer_;
  std::size_t size_ = 0;
};

}  // namespace trelvox
