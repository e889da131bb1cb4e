#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "outputs/text/number_text.h"

namespace trelvox {

// A short text of at most 31 characters in a fixed buffer, so that a value can be turned into text
// without allocating. Appends past the capacity are dropped.
class ValueText {
 public:
  static constexpr std::size_t kCapacity = 31;

  ValueText() = default;
  ValueText(const ValueText&) = delete;
  ValueText& operator=(const ValueText&) = delete;

  void clear() { size_ = 0; }
  void append(char c) {
    if (size_ < kCapacity) chars_[size_++] = c;
  }
  void append(std::string_view text) {
    const std::size_t count = std::min(text.size(), kCapacity - size_);
    std::copy_n(text.data(), count, chars_.data() + size_);
    size_ += count;
  }
  // Appends the decimal digits of n, at least `minDigits` of them (leading zeros).
  void appendNumber(std::uint64_t n, int minDigits = 1) {
    const int digits = decimalDigitCount(n);
    appendRepeated('0', minDigits - digits);
    std::array<char, 20> room;
    writeDigits(room.data(), n, digits);
    append({room.data(), static_cast<std::size_t>(digits)});
  }
  // Appends `count` copies of c.
  void appendRepeated(char c, int count) {
    for (int i = 0; i < count; ++i) append(c);
  }

  std::string_view view() const { return {chars_.data(), size_}; }
  std::size_t size() const { return size_; }

 private:
  std::array<char, kCapacity> chars_{};
  std::size_t size_ = 0;
};

}  // namespace trelvox
