#include "outputs/text/utf8_text.h"

namespace trelvox {

Utf8Start utf8Start(std::string_view text) {
  const auto byte = [text](std::size_t i) { return static_cast<unsigned char>(text[i]); };
  const unsigned char lead = byte(0);
  if (lead < 0x80) return {1, true};
  std::size_t size = 0;
  // The range of the second byte; later ones are 80..BF. The limits leave out overlong forms,
  // UTF-16 surrogates and code points past U+10FFFF.
  unsigned char low = 0x80;
  unsigned char high = 0xBF;
  if (lead >= 0xC2 && lead <= 0xDF) {
    size = 2;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    size = 3;
    if (lead == 0xE0) low = 0xA0;
    if (lead == 0xED) high = 0x9F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    size = 4;
    if (lead == 0xF0) low = 0x90;
    if (lead == 0xF4) high = 0x8F;
  } else {
    return {1, false};
  }
  for (std::size_t i = 1; i < size; ++i) {
    if (i == text.size() || byte(i) < low || byte(i) > high) return {i, false};
    low = 0x80;
    high = 0xBF;
  }
  // U+FFFE and U+FFFF are well-formed but no XML character.
  const bool character = !(lead == 0xEF && byte(1) == 0xBF && byte(2) >= 0xBE);
  return {size, character};
}

std::size_t appendCharacter(BlockWriter& out, std::string_view text) {
  const Utf8Start character = utf8Start(text);
  out.append(character.isCharacter ? text.substr(0, character.size) : kReplacementCharacter);
  return character.size;
}

void appendMarkupText(BlockWriter& out, std::string_view text, Markup markup) {
  for (std::size_t size = 1; !text.empty(); text.remove_prefix(size), size = 1) {
    const char c = text.front();
    switch (c) {
      case '&':
        out.append("&amp;");
        break;
      case '<':
        out.append("&lt;");
        break;
      case '>':
        out.append("&gt;");
        break;
      case '"':
        out.append("&quot;");
        break;
      case '\'':
        out.append(markup == Markup::kXml ? "&apos;" : "&#39;");
        break;
      default:
        if (markup == Markup::kXml && static_cast<unsigned char>(c) < 0x20 && c != '\t') {
          out.append('?');
        } else {
          size = appendCharacter(out, text);
        }
    }
  }
}

}  // namespace trelvox
