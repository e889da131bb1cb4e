#pragma once

#include <cstddef>
#include <string_view>

namespace trelvox {

// The first character of `text` (not empty) if it is well-formed UTF-8 and a character XML
// allows; else the bytes that one U+FFFD stands for: a byte that begins no character, the start of
// one cut short, or U+FFFE/U+FFFF. The track files, the report page and the JSON writer count
// stray bytes alike, so a name from a Linux file system (any bytes) reads the same in all of them.
struct Utf8Start {
  std::size_t size;
  bool isCharacter;
};
Utf8Start utf8Start(std::string_view text);

// U+FFFD in UTF-8.
inline constexpr std::string_view kReplacementCharacter = "\xEF\xBF\xBD";

}  // namespace trelvox
