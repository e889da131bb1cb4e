#pragma once

#include <cstddef>
#include <string_view>

#include "outputs/text/block_writer.h"

namespace trelvox {

// Texts from outside (file names, sensor words) on their way into the UTF-8 files: the track
// files, the report page and the JSON writer count stray bytes alike, so a name from a Linux file
// system (any bytes) reads the same in all of them.

// The first character of `text` (not empty) if it is well-formed UTF-8 and a character XML
// allows; else the bytes that one U+FFFD stands for: a byte that begins no character, the start of
// one cut short, or U+FFFE/U+FFFF.
struct Utf8Start {
  std::size_t size;
  bool isCharacter;
};
Utf8Start utf8Start(std::string_view text);

// U+FFFD in UTF-8.
inline constexpr std::string_view kReplacementCharacter = "\xEF\xBF\xBD";

// Appends the character `text` (not empty) starts with, or U+FFFD for the bytes that are none;
// returns the bytes of `text` taken.
std::size_t appendCharacter(BlockWriter& out, std::string_view text);

// Where XML and HTML text are escaped differently.
enum class Markup {
  // Control characters other than tab, which XML 1.0 forbids, become '?'; ' becomes &apos;.
  kXml,
  // Control characters stay, as HTML reads them; ' becomes &#39;, as HTML 4 knows no &apos;.
  kHtml,
};

// Appends `text` as the content of an element or an attribute value: & < > " ' as entities,
// bytes that are not UTF-8 as U+FFFD.
void appendMarkupText(BlockWriter& out, std::string_view text, Markup markup);

}  // namespace trelvox
