#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "support/log_builder.h"
#include "values/sensor_words.h"

namespace trelvox {

// The words of a sensor that packs its fields as one bit stream (stream bit n is bit n mod 8 of
// byte n div 8, bytes in file order), built from field values so that a test reads like the
// situation it sets up.
template <std::size_t Words>
class StreamBytes {
 public:
  StreamBytes& field(int firstBit, int width, std::uint32_t value) {
    for (int i = 0; i < width; ++i) setBit(firstBit + i, (value >> i & 1) != 0);
    return *this;
  }
  StreamBytes& flag(int bit, bool on) { return field(bit, 1, on ? 1 : 0); }

  // Writes the words from `firstSlot` on into a record: a LogBuilder record or RecordWords.
  template <typename Record>
  void into(Record& record, int firstSlot) const {
    for (std::size_t k = 0; k < Words; ++k) {
      record.bytes(firstSlot + static_cast<int>(k), bytes_[2 * k], bytes_[2 * k + 1]);
    }
  }

 private:
  void setBit(int n, bool on) {
    std::uint8_t& byte = bytes_[static_cast<std::size_t>(n / 8)];
    const auto mask = static_cast<std::uint8_t>(1u << (n % 8));
    byte = static_cast<std::uint8_t>(on ? byte | mask : byte & ~mask);
  }

  std::array<std::uint8_t, 2 * Words> bytes_{};
};

// A record of the bit-stream GPS at `slot` with a valid position (1/10000 minute of arc, negative
// south and west) at a UTC time of day.
inline void addStreamGpsRecord(LogBuilder& log, int slot, std::int32_t latitude,
                               std::int32_t longitude, std::uint32_t secondsOfDay) {
  const auto magnitude = [](std::int32_t v) { return static_cast<std::uint32_t>(v < 0 ? -v : v); };
  StreamBytes<8>()
      .field(0, 17, secondsOfDay)
      .field(17, 26, magnitude(latitude))
      .flag(43, latitude < 0)
      .field(44, 27, magnitude(longitude))
      .flag(71, longitude < 0)
      .flag(81, true)
      .into(log.record(), slot);
}

}  // namespace trelvox
