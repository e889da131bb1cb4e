#pragma once

#include <cstdint>
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
  // written as \u003c, so no text can close the element or open a comment.
  PageText& jsonString(std::string_view text);
  // Text content of an HTML element or attribute value.
  PageText& htmlText(std::string_view text);
  // Hands everything buffered to the sink.
  void flush();

 private:
  void flushWhenFull();

  ByteSink& sink_;
  std::string block_;
};

// A unit as the decoders spell it (the maker's Shift-JIS degree signs) in UTF-8.
std::string unitInUtf8(std::string_view unit);

}  // namespace trelvox
