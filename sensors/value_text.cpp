#include "sensors/value_text.h"

namespace trelvox {

std::string_view formatDecimal(std::uint64_t n, std::span<char, kMaxDecimalDigits> digits) {
  char* const end = digits.data() + digits.size();
  char* first = end;
  do {
    *--first = static_cast<char>('0' + n % 10);
    n /= 10;
  } while (n != 0);
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

void ValueText::appendRepeated(char c, int count) {
  if (count <= 0) return;
  const std::size_t n = std::min(static_cast<std::size_t>(count), kCapacity - size_);
  std::memset(chars_.data() + size_, c, n);
  size_ += n;
}

void writeNoValue(ValueText& text) {
  text.clear();
  text.append("---");
}

}  // namespace trelvox
