#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "values/data_record.h"

namespace trelvox {

// The information file (.KLI): a 4-byte header nothing interprets, then the slot map.
inline constexpr std::size_t kInfoHeaderSize = 4;
inline constexpr std::size_t kSlotMapSize = kSlotGroups * kSlotsPerGroup * 2;
inline constexpr std::size_t kInfoFileSize = kInfoHeaderSize + kSlotMapSize;

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

}  // namespace trelvox
