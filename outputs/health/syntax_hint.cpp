#include "outputs/health/syntax_hint.h"

#include <algorithm>

namespace trelvox {
namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }
bool isLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool isContinuationByte(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

// Line `line` (from 1) of `text`, without its line break; empty past the end.
std::string_view lineAt(std::string_view text, int line) {
  for (int l = 1; l < line; ++l) {
    const std::size_t end = text.find('\n');
    if (end == std::string_view::npos) return {};
    text.remove_prefix(end + 1);
  }
  text = text.substr(0, text.find('\n'));
  if (text.ends_with('\r')) text.remove_suffix(1);
  return text;
}

// The byte at which character `column` (from 1) of `line` begins; the line's end past it.
std::size_t byteAt(std::string_view line, int column) {
  std::size_t index = 0;
  for (int c = 1; c < column && index < line.size(); ++c) {
    ++index;
    while (index < line.size() && isContinuationByte(line[index])) ++index;
  }
  return index;
}

int columnAt(std::string_view line, std::size_t index) {
  const auto characters = std::count_if(line.begin(), line.begin() + static_cast<long>(index),
                                        [](char c) { return !isContinuationByte(c); });
  return static_cast<int>(characters) + 1;
}

LimitsFault hintAt(LimitsFaultKind kind, int line, int column, std::string_view written,
                   std::string suggestion) {
  return {.kind = kind,
          .line = line,
          .column = column,
          .written = std::string(written),
          .suggestion = std::move(suggestion)};
}

// The number whose decimal comma is the comma at `comma` in `text`, if it is one: a digit on
// either side.
std::optional<LimitsFault> decimalCommaAt(std::string_view text, std::size_t comma, int line) {
  if (comma == 0 || comma + 1 >= text.size() || text[comma] != ',' || !isDigit(text[comma - 1]) ||
      !isDigit(text[comma + 1])) {
    return std::nullopt;
  }
  std::size_t begin = comma;
  while (begin > 0 && isDigit(text[begin - 1])) --begin;
  if (begin > 0 && (text[begin - 1] == '-' || text[begin - 1] == '+')) --begin;
  std::size_t end = comma + 1;
  while (end < text.size() && isDigit(text[end])) ++end;
  const std::string_view written = text.substr(begin, end - begin);
  std::string withPoint(written);
  withPoint[comma - begin] = '.';
  return hintAt(LimitsFaultKind::kDecimalComma, line, columnAt(text, begin), written,
                std::move(withPoint));
}

std::string inQuotes(std::string_view text) {
  std::string quoted = "\"";
  quoted.append(text);
  return quoted.append("\"");
}

std::string_view trimmedRight(std::string_view text) {
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  return text;
}

// A value that opens a quote and has no closing one on its line.
std::optional<LimitsFault> unclosedQuote(std::string_view text, std::size_t valueBegin, int line) {
  const char quote = text[valueBegin];
  if (quote != '"' && quote != '\'') return std::nullopt;
  std::size_t at = valueBegin + 1;
  if (text.substr(valueBegin, 3) == std::string(3, quote)) return std::nullopt;  // multi-line
  while (at < text.size() && text[at] != quote) at += (quote == '"' && text[at] == '\\') ? 2 : 1;
  if (at < text.size()) return std::nullopt;
  const std::string_view written = trimmedRight(text.substr(valueBegin + 1));
  return hintAt(LimitsFaultKind::kMissingQuote, line, columnAt(text, valueBegin), written,
                inQuotes(written));
}

// A word without quotes where a value begins: RECEIVER for "RECEIVER".
std::optional<LimitsFault> bareWord(std::string_view text, std::size_t at, int line) {
  if (at >= text.size() || !isLetter(text[at])) return std::nullopt;
  const std::size_t end = std::min(text.find_first_of(",]}#", at), text.size());
  const std::string_view written = trimmedRight(text.substr(at, end - at));
  return hintAt(LimitsFaultKind::kMissingQuote, line, columnAt(text, at), written,
                inQuotes(written));
}

}  // namespace

std::optional<LimitsFault> syntaxHint(std::string_view text, TextPlace place) {
  const std::string_view line = lineAt(text, place.line);
  const std::size_t at = byteAt(line, place.column);
  if (auto comma = decimalCommaAt(line, at, place.line)) return comma;
  const std::size_t equals = line.find('=');
  if (equals == std::string_view::npos || at <= equals) return std::nullopt;
  const std::size_t valueBegin = line.find_first_not_of(" \t", equals + 1);
  if (valueBegin == std::string_view::npos) return std::nullopt;
  if (auto quote = unclosedQuote(line, valueBegin, place.line)) return quote;
  return bareWord(line, at, place.line);
}

std::optional<LimitsFault> decimalCommaWithin(std::string_view text, TextPlace from, TextPlace to) {
  for (int l = from.line; l <= to.line; ++l) {
    const std::string_view line = lineAt(text, l);
    const std::size_t begin = l == from.line ? byteAt(line, from.column) : 0;
    const std::size_t end = l == to.line ? byteAt(line, to.column) : line.size();
    for (std::size_t at = begin; at < end; ++at) {
      if (auto comma = decimalCommaAt(line, at, l)) return comma;
    }
  }
  return std::nullopt;
}

}  // namespace trelvox
