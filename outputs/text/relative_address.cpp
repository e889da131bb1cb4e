#include "outputs/text/relative_address.h"

namespace trelvox {

std::string relativeAddress(std::string_view path) {
  constexpr char kHex[] = "0123456789ABCDEF";
  const auto unreserved = [](char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
           std::string_view("-._~/").find(c) != std::string_view::npos;
  };
  std::string address;
  for (const char c : path) {
    const auto byte = static_cast<unsigned char>(c);
    if (unreserved(c)) {
      address += c;
    } else {
      address += '%';
      address += kHex[byte >> 4];
      address += kHex[byte & 0xF];
    }
  }
  return address;
}

}  // namespace trelvox
