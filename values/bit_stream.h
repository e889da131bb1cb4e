#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "values/sensor_words.h"

namespace trelvox {

// Some sensors pack their fields across word boundaries: the bytes of their words, in file order,
// form one bit stream in which stream bit n is bit (n mod 8) of byte (n div 8). The stream's
// `Bytes` bytes are read out of the record once, eight at a time, into 64-bit numbers that stay in
// registers; each field is then a shift and a mask, or two where it spans two of them.
template <std::size_t Bytes>
class BitStream {
 public:
  explicit BitStream(const SensorWords& words) {
    for (std::size_t first = 0; first + 8 <= Bytes; first += 8) {
      numbers_[first / 8] = words.littleEndianBytes<8>(first);
    }
    if constexpr (Bytes % 8 != 0) {
      numbers_[kNumbers - 1] = words.littleEndianBytes<Bytes % 8>(Bytes - Bytes % 8);
    }
  }

  // The unsigned field of `width` bits (at most 32) starting at stream bit `firstBit`.
  std::uint32_t field(int firstBit, int width) const {
    const auto index = static_cast<std::size_t>(firstBit / 64);
    const int shift = firstBit % 64;
    std::uint64_t bits = numbers_[index] >> shift;
    if (shift + width > 64 && index + 1 < kNumbers) bits |= numbers_[index + 1] << (64 - shift);
    const std::uint64_t mask = (std::uint64_t{1} << width) - 1;
    return static_cast<std::uint32_t>(bits & mask);
  }

  bool bit(int n) const { return field(n, 1) != 0; }

 private:
  static constexpr std::size_t kNumbers = (Bytes + 7) / 8;

  std::array<std::uint64_t, kNumbers> numbers_{};
};

}  // namespace trelvox
