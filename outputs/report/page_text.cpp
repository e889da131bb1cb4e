#include "outputs/report/page_text.h"

#include <array>
#include <charconv>

namespace trelvox {
namespace {

constexpr std::size_t kBlockSize = 1 << 16;

struct UnitSpelling {
  std::string_view shiftJis;
  std::string_view utf8;
};

// The degree signs of the maker's code page: "℃", "°" and the half-width "ﾟ" before a "C".
constexpr UnitSpelling kUnitSpellings[] = {
    {"\x81\x8E", "\u2103"}, {"\x81\x8B", "\u00B0"}, {"\xDF", "\u00B0"}};

}  // namespace

PageText::PageText(ByteSink& sink) : sink_(sink) { block_.reserve(kBlockSize + 64); }

PageText& PageText::raw(std::string_view text) {
  if (text.size() >= kBlockSize) {
    flush();
    sink_.write(text);
    return *this;
  }
  block_.append(text);
  flushWhenFull();
  return *this;
}

PageText& PageText::number(std::int64_t n) {
  std::array<char, 24> digits;
  const auto result = std::to_chars(digits.data(), digits.data() + digits.size(), n);
  block_.append(digits.data(), result.ptr);
  flushWhenFull();
  return *this;
}

PageText& PageText::jsonString(std::string_view text) {
  constexpr char kHex[] = "0123456789abcdef";
  block_ += '"';
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      block_ += '\\';
      block_ += c;
    } else if (byte < 0x20 || c == '<') {
      block_.append("\\u00");
      block_ += kHex[byte >> 4];
      block_ += kHex[byte & 0xF];
    } else {
      block_ += c;
    }
  }
  block_ += '"';
  flushWhenFull();
  return *this;
}

PageText& PageText::htmlText(std::string_view text) {
  for (const char c : text) {
    switch (c) {
      case '&':
        block_.append("&amp;");
        break;
      case '<':
        block_.append("&lt;");
        break;
      case '>':
        block_.append("&gt;");
        break;
      case '"':
        block_.append("&quot;");
        break;
      case '\'':
        block_.append("&#39;");
        break;
      default:
        block_ += c;
    }
  }
  flushWhenFull();
  return *this;
}

void PageText::flush() {
  if (block_.empty()) return;
  sink_.write(block_);
  block_.clear();
}

void PageText::flushWhenFull() {
  if (block_.size() >= kBlockSize) flush();
}

std::string unitInUtf8(std::string_view unit) {
  std::string text;
  while (!unit.empty()) {
    bool replaced = false;
    for (const UnitSpelling& spelling : kUnitSpellings) {
      if (unit.starts_with(spelling.shiftJis)) {
        text.append(spelling.utf8);
        unit.remove_prefix(spelling.shiftJis.size());
        replaced = true;
        break;
      }
    }
    if (!replaced) {
      // Any other byte of the code page has no meaning here; ASCII passes as it is.
      text += static_cast<unsigned char>(unit.front()) < 0x80 ? unit.front() : '?';
      unit.remove_prefix(1);
    }
  }
  return text;
}

}  // namespace trelvox
