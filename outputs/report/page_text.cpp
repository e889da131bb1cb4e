#include "outputs/report/page_text.h"

#include <charconv>

#include "outputs/report/report_assets.h"
#include "outputs/text/utf8_text.h"

namespace trelvox {

PageText& PageText::number(std::int64_t n) {
  char* out = room(kRoomLimit);
  advance(std::to_chars(out, out + kRoomLimit, n).ptr);
  return *this;
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
      size = appendCharacter(*this, text);
    }
  }
  append('"');
  return *this;
}

PageText& PageText::htmlText(std::string_view text) {
  appendMarkupText(*this, text, Markup::kHtml);
  return *this;
}

void writePage(PageText& text, std::string_view languageCode, const PageParts& parts,
               const std::function<void()>& writeTitle, const std::function<void()>& writeData) {
  text.raw(kPageHead).raw(languageCode).raw(kPageHeadAfterLanguage);
  writeTitle();
  text.raw("</title>\n<style>").raw(report_assets::kChartStyle).raw("</style>\n<style>");
  text.raw(report_assets::kBaseStyle).raw(parts.style).raw("</style>\n</head>\n<body>\n");
  for (const PageTexts& texts : parts.texts) {
    text.raw("<script type=\"application/json\" id=\"").raw(texts.id).raw("\">");
    text.raw(texts.json).raw("</script>\n");
  }
  text.raw("<script type=\"application/json\" id=\"").raw(parts.dataId).raw("\">");
  writeData();
  text.raw("</script>\n<script>").raw(report_assets::kChartScript);
  text.raw("</script>\n<script>").raw(report_assets::kBaseScript);
  text.raw("</script>\n<script>").raw(parts.script);
  text.raw("</script>\n</body>\n</html>\n");
  text.flush();
}

}  // namespace trelvox
