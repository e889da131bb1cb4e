#pragma once

#include <cstdint>

#include "values/sensor_words.h"

namespace trelvox {

// Some sensors pack their fields across word boundaries: the bytes of their words, in file order,
// form one bit stream in which stream bit n is bit (n mod 8) of byte (n div 8). Returns the
// unsigned field of `width` bits (at most 32) starting at stream bit `firstBit`.
inline std::uint32_t streamField(const SensorWords& words, int firstBit, int width) {
  const int firstByte = firstBit / 8;
  const int lastByte = (firstBit + width - 1) / 8;
  std::uint64_t gathered = 0;
  for (int b = lastByte; b >= firstByte; --b) gathered = gathered << 8 | words.byte(b / 2, b % 2);
  const std::uint64_t mask = (std::uint64_t{1} << width) - 1;
  return static_cast<std::uint32_t>(gathered >> (firstBit % 8) & mask);
}

inline bool streamBit(const SensorWords& words, int bit) { return streamField(words, bit, 1) != 0; }

}  // namespace trelvox
