#include "sensors/value_text.h"

namespace trelvox {

namespace {

// "00" to "99": two digits per division, the formatting of every number in every row.
constexpr std::array<char, 200> kDigitPairs = [] {
  std::array<char, 200> pairs{};
  for (std::size_t i = 0; i < 100; ++i) {
    pairs[2 * i] = static_cast<char>('0' + i / 10);
    pairs[2 * i + 1] = static_cast<char>('0' + i % 10);
  }
  return pairs;
}();

// Readings fit 32 bits almost always, and 32-bit division is much cheaper than 64-bit.
template <typename Unsigned>
char* writeDigitsBackwards(Unsigned n, char* end) {
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

}  // namespace

std::string_view formatDecimal(std::uint64_t n, std::span<char, kMaxDecimalDigits> digits) {
  char* const end = digits.data() + digits.size();
  char* const first = n <= UINT32_MAX ? writeDigitsBackwards(static_cast<std::uint32_t>(n), end)
                                      : writeDigitsBackwards(n, end);
  return {first, static_cast<std::size_t>(end - first)};
}

void ValueText::appendNumber(std::uint64_t n, int minDigits) {
  std::array<char, kMaxDecimalDigits> buffer;
  const std::string_view digits = formatDecimal(n, buffer);
  appendRepeated('0', minDigits - static_cast<int>(digits.size()));
  append(digits);
}

void ValueText::appendSigned(std::int64_t n) {
  if (n < 0) append('-');
  // Negating through unsigned arithmetic keeps the smallest int64 well defined.
  const std::uint64_t magnitude =
      n < 0 ? 0 - static_cast<std::uint64_t>(n) : static_cast<std::uint64_t>(n);
  appendNumber(magnitude);
}

void writeNoValue(ValueText& text) {
  text.clear();
  text.append("---");
}

}  // namespace trelvox
