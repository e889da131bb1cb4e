#include "outputs/text/unit_text.h"

#include <string_view>

#include "values/column.h"

namespace trelvox {
namespace {

struct UnitSpelling {
  std::string_view shiftJis;
  std::string_view utf8;
};

constexpr UnitSpelling kNonAsciiUnits[] = {
    {kCelsiusSign, "\u00B0C"},
    {"\x81\x8B", "\u00B0"},
    {"\xDF"
     "C",
     "\u00B0C"},  // a half-width katakana mark standing in for the degree sign
};

}  // namespace

std::string unitInUtf8(const char* unit) {
  const std::string_view text = unit;
  for (const UnitSpelling& spelling : kNonAsciiUnits) {
    if (text == spelling.shiftJis) return std::string(spelling.utf8);
  }
  std::string ascii(text);
  for (char& c : ascii) {
    if (static_cast<unsigned char>(c) >= 0x80) c = '?';
  }
  return ascii;
}

}  // namespace trelvox
