#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "values/sensor_words.h"

namespace trelvox {

// One record of the data file (.KLD): time, 16 channel words and the slot words, all big-endian.
inline constexpr std::size_t kTimeSize = 4;
inline constexpr int kChannelCount = 16;
inline constexpr std::size_t kChannelBytes = kChannelCount * 2;
inline constexpr std::size_t kRecordSize = kTimeSize + kChannelBytes + kSlotWordBytes;

// The big-endian time and channel words at the start of a record.
inline std::uint32_t recordTimeAt(const std::uint8_t* bytes) {
  return static_cast<std::uint32_t>(bytes[0]) << 24 | static_cast<std::uint32_t>(bytes[1]) << 16 |
         static_cast<std::uint32_t>(bytes[2]) << 8 | bytes[3];
}
// Channel k, 1 to 16, as a signed 16-bit number.
inline std::int16_t recordChannelAt(const std::uint8_t* bytes, int k) {
  const std::size_t offset = kTimeSize + 2 * static_cast<std::size_t>(k - 1);
  return static_cast<std::int16_t>(bytes[offset] << 8 | bytes[offset + 1]);
}

// Sticks move a few channels at a time, so outputs pass over a group of channels whose words are
// those of the record before: group g (0 to 3) is channels 4g + 1 to 4g + 4, read as one number
// that is only ever compared.
inline constexpr int kChannelsPerGroup = 4;
inline constexpr int kChannelGroups = kChannelCount / kChannelsPerGroup;
inline std::uint64_t recordChannelGroupAt(const std::uint8_t* bytes, int group) {
  std::uint64_t words = 0;
  std::memcpy(&words, bytes + kTimeSize + sizeof words * static_cast<std::size_t>(group),
              sizeof words);
  return words;
}

// The time and the sixteen channel words, as a record stores them.
struct RecordHead {
  std::array<std::uint8_t, kTimeSize + kChannelBytes> bytes{};

  std::uint32_t time() const { return recordTimeAt(bytes.data()); }
  std::int16_t channel(int k) const { return recordChannelAt(bytes.data(), k); }
  std::uint64_t channelGroup(int group) const { return recordChannelGroupAt(bytes.data(), group); }
};

class DataRecord {
 public:
  std::array<std::uint8_t, kRecordSize>& bytes() { return bytes_; }

  RecordHead head() const {
    RecordHead head;
    std::memcpy(head.bytes.data(), bytes_.data(), head.bytes.size());
    return head;
  }
  std::uint32_t time() const { return recordTimeAt(bytes_.data()); }
  std::int16_t channel(int k) const { return recordChannelAt(bytes_.data(), k); }
  std::uint64_t channelGroup(int group) const { return recordChannelGroupAt(bytes_.data(), group); }
  SlotWords slotWords() const {
    return SlotWords(bytes_.data() + kTimeSize + kChannelBytes, kSlotWordBytes);
  }

 private:
  std::array<std::uint8_t, kRecordSize> bytes_{};
};

}  // namespace trelvox
