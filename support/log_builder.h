#pragma once

#include <cstdint>
#include <deque>
#include <filesystem>
#include <fstream>
#include <span>
#include <vector>

#include "conversion/decoder_registry.h"
#include "conversion/log_format.h"

namespace trelvox {

// Builds the bytes of a flight log (information file and data file) from what a test or a
// generator says it holds: which sensor sits where, and what each record carries.
class LogBuilder {
 public:
  class Record {
   public:
    Record& time(std::uint32_t t) {
      put(0, static_cast<std::uint8_t>(t >> 24));
      put(1, static_cast<std::uint8_t>(t >> 16));
      put(2, static_cast<std::uint8_t>(t >> 8));
      put(3, static_cast<std::uint8_t>(t));
      return *this;
    }
    // Channel k (1-16) as a signed 16-bit word.
    Record& channel(int k, std::int16_t v) {
      const auto u = static_cast<std::uint16_t>(v);
      return bytesAt(kTimeSize + 2 * static_cast<std::size_t>(k - 1), u >> 8, u & 0xFF);
    }
    // The word of slot `slot` (group 0; 32 and up reach group 1), big-endian.
    Record& word(int slot, std::uint16_t v) { return bytes(slot, v >> 8, v & 0xFF); }
    // The two bytes of a slot word in file order.
    Record& bytes(int slot, int first, int second) {
      return bytesAt(kTimeSize + kChannelBytes + 2 * static_cast<std::size_t>(slot), first, second);
    }
    // Fills all 64 slot words with changing values (a linear congruential sequence from `seed`)
    // that carry `setBits`, such as the bits decoders take as "fresh data".
    Record& noise(std::uint32_t& seed, std::uint16_t setBits) {
      for (int s = 0; s < 2 * kSlotsPerGroup; ++s) {
        seed = seed * 1103515245u + 12345u;
        word(s, static_cast<std::uint16_t>((seed >> 16) | setBits));
      }
      return *this;
    }
    const std::array<std::uint8_t, kRecordSize>& raw() const { return bytes_; }

   private:
    Record& bytesAt(std::size_t offset, int first, int second) {
      put(offset, static_cast<std::uint8_t>(first));
      put(offset + 1, static_cast<std::uint8_t>(second));
      return *this;
    }
    void put(std::size_t offset, std::uint8_t b) { bytes_[offset] = b; }
    std::array<std::uint8_t, kRecordSize> bytes_{};
  };

  // A sensor of `typeId` starting at `firstSlot` of group 0, over as many slots as its type
  // occupies (those past slot 31 are not in the map).
  LogBuilder& sensor(int firstSlot, int typeId) {
    const int slots = std::max(slotsOccupied(typeId), 1);
    for (int slot = firstSlot; slot < firstSlot + slots && slot < kSlotsPerGroup; ++slot) {
      entry(0, slot, typeId, firstSlot);
    }
    return *this;
  }
  // Several sensors two slots apart from slot 1 on, for logs that must hold more sensors than a
  // group has room for: each sensor's first two slots are its own, its further words are shared
  // with the sensors after it.
  LogBuilder& sensorsTwoSlotsApart(std::span<const int> typeIds) {
    int slot = 1;
    for (int typeId : typeIds) {
      entry(0, slot, typeId, slot).entry(0, slot + 1, typeId, slot);
      slot += 2;
    }
    return *this;
  }
  // One raw slot-map entry.
  LogBuilder& entry(int group, int slot, int typeId, int firstSlotByte) {
    const std::size_t offset = kInfoHeaderSize + 2 * static_cast<std::size_t>(32 * group + slot);
    info_[offset] = static_cast<std::uint8_t>(typeId);
    info_[offset + 1] = static_cast<std::uint8_t>(firstSlotByte);
    return *this;
  }
  // Appends a record; its time is 100 units after the previous one unless the test sets it.
  Record& record() {
    records_.emplace_back();
    records_.back().time(static_cast<std::uint32_t>(100 * (records_.size() - 1)));
    return records_.back();
  }
  // The same record as the last one (readings repeat unless the test changes them).
  Record& repeat() {
    Record copy = records_.back();
    records_.push_back(copy);
    return records_.back().time(static_cast<std::uint32_t>(100 * (records_.size() - 1)));
  }

  std::vector<std::uint8_t> infoBytes() const { return {info_.begin(), info_.end()}; }
  std::vector<std::uint8_t> dataBytes() const {
    std::vector<std::uint8_t> data;
    data.reserve(records_.size() * kRecordSize);
    for (const Record& r : records_) data.insert(data.end(), r.raw().begin(), r.raw().end());
    return data;
  }
  std::size_t recordCount() const { return records_.size(); }

  // Writes BASE.KLI and BASE.KLD.
  void writeFiles(const std::filesystem::path& base) const {
    writeFile(std::filesystem::path(base) += ".KLI", infoBytes());
    writeFile(std::filesystem::path(base) += ".KLD", dataBytes());
  }
  static void writeFile(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
  }

 private:
  std::array<std::uint8_t, kInfoFileSize> info_{};
  std::deque<Record> records_;
};

}  // namespace trelvox
