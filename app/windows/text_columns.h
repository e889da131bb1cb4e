#pragma once

#include <cstddef>
#include <string_view>

namespace trelvox {

// Whether a character is East Asian Wide or Fullwidth (CJK ideographs, kana, Hangul, fullwidth
// forms, most emoji): drawn about twice as wide as a Latin letter.
bool isWide(char32_t character);

// The columns a UTF-8 text takes: two for each wide character, one for any other and for each
// byte that is no character.
std::size_t columnsOf(std::string_view text);

}  // namespace trelvox
