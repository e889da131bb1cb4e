#pragma once

#include <algorithm>
#include <array>
#include <charconv>
#include <string>

namespace trelvox {

// A double as the shortest decimal text that reads back as the same double, never with an
// exponent: 100000, not 1e+05; 5.2, not 5.2000000000000002; 120 without a fraction. The one text
// of a double for the JSON's numbers, the logbook's and the limits a pilot wrote.
inline std::string decimalText(double value, char decimalSeparator = '.') {
  // Room for any double in full: 1e308 has 309 digits, 5e-324 a point and 324 decimals.
  std::array<char, 340> room;
  const auto written =
      std::to_chars(room.data(), room.data() + room.size(), value, std::chars_format::fixed);
  std::replace(room.data(), written.ptr, '.', decimalSeparator);
  return {room.data(), written.ptr};
}

}  // namespace trelvox
