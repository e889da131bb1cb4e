#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

namespace trelvox {

inline constexpr std::size_t kMaxDecimalDigits = 20;

// Copies a few bytes. Field texts are a handful of characters, for which a plain loop beats a
// call into the library's general copy.
inline void copyShort(const char* from, std::size_t count, char* to) {
  for (std::size_t i = 0; i < count; ++i) to[i] = from[i];
}

// "00" to "99": two digits per division, the formatting of every number in every row.
inline constexpr std::array<char, 200> kDigitPairs = [] {
  std::array<char, 200> pairs{};
  for (std::size_t i = 0; i < 100; ++i) {
    pairs[2 * i] = static_cast<char>('0' + i / 10);
    pairs[2 * i + 1] = static_cast<char>('0' + i % 10);
  }
  return pairs;
}();

// Readings fit 32 bits almost always, and 32-bit division is much cheaper than 64-bit.
template <typename Unsigned>
inline char* writeDigitsBackwards(Unsigned n, char* end) {
  while (n >= 100) {
    const auto pair = static_cast<std::size_t>(n % 100) * 2;
    n /= 100;
    *--end = kDigitPairs[pair + 1];
    *--end = kDigitPairs[pair];
  }
  if (n >= 10) {
    const auto pair = static_cast<std::size_t>(n) * 2;
    *--end = kDigitPairs[pair + 1];
    *--end = kDigitPairs[pair];
  } else {
    *--end = static_cast<char>('0' + n);
  }
  return end;
}

// Writes the decimal digits of n at the end of `digits` and returns them.
inline std::string_view formatDecimal(std::uint64_t n, std::span<char, kMaxDecimalDigits> digits) {
  char* const end = digits.data() + digits.size();
  char* const first = n <= UINT32_MAX ? writeDigitsBackwards(static_cast<std::uint32_t>(n), end)
                                      : writeDigitsBackwards(n, end);
  return {first, static_cast<std::size_t>(end - first)};
}

// A short text of at most 31 characters in a fixed buffer, so that a value can be turned into text
// on the hot path without allocating. Appends past the capacity are dropped. The buffer is its own,
// or room of kCapacity characters that the row writer lends, so a field is written in place.
class ValueText {
 public:
  static constexpr std::size_t kCapacity = 31;

  ValueText() : chars_(own_.data()) {}
  explicit ValueText(char* lentRoom) : chars_(lentRoom) {}
  ValueText(const ValueText&) = delete;
  ValueText& operator=(const ValueText&) = delete;

  void clear() { size_ = 0; }
  void append(char c) {
    if (size_ < kCapacity) chars_[size_++] = c;
  }
  void append(std::string_view text) {
    const std::size_t count = std::min(text.size(), kCapacity - size_);
    copyShort(text.data(), count, chars_ + size_);
    size_ += count;
  }
  // Appends the decimal digits of n, at least `minDigits` of them (leading zeros).
  void appendNumber(std::uint64_t n, int minDigits = 1);
  // Appends the decimal text of n with a leading '-' when negative.
  void appendSigned(std::int64_t n);
  // Appends `count` copies of c.
  void appendRepeated(char c, int count) {
    if (count <= 0) return;
    const std::size_t n = std::min(static_cast<std::size_t>(count), kCapacity - size_);
    for (std::size_t i = 0; i < n; ++i) chars_[size_ + i] = c;
    size_ += n;
  }

  std::string_view view() const { return {chars_, size_}; }
  std::size_t size() const { return size_; }

 private:
  std::array<char, kCapacity> own_{};
  char* chars_;
  std::size_t size_ = 0;
};

inline void ValueText::appendNumber(std::uint64_t n, int minDigits) {
  std::array<char, kMaxDecimalDigits> buffer;
  const std::string_view digits = formatDecimal(n, buffer);
  appendRepeated('0', minDigits - static_cast<int>(digits.size()));
  append(digits);
}

// Fills `text` with the mark of a value that never arrived.
void writeNoValue(ValueText& text);

}  // namespace trelvox
