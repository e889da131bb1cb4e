#pragma once

#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>

#include "values/sensor_words.h"

namespace trelvox {

// Some sensors pack their fields across word boundaries: the bytes of their words, in file order,
// form one bit stream in which stream bit n is bit (n mod 8) of byte (n div 8). The stream's
// `Bytes` bytes are copied out of the record once; each field is then one eight-byte load, a shift
// and a mask.
template <std::size_t Bytes>
class BitStream {
 public:
  explicit BitStream(const SensorWords& words) { words.bytes({bytes_.data(), Bytes}); }

  // The unsigned field of `width` bits (at most 32) starting at stream bit `firstBit`.
  std::uint32_t field(int firstBit, int width) const {
    // Shifted by 7 bits at most, a field of 32 lies within the eight bytes from its first.
    std::uint64_t eight;
    std::memcpy(&eight, bytes_.data() + firstBit / 8, sizeof eight);
    if constexpr (std::endian::native == std::endian::big) eight = byteSwapped(eight);
    const std::uint64_t mask = (std::uint64_t{1} << width) - 1;
    return static_cast<std::uint32_t>(eight >> (firstBit % 8) & mask);
  }

  bool bit(int n) const { return field(n, 1) != 0; }

 private:
  // std::byteswap, before C++23.
  static constexpr std::uint64_t byteSwapped(std::uint64_t value) {
    std::uint64_t swapped = 0;
    for (int i = 0; i < 8; ++i, value >>= 8) swapped = swapped << 8 | (value & 0xFF);
    return swapped;
  }

  // Seven bytes of zeros past the stream give the last field's load room.
  std::array<std::uint8_t, Bytes + 7> bytes_{};
};

}  // namespace trelvox
