#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string_view>
#include <vector>

#include "outputs/text/block_writer.h"

namespace trelvox {

// The head of a page up to its title's text, around its language code. The policy lets nothing be
// fetched: no request can leave the page, whatever a name in it says.
inline constexpr std::string_view kPageHead = "<!DOCTYPE html>\n<html lang=\"";
inline constexpr std::string_view kPageHeadAfterLanguage =
    "\">\n<head>\n<meta charset=\"utf-8\">\n"
    "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n"
    "<meta http-equiv=\"Content-Security-Policy\" content=\"default-src 'none'; "
    "script-src 'unsafe-inline'; style-src 'unsafe-inline'; img-src data:\">\n"
    "<meta name=\"generator\" content=\"Trelvox\">\n<title>";

// The report page's bytes on their way to the sink, handed over in blocks. Texts that come from
// outside (file names, sensor words) only ever enter through htmlText or jsonString, which escape
// them for where they land.
class PageText : private BlockWriter {
 public:
  explicit PageText(ByteSink& sink) : BlockWriter(sink) {}

  // Page markup or an embedded asset, as it is.
  PageText& raw(std::string_view text) {
    append(text);
    return *this;
  }
  PageText& number(std::int64_t n);
  // A JSON string literal (quotes included) that is also safe inside a <script> element: '<' is
  // written as \u003c, so no text can close the element or open a comment. Here and in htmlText,
  // bytes that are not UTF-8 become U+FFFD: the page is UTF-8, a file name may be any bytes.
  PageText& jsonString(std::string_view text);
  // Text content of an HTML element or attribute value.
  PageText& htmlText(std::string_view text);
  // Room for `count` more bytes (at most kRoomLimit); write there, then pass the end to advance.
  static constexpr std::size_t kRoomLimit = 64;
  using BlockWriter::advance;
  using BlockWriter::room;
  // Hands everything buffered to the sink.
  using BlockWriter::flush;
};

// A JSON element of a page's texts, under the id the script reads it by.
struct PageTexts {
  std::string_view id;
  std::string_view json;
};

// What a page is besides its title and data: its own style and script, which follow the charts'
// and the shared ones, and its texts.
struct PageParts {
  std::string_view style;
  std::vector<PageTexts> texts;
  std::string_view dataId;
  std::string_view script;
};

// A whole self-contained page in `languageCode`: the head, the title `writeTitle` writes, the
// styles, the texts, the data `writeData` writes and the scripts.
void writePage(PageText& text, std::string_view languageCode, const PageParts& parts,
               const std::function<void()>& writeTitle, const std::function<void()>& writeData);

}  // namespace trelvox
