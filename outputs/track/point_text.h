#pragma once

#include <array>
#include <cstdint>
#include <cstring>
#include <string_view>

namespace trelvox {

// A short text kept by value, so a point a writer keeps for later stays whole.
struct PointText {
  std::array<char, 24> bytes{};
  std::uint8_t size = 0;

  std::string_view view() const { return {bytes.data(), size}; }
  // Writes the text at `out`, which has room for all of `bytes` (a copy of fixed size is cheaper);
  // returns the text's end.
  char* copyTo(char* out) const {
    std::memcpy(out, bytes.data(), bytes.size());
    return out + size;
  }
  // Lets `write` (char* -> char* end) fill the text.
  template <typename Write>
  void fill(Write write) {
    size = static_cast<std::uint8_t>(write(bytes.data()) - bytes.data());
  }
};

}  // namespace trelvox
