#pragma once

#include <cstdint>
#include <limits>
#include <type_traits>

namespace trelvox {

// The width and signedness in which a sensor sends an item. It fixes how readings compare and the
// item's no-reading mark: the largest value of the element type.
enum class Element : std::uint8_t { kSigned16, kUnsigned16, kSigned32, kUnsigned32 };

template <typename T>
constexpr Element elementOf() {
  if constexpr (std::is_same_v<T, std::int16_t>) return Element::kSigned16;
  if constexpr (std::is_same_v<T, std::uint16_t>) return Element::kUnsigned16;
  if constexpr (std::is_same_v<T, std::int32_t>) return Element::kSigned32;
  static_assert(std::is_same_v<T, std::int16_t> || std::is_same_v<T, std::uint16_t> ||
                    std::is_same_v<T, std::int32_t> || std::is_same_v<T, std::uint32_t>,
                "readings are 16- or 32-bit integers");
  return Element::kUnsigned32;
}

constexpr std::int64_t noReadingMark(Element element) {
  switch (element) {
    case Element::kSigned16:
      return std::numeric_limits<std::int16_t>::max();
    case Element::kUnsigned16:
      return std::numeric_limits<std::uint16_t>::max();
    case Element::kSigned32:
      return std::numeric_limits<std::int32_t>::max();
    case Element::kUnsigned32:
      break;
  }
  return std::numeric_limits<std::uint32_t>::max();
}

}  // namespace trelvox
