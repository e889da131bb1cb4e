#include "sensors/value_text.h"

namespace trelvox {

void ValueText::appendNumber(std::uint64_t n, int minDigits) {
  char digits[20];
  int count = 0;
  do {
    digits[count++] = static_cast<char>('0' + n % 10);
    n /= 10;
  } while (n != 0);
  appendRepeated('0', minDigits - count);
  while (count > 0) append(digits[--count]);
}

void ValueText::appendSigned(std::int64_t n) {
  if (n < 0) append('-');
  // Negating through unsigned arithmetic keeps the smallest int64 well defined.
  const std::uint64_t magnitude =
      n < 0 ? 0 - static_cast<std::uint64_t>(n) : static_cast<std::uint64_t>(n);
  appendNumber(magnitude);
}

void ValueText::appendRepeated(char c, int count) {
  for (int i = 0; i < count; ++i) append(c);
}

void writeNoValue(ValueText& text) {
  text.clear();
  text.append("---");
}

}  // namespace trelvox
