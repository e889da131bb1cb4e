#include "outputs/report/page_text.h"

#include <algorithm>
#include <charconv>

#include "outputs/utf8_text.h"

namespace trelvox {

PageText::PageText(ByteSink& sink) : sink_(sink), buffer_(new char[kBlockSize]) {}

void PageText::append(std::string_view text) {
  while (!text.empty()) {
    if (size_ == kBlockSize) flush();
    const std::size_t count = std::min(text.size(), kBlockSize - size_);
    std::copy_n(text.data(), count, buffer_.get() + size_);
    size_ += count;
    text.remove_prefix(count);
  }
}

PageText& PageText::raw(std::string_view text) {
  append(text);
  return *this;
}

PageText& PageText::number(std::int64_t n) {
  char* out = room(kRoomLimit);
  advance(std::to_chars(out, out + kRoomLimit, n).ptr);
  return *this;
}

std::size_t PageText::appendCharacter(std::string_view text) {
  const Utf8Start character = utf8Start(text);
  append(character.isCharacter ? text.substr(0, character.size) : kReplacementCharacter);
  return character.size;
}

PageText& PageText::jsonString(std::string_view text) {
  constexpr char kHex[] = "0123456789abcdef";
  append('"');
  for (std::size_t size = 1; !text.empty(); text.remove_prefix(size), size = 1) {
    const char c = text.front();
    const auto byte = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      append('\\');
      append(c);
    } else if (byte < 0x20 || c == '<') {
      append("\\u00");
      append(kHex[byte >> 4]);
      append(kHex[byte & 0xF]);
    } else if (byte < 0x80) {
      append(c);
    } else {
      size = appendCharacter(text);
    }
  }
  append('"');
  return *this;
}

PageText& PageText::htmlText(std::string_view text) {
  for (std::size_t size = 1; !text.empty(); text.remove_prefix(size), size = 1) {
    const char c = text.front();
    if (static_cast<unsigned char>(c) >= 0x80) {
      size = appendCharacter(text);
      continue;
    }
    switch (c) {
      case '&':
        append("&amp;");
        break;
      case '<':
        append("&lt;");
        break;
      case '>':
        append("&gt;");
        break;
      case '"':
        append("&quot;");
        break;
      case '\'':
        append("&#39;");
        break;
      default:
        append(c);
    }
  }
  return *this;
}

void PageText::flush() {
  if (size_ == 0) return;
  sink_.write({buffer_.get(), size_});
  size_ = 0;
}

}  // namespace trelvox
