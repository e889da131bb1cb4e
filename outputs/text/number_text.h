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

// Writes n, which has at most `count` decimal digits, as exactly `count` digits (leading zeros)
// ending at `end`.
template <typename Unsigned>
inline void writeDigitsBefore(char* end, Unsigned n, int count) {
  while (count >= 2) {
    std::memcpy(end - 2, &kDigitPairs[static_cast<std::size_t>(n % 100) * 2], 2);
    n /= 100;
    end -= 2;
    count -= 2;
  }
  if (count == 1) end[-1] = static_cast<char>('0' + n);  // n < 10: it has `count` digits at most
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

// "   0" to "9999": the integer parts of most readings, already right-aligned in four characters.
inline constexpr auto kPaddedFourDigits = [] {
  std::array<std::array<char, 4>, 10000> texts{};
  for (std::size_t n = 0; n < texts.size(); ++n) {
    std::size_t rest = n;
    for (std::size_t i = 4; i-- > 0; rest /= 10) texts[n][i] = static_cast<char>('0' + rest % 10);
    // Leading zeros become blanks; the last digit stays, so 0 reads "   0".
    for (std::size_t i = 0; i < 3 && texts[n][i] == '0'; ++i) texts[n][i] = ' ';
  }
  return texts;
}();

// The eight characters of n < 10^8 right-aligned behind blanks, as one word in memory order
// (the first character in the lowest byte).
[[gnu::always_inline]] inline std::uint64_t paddedEightDigits(std::uint64_t n) {
  const auto high = static_cast<std::size_t>(n / 10000);
  const auto low = static_cast<std::size_t>(n % 10000);
  std::uint32_t left = 0x20202020;  // four blanks
  std::uint32_t right = 0;
  if (high == 0) {
    std::memcpy(&right, kPaddedFourDigits[low].data(), 4);
  } else {
    std::memcpy(&left, kPaddedFourDigits[high].data(), 4);
    std::uint16_t pair = 0;
    std::memcpy(&pair, &kDigitPairs[low / 100 * 2], 2);
    right = pair;
    std::memcpy(&pair, &kDigitPairs[low % 100 * 2], 2);
    right |= std::uint32_t{pair} << 16;
  }
  return std::uint64_t{left} | std::uint64_t{right} << 32;
}

// The separator and `decimals` digits of `fraction`, which has `scale` digits (leading zeros): the
// first of them when there are fewer decimals, zeros after them when there are more.
[[gnu::always_inline]] inline char* writeFraction(char* out, std::uint64_t fraction,
                                                  std::int8_t scale, std::uint8_t decimals,
                                                  char decimalSeparator) {
  if (decimals == 0) return out;
  *out++ = decimalSeparator;
  if (scale == 1 && decimals == 1) {
    *out++ = static_cast<char>('0' + fraction);
    return out;
  }
  if (scale == 2 && decimals == 2) {
    std::memcpy(out, &kDigitPairs[static_cast<std::size_t>(fraction) * 2], 2);
    return out + 2;
  }
  const int shown = scale <= 0 ? 0 : (decimals < scale ? decimals : scale);
  if (shown > 0) {
    out = writeDigits(out, fraction / kPowersOfTen[static_cast<std::size_t>(scale - shown)], shown);
  }
  for (int i = shown; i < decimals; ++i) *out++ = '0';
  return out;
}

// The text of number * 10^-scale laid out by `format`: the integer part with its sign
// right-aligned in format.width characters; digits that need more room widen the text rather than
// being dropped; then format.decimals digits, cut rather than rounded, after `decimalSeparator`.
// A blank sign position is only padding: it goes when the digits need the room. Writes at most
// 22 + format.decimals characters, and may scribble up to 16 bytes past `out` before the end it
// returns.
// Always inlined, like the two above: the CSV rows call it with each usual layout as constants,
// and a copy the compiler keeps out of line costs the call, the spills and every branch on them.
[[gnu::always_inline]] inline char* writeNumber(char* out, std::int64_t number, std::int8_t scale,
                                                ValueFormat format, char decimalSeparator) {
  const std::uint64_t magnitude =
      number < 0 ? 0 - static_cast<std::uint64_t>(number) : static_cast<std::uint64_t>(number);
  std::uint64_t whole = magnitude;
  std::uint64_t fraction = 0;
  // The usual scales divide by constants, which costs a multiplication instead of a division.
  switch (scale) {
    case 0:
      break;
    case 1:
      whole = magnitude / 10;
      fraction = magnitude % 10;
      break;
    case 2:
      whole = magnitude / 100;
      fraction = magnitude % 100;
      break;
    default:
      if (scale > 0) {
        whole = magnitude / kPowersOfTen[static_cast<std::size_t>(scale)];
        fraction = magnitude % kPowersOfTen[static_cast<std::size_t>(scale)];
      } else {
        whole = magnitude * kPowersOfTen[static_cast<std::size_t>(-scale)];
      }
  }
  const char sign = number < 0 ? '-' : (format.plusSign && number > 0 ? '+' : '\0');
  const int signWidth = sign != '\0' ? 1 : 0;
  const int width = format.width;

  // Integer parts of up to eight digits (all but the rarest) are put together right-aligned in
  // one 64-bit word, four digits at a time, and stored with their padding: going through a
  // scratch block instead reads back what was just stored in pieces, which stalls the processor.
  if (std::endian::native == std::endian::little && whole < 100000000 && width <= 16) {
    const int digits = decimalDigitCount(whole);
    std::uint64_t text = paddedEightDigits(whole);
    // The blank before the digits takes the sign; eight digits leave none.
    if (sign != '\0' && digits < 8) {
      text ^= static_cast<std::uint64_t>(' ' ^ static_cast<unsigned char>(sign))
              << (8 * (7 - digits));
    }
    const int length = digits + signWidth > width ? digits + signWidth : width;
    if (length < 8) {
      text >>= 8 * (8 - length);
      std::memcpy(out, &text, 8);
    } else {
      std::memcpy(out, "                ", 16);
      std::memcpy(out + length - 8, &text, 8);
      if (sign != '\0' && digits == 8) out[length - 9] = sign;
    }
    return writeFraction(out + length, fraction, scale, format.decimals, decimalSeparator);
  }

  const int digits = decimalDigitCount(whole);
  for (int i = digits + signWidth; i < width; ++i) *out++ = ' ';
  if (sign != '\0') *out++ = sign;
  out = writeDigits(out, whole, digits);
  return writeFraction(out, fraction, scale, format.decimals, decimalSeparator);
}

}  // namespace trelvox
