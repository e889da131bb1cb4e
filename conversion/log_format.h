#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "sensors/sensor_data.h"

namespace trelvox {

// The information file (.KLI): a 4-byte header nothing interprets, then the slot map.
inline constexpr std::size_t kInfoHeaderSize = 4;
inline constexpr std::size_t kSlotMapSize = kSlotGroups * kSlotsPerGroup * 2;
inline constexpr std::size_t kInfoFileSize = kInfoHeaderSize + kSlotMapSize;

// The data file (.KLD): records of time, 16 channel words and the slot words, all big-endian.
inline constexpr std::size_t kTimeSize = 4;
inline constexpr int kChannelCount = 16;
inline constexpr std::size_t kChannelBytes = kChannelCount * 2;
inline constexpr std::size_t kRecordSize = kTimeSize + kChannelBytes + kSlotWordBytes;

// Which sensor type sits in which slot. Each of the 2 x 32 entries holds a type ID and the number
// of the first slot of the sensor the slot belongs to; a sensor starts where an entry names its own
// slot as first slot.
class SlotMap {
 public:
  std::array<std::uint8_t, kSlotMapSize>& bytes() { return bytes_; }

  int typeId(int group, int slot) const { return bytes_[offset(group, slot)]; }
  int firstSlot(int group, int slot) const { return bytes_[offset(group, slot) + 1] & 0x1F; }
  bool isFirstSlot(int group, int slot) const { return firstSlot(group, slot) == slot; }

 private:
  static std::size_t offset(int group, int slot) {
    return static_cast<std::size_t>(2 * (kSlotsPerGroup * group + slot));
  }
  std::array<std::uint8_t, kSlotMapSize> bytes_{};
};

// One data record as read from the file.
class DataRecord {
 public:
  std::array<std::uint8_t, kRecordSize>& bytes() { return bytes_; }

  std::uint32_t time() const {
    return static_cast<std::uint32_t>(bytes_[0]) << 24 |
           static_cast<std::uint32_t>(bytes_[1]) << 16 |
           static_cast<std::uint32_t>(bytes_[2]) << 8 | bytes_[3];
  }
  // Channel k, 1 to 16, as a signed 16-bit number.
  std::int16_t channel(int k) const {
    const std::size_t offset = kTimeSize + 2 * static_cast<std::size_t>(k - 1);
    return static_cast<std::int16_t>(bytes_[offset] << 8 | bytes_[offset + 1]);
  }
  SlotWords slotWords() const {
    return SlotWords(bytes_.data() + kTimeSize + kChannelBytes, kSlotWordBytes);
  }

 private:
  std::array<std::uint8_t, kRecordSize> bytes_{};
};

}  // namespace trelvox
