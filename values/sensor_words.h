#pragma once

#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>
#include <type_traits>

namespace trelvox {

// The 128 slot-word bytes of one data record: 2 groups x 32 slots x 2 bytes, group 0 first, each
// word's two bytes in file order.
inline constexpr int kSlotsPerGroup = 32;
inline constexpr int kSlotGroups = 2;
inline constexpr std::size_t kSlotWordBytes = kSlotGroups * kSlotsPerGroup * 2;
using SlotWords = std::span<const std::uint8_t, kSlotWordBytes>;

// A read-only view of one sensor's words in the current record. Word k is the word of slot
// first + k of group 0; a sensor near the end of group 0 runs on into group 1's words. Words past
// the end of the record read as zero.
class SensorWords {
 public:
  SensorWords(SlotWords words, int firstSlot) : words_(words), firstSlot_(firstSlot) {}

  // Byte b (0 = first in the file) of word k.
  std::uint8_t byte(int k, int b) const {
    const std::size_t offset = static_cast<std::size_t>(2 * (firstSlot_ + k) + b);
    return offset < words_.size() ? words_[offset] : 0;
  }
  std::uint8_t high(int k) const { return byte(k, 0); }
  std::uint8_t low(int k) const { return byte(k, 1); }
  // Word k read big-endian: the first byte in the file is the high byte.
  std::uint16_t value(int k) const {
    return static_cast<std::uint16_t>(byte(k, 0) << 8 | byte(k, 1));
  }
  // Words 0 to N - 1 read big-endian, checking the bounds once where they all lie within them.
  template <std::size_t N>
  void values(std::array<std::uint16_t, N>& out) const {
    const std::uint8_t* const raw = allInRecord(2 * N);
    if (raw == nullptr) {
      for (std::size_t k = 0; k < N; ++k) out[k] = value(static_cast<int>(k));
      return;
    }
    for (std::size_t k = 0; k < N; ++k) {
      out[k] = static_cast<std::uint16_t>(raw[2 * k] << 8 | raw[2 * k + 1]);
    }
  }
  // Bytes `first` to first + Count - 1 of the words in file order (Count at most 8) as one number,
  // byte `first` in its lowest eight bits. Put together in a register: storing the bytes and
  // loading them back as one wider word stalls the processor.
  template <std::size_t Count>
  std::uint64_t littleEndianBytes(std::size_t first) const {
    static_assert(Count <= 8);
    const std::uint8_t* const raw = allInRecord(first + Count);
    if (std::endian::native == std::endian::little && raw != nullptr) {
      return loadedLittleEndian<Count>(raw + first);
    }
    std::uint64_t number = 0;
    for (std::size_t b = first; b < first + Count; ++b) {
      number |= std::uint64_t{byte(static_cast<int>(b / 2), static_cast<int>(b % 2))}
                << (8 * (b - first));
    }
    return number;
  }
  // Word k read little-endian: the second byte in the file is the high byte.
  std::uint16_t littleEndianValue(int k) const {
    return static_cast<std::uint16_t>(byte(k, 1) << 8 | byte(k, 0));
  }

 private:
  // The words' first `count` bytes, where they all lie within the record; null where they do not.
  const std::uint8_t* allInRecord(std::size_t count) const {
    const auto first = static_cast<std::size_t>(2 * firstSlot_);
    return firstSlot_ >= 0 && first + count <= words_.size() ? words_.data() + first : nullptr;
  }

  // Count bytes at `bytes` in as few loads as their count allows (8, then 4, 2, 1), on a
  // little-endian machine.
  template <std::size_t Count>
  static std::uint64_t loadedLittleEndian(const std::uint8_t* bytes) {
    constexpr std::size_t kHead = Count >= 8 ? 8 : Count >= 4 ? 4 : Count >= 2 ? 2 : 1;
    using Head = std::conditional_t<
        kHead == 8, std::uint64_t,
        std::conditional_t<kHead == 4, std::uint32_t,
                           std::conditional_t<kHead == 2, std::uint16_t, std::uint8_t>>>;
    Head head;
    std::memcpy(&head, bytes, kHead);
    if constexpr (Count == kHead) {
      return head;
    } else {
      return head | loadedLittleEndian<Count - kHead>(bytes + kHead) << (8 * kHead);
    }
  }

  SlotWords words_;
  int firstSlot_;
};

// Two ways sensors fit a 15-bit signed number and a flag bit into one word.

// Sign in bit 15, a flag in bit 14: the flag is replaced by a copy of the sign.
inline std::int16_t signed15SignInBit15(std::uint16_t w) {
  const auto folded = static_cast<std::uint16_t>((w & ~0x4000u) | ((w & 0x8000u) >> 1));
  return static_cast<std::int16_t>(folded);
}

// Bits 0-14 a two's-complement number with its sign in bit 14, a flag in bit 15: the flag is
// dropped.
inline std::int16_t signed15SignInBit14(std::uint16_t w) {
  return static_cast<std::int16_t>((w & 0x3FFF) - (w & 0x4000));
}

}  // namespace trelvox
