#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>

namespace trelvox {

// Raw bytes to read, from a file or from memory. read fills as much of `into` as the source still
// holds and returns how many bytes it delivered: fewer than asked means the end was reached. A
// failure of the device throws TelemetryLogException.
class ByteSource {
 public:
  virtual ~ByteSource() = default;
  virtual std::size_t read(std::span<std::uint8_t> into) = 0;
};

class MemorySource final : public ByteSource {
 public:
  explicit MemorySource(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

  std::size_t read(std::span<std::uint8_t> into) override {
    const std::size_t count = std::min(into.size(), bytes_.size() - position_);
    if (count > 0) std::memcpy(into.data(), bytes_.data() + position_, count);
    position_ += count;
    return count;
  }

 private:
  std::span<const std::uint8_t> bytes_;
  std::size_t position_ = 0;
};

}  // namespace trelvox
