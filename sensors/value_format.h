#pragma once

#include <cstdint>

namespace trelvox {

// How one item's reading is written: an optional sign position, the width of the integer part
// (sign position included), the number of decimals and the unit. The unit travels with the format
// for displays outside the CSV; it is never written into the CSV.
struct ValueFormat {
  std::uint8_t signMode = 0;  // 0: none, 1: '-' or blank, 2: '+', '-' or blank for zero
  std::uint8_t width = 6;
  std::uint8_t decimals = 0;
  std::uint8_t fourthCount = 0;  // carried along for displays; nothing here reads it
  const char* unit = "";
};

// One column of a decoder: its header name, the decimal scale of its raw numbers and its format.
struct ItemSpec {
  const char* name;
  int scale;
  ValueFormat format;
};

// The degree-Celsius sign in the maker's code page (Shift-JIS), the unit of most temperatures.
inline constexpr const char* kCelsiusSign = "\x81\x8E";

}  // namespace trelvox
