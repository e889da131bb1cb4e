#include "outputs/xml_text.h"

#include <array>
#include <charconv>

namespace trelvox {

XmlWriter& XmlWriter::raw(std::string_view text) {
  buffer_.append(text);
  if (buffer_.size() >= kBlockSize) flush();
  return *this;
}

XmlWriter& XmlWriter::escaped(std::string_view text) {
  for (const char c : text) {
    switch (c) {
      case '&':
        buffer_.append("&amp;");
        break;
      case '<':
        buffer_.append("&lt;");
        break;
      case '>':
        buffer_.append("&gt;");
        break;
      case '"':
        buffer_.append("&quot;");
        break;
      case '\'':
        buffer_.append("&apos;");
        break;
      default:
        const bool control = static_cast<unsigned char>(c) < 0x20 && c != '\t';
        buffer_.push_back(control ? '?' : c);
    }
  }
  return raw({});
}

XmlWriter& XmlWriter::number(double value, int decimals) {
  std::array<char, 64> room;
  const auto result = std::to_chars(room.data(), room.data() + room.size(), value,
                                    std::chars_format::fixed, decimals);
  return raw({room.data(), static_cast<std::size_t>(result.ptr - room.data())});
}

void XmlWriter::flush() {
  sink_.write(buffer_);
  buffer_.clear();
}

}  // namespace trelvox
