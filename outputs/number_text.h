#pragma once

// Digits written in place: every number of every CSV row goes through here, so these functions
// write straight into the caller's buffer, two digits per division, with no intermediate text.

#include <array>
#include <bit>
#include <cstdint>
#include <cstring>

#include "values/column.h"

namespace trelvox {

// "00" to "99".
inline constexpr std::array<char, 200> kDigitPairs = [] {
  std::array<char, 200> pairs{};
  for (std::size_t i = 0; i < 100; ++i) {
    pairs[2 * i] = static_cast<char>('0' + i / 10);
    pairs[2 * i + 1] = static_cast<char>('0' + i % 10);
  }
  return pairs;
}();

inline constexpr std::array<std::uint64_t, 20> kPowersOfTen = [] {
  std::array<std::uint64_t, 20> powers{};
  std::uint64_t p = 1;
  for (auto& power : powers) {
    power = p;
    p *= 10;
  }
  return powers;
}();

// How many decimal digits n has (1 for 0).
inline int decimalDigitCount(std::uint64_t n) {
  // bit_width * log10(2) (1233 / 4096), then one step of correction.
  const std::uint64_t m = n | 1;
  const int guess = static_cast<int>((std::bit_width(m) * 1233) >> 12);
  return guess + 1 - (m < kPowersOfTen[static_cast<std::size_t>(guess)] ? 1 : 0);
}

// Writes the `count` lowest decimal digits of n (leading zeros where n has fewer) ending at `end`.
template <typename Unsigned>
inline void writeDigitsBefore(char* end, Unsigned n, int count) {
  while (count >= 2) {
    std::memcpy(end - 2, &kDigitPairs[static_cast<std::size_t>(n % 100) * 2], 2);
    n /= 100;
    end -= 2;
    count -= 2;
  }
  if (count == 1) end[-1] = static_cast<char>('0' + n % 10);
}

// Writes n with exactly `count` digits at `out` and returns the end. 32-bit division is much
// cheaper than 64-bit, and readings almost always fit.
inline char* writeDigits(char* out, std::uint64_t n, int count) {
  if (n <= UINT32_MAX) {
    writeDigitsBefore(out + count, static_cast<std::uint32_t>(n), count);
  } else {
    writeDigitsBefore(out + count, n, count);
  }
  return out + count;
}

inline char* writeDigits(char* out, std::uint64_t n) {
  return writeDigits(out, n, decimalDigitCount(n));
}

// The text of number * 10^-scale laid out by `format` (see ValueFormat): the integer part with its
// sign right-aligned in format.width characters; digits that need more room widen the text
// rather than being dropped; then format.decimals digits, cut rather than rounded, after
// `decimalSeparator`. Writes at most 22 + format.decimals characters; returns the end.
inline char* writeNumber(char* out, std::int64_t number, std::int8_t scale, ValueFormat format,
                         char decimalSeparator) {
  const std::uint64_t magnitude =
      number < 0 ? 0 - static_cast<std::uint64_t>(number) : static_cast<std::uint64_t>(number);
  std::uint64_t whole = magnitude;
  std::uint64_t fraction = 0;
  if (scale > 0) {
    const std::uint64_t divisor = kPowersOfTen[static_cast<std::size_t>(scale)];
    whole = magnitude / divisor;
    fraction = magnitude % divisor;
  } else if (scale < 0) {
    whole = magnitude * kPowersOfTen[static_cast<std::size_t>(-scale)];
  }
  // A blank sign position is only padding: it goes when the digits need the room.
  const char sign = number < 0 ? '-' : (format.plusSign && number > 0 ? '+' : '\0');
  const int digits = decimalDigitCount(whole);
  const int padding = format.width - digits - (sign != '\0' ? 1 : 0);
  for (int i = 0; i < padding; ++i) *out++ = ' ';
  if (sign != '\0') *out++ = sign;
  out = writeDigits(out, whole, digits);
  if (format.decimals == 0) return out;

  *out++ = decimalSeparator;
  // The first `decimals` of the scale's fraction digits; any further ones are zeros.
  const int shown = scale <= 0 ? 0 : (format.decimals < scale ? format.decimals : scale);
  if (shown > 0) {
    out = writeDigits(out, fraction / kPowersOfTen[static_cast<std::size_t>(scale - shown)], shown);
  }
  for (int i = shown; i < format.decimals; ++i) *out++ = '0';
  return out;
}

}  // namespace trelvox
