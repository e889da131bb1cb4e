#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "outputs/byte_sink.h"

namespace trelvox {

// The report page's bytes on their way to the sink, handed over in blocks. Texts that come from
// outside (file names, sensor words) only ever enter through htmlText or jsonString, which escape
// them for where they land.
class PageText {
 public:
  explicit PageText(ByteSink& sink);
  PageText(const PageText&) = delete;
  PageText& operator=(const PageText&) = delete;

  // Page markup or an embedded asset, as it is.
  PageText& raw(std::string_view text);
  PageText& number(std::int64_t n);
  // A JSON string literal (quotes included) that is also safe inside a <script> element: '<' is
  // written as \u003c, so no text can close the element or open a comment. Here and in htmlText,
  // bytes that are not UTF-8 become U+FFFD: the page is UTF-8, a file name may be any bytes.
  PageText& jsonString(std::string_view text);
  // Text content of an HTML element or attribute value.
  PageText& htmlText(std::string_view text);
  // Room for `count` more bytes (at most kRoomLimit); write there, then pass the end to advance.
  static constexpr std::size_t kRoomLimit = 64;
  char* room(std::size_t count) {
    if (size_ + count > kBlockSize) flush();
    return buffer_.get() + size_;
  }
  void advance(const char* end) { size_ = static_cast<std::size_t>(end - buffer_.get()); }
  // Hands everything buffered to the sink.
  void flush();

 private:
  static constexpr std::size_t kBlockSize = 1 << 16;

  void append(char c) {
    *room(1) = c;
    ++size_;
  }
  void append(std::string_view text);
  // The character `text` starts with, or U+FFFD for bytes that are none; returns the bytes taken.
  std::size_t appendCharacter(std::string_view text);

  ByteSink& sink_;
  std::unique_ptr<char[]> buffer_;
  std::size_t size_ = 0;
};

}  // namespace trelvox
