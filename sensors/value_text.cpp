#include "sensors/value_text.h"

namespace trelvox {

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
