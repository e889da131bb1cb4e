#pragma once

#include <algorithm>
#include <string_view>

namespace trelvox {

// Case folding for the extensions of log files (".kld" is ".KLD"). Only ASCII letters fold, which
// is all those names need, so no byte of a multi-byte UTF-8 character is taken for a letter
// whatever the C locale says.
constexpr char8_t asciiLower(char8_t c) {
  return c >= u8'A' && c <= u8'Z' ? static_cast<char8_t>(c + (u8'a' - u8'A')) : c;
}

constexpr bool equalIgnoringAsciiCase(std::u8string_view a, std::u8string_view b) {
  return std::ranges::equal(a, b,
                            [](char8_t x, char8_t y) { return asciiLower(x) == asciiLower(y); });
}

}  // namespace trelvox
