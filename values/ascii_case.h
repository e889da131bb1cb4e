#pragma once

#include <algorithm>
#include <string_view>

namespace trelvox {

// Case folding for the extensions of log files (".kld" is ".KLD") and the names a limits file
// gives sensors and items. Only ASCII letters fold, which is all those names need, so no byte of a
// multi-byte UTF-8 character is taken for a letter whatever the C locale says.
template <typename Char>
constexpr Char asciiLower(Char c) {
  return c >= Char{'A'} && c <= Char{'Z'} ? static_cast<Char>(c + (Char{'a'} - Char{'A'})) : c;
}

template <typename Char>
constexpr bool equalIgnoringAsciiCase(std::basic_string_view<Char> a,
                                      std::basic_string_view<Char> b) {
  return std::ranges::equal(a, b, [](Char x, Char y) { return asciiLower(x) == asciiLower(y); });
}

constexpr bool equalIgnoringAsciiCase(std::u8string_view a, std::u8string_view b) {
  return equalIgnoringAsciiCase<char8_t>(a, b);
}
constexpr bool equalIgnoringAsciiCase(std::string_view a, std::string_view b) {
  return equalIgnoringAsciiCase<char>(a, b);
}

}  // namespace trelvox
