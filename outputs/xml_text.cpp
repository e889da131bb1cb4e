#include "outputs/xml_text.h"

#include <algorithm>
#include <array>
#include <optional>
#include <utility>

#include "outputs/number_text.h"
#include "values/geo_point.h"

namespace trelvox {
namespace {

constexpr std::string_view kReplacementCharacter = "\xEF\xBF\xBD";  // U+FFFD

// The range the second byte of a UTF-8 sequence may take after `lead`, which keeps out overlong
// forms, surrogates and code points past U+10FFFF; nothing for a byte that leads no sequence.
std::optional<std::pair<unsigned char, unsigned char>> secondByteRange(unsigned char lead) {
  if (lead < 0xC2 || lead > 0xF4) return std::nullopt;
  if (lead == 0xE0) return std::pair{0xA0, 0xBF};
  if (lead == 0xED) return std::pair{0x80, 0x9F};
  if (lead == 0xF0) return std::pair{0x90, 0xBF};
  if (lead == 0xF4) return std::pair{0x80, 0x8F};
  return std::pair{0x80, 0xBF};
}

// The bytes at the start of `text` (which starts with a byte from 0x80 up) that make one
// character XML allows (`valid`), or else the most of a sequence that could have begun one
// (at least one byte), which stands for one U+FFFD, as in the JSON file.
std::pair<std::size_t, bool> nonAsciiCharacter(std::string_view text) {
  const auto byte = [&text](std::size_t i) { return static_cast<unsigned char>(text[i]); };
  const auto range = secondByteRange(byte(0));
  if (!range) return {1, false};
  const std::size_t length = byte(0) < 0xE0 ? 2 : byte(0) < 0xF0 ? 3 : 4;
  for (std::size_t i = 1; i < length; ++i) {
    const auto [low, high] = i == 1 ? *range : std::pair<unsigned char, unsigned char>{0x80, 0xBF};
    if (i == text.size() || byte(i) < low || byte(i) > high) return {i, false};
  }
  // U+FFFE and U+FFFF are no characters of XML.
  const bool noCharacter = length == 3 && byte(0) == 0xEF && byte(1) == 0xBF && byte(2) >= 0xBE;
  return {length, !noCharacter};
}

}  // namespace

XmlWriter::XmlWriter(ByteSink& sink) : sink_(sink), block_(new char[kBlockSize + kMaxRoom]) {}

char* XmlWriter::room(std::size_t size) {
  if (used_ + std::min(size, kMaxRoom) > kBlockSize + kMaxRoom || used_ >= kBlockSize) flush();
  return block_.get() + used_;
}

XmlWriter& XmlWriter::raw(std::string_view text) {
  while (!text.empty()) {
    const std::size_t piece = std::min(text.size(), kMaxRoom);
    advance(writeText(room(piece), text.substr(0, piece)));
    text.remove_prefix(piece);
  }
  return *this;
}

XmlWriter& XmlWriter::escaped(std::string_view text) {
  for (std::size_t at = 0; at < text.size(); ++at) {
    const char c = text[at];
    if (static_cast<unsigned char>(c) >= 0x80) {
      const auto [length, valid] = nonAsciiCharacter(text.substr(at));
      raw(valid ? text.substr(at, length) : kReplacementCharacter);
      at += length - 1;
      continue;
    }
    switch (c) {
      case '&':
        raw("&amp;");
        break;
      case '<':
        raw("&lt;");
        break;
      case '>':
        raw("&gt;");
        break;
      case '"':
        raw("&quot;");
        break;
      case '\'':
        raw("&apos;");
        break;
      default:
        const bool control = static_cast<unsigned char>(c) < 0x20 && c != '\t';
        raw(control ? std::string_view("?") : std::string_view(&c, 1));
    }
  }
  return *this;
}

void XmlWriter::flush() {
  sink_.write({block_.get(), used_});
  used_ = 0;
}

char* writeCoordinate(char* out, std::int32_t units) {
  constexpr std::uint32_t kUnitsPerDegree = GeoPoint::kUnitsPerDegree;
  const std::uint32_t magnitude =
      units < 0 ? 0u - static_cast<std::uint32_t>(units) : static_cast<std::uint32_t>(units);
  const std::uint64_t rest = magnitude % kUnitsPerDegree;
  // Never reaches a whole degree: the largest rest gives 9999983.
  const std::uint64_t fraction =
      (rest * kPowersOfTen[kCoordinateDecimals] + kUnitsPerDegree / 2) / kUnitsPerDegree;
  if (units < 0) *out++ = '-';
  out = writeDigits(out, magnitude / kUnitsPerDegree);
  *out++ = '.';
  return writeDigits(out, fraction, kCoordinateDecimals);
}

char* writeReading(char* out, const Reading& reading) {
  if (!reading.present) return writeText(out, "0");
  const std::uint64_t magnitude = reading.number < 0
                                      ? 0 - static_cast<std::uint64_t>(reading.number)
                                      : static_cast<std::uint64_t>(reading.number);
  if (reading.number < 0) *out++ = '-';
  if (reading.scale <= 0) {
    // A negative scale stands for trailing zeros.
    return writeDigits(out, magnitude * kPowersOfTen[static_cast<std::size_t>(-reading.scale)]);
  }
  const std::uint64_t power = kPowersOfTen[static_cast<std::size_t>(reading.scale)];
  out = writeDigits(out, magnitude / power);
  *out++ = '.';
  return writeDigits(out, magnitude % power, reading.scale);
}

}  // namespace trelvox
