#pragma once

// What the text at a fault's place shows the pilot meant, where the parser sees only a syntax
// error or a value of another kind: a decimal comma (4,8 for 4.8) or a text without its quotes.

#include <optional>
#include <string_view>

#include "outputs/health/limits_fault.h"

namespace trelvox {

// A place in the file's text, line and column from 1, the column counted in characters.
struct TextPlace {
  int line = 0;
  int column = 0;
};

// The hint for a syntax error that the parser met at `place`: a number with a decimal comma there,
// or a value that opens a quote and never closes it, or a bare word where a value begins. The
// fault (without its file) lies where the pilot's number or text begins; nothing when neither fits.
std::optional<LimitsFault> syntaxHint(std::string_view text, TextPlace place);

// A number with a decimal comma between `from` and `to` (a list read as more numbers than the
// pilot wrote); nothing when the list has none.
std::optional<LimitsFault> decimalCommaWithin(std::string_view text, TextPlace from, TextPlace to);

}  // namespace trelvox
