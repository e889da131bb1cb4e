#include "outputs/xml_text.h"

#include <algorithm>
#include <array>

#include "outputs/number_text.h"
#include "values/geo_point.h"

namespace trelvox {
namespace {

// The first character of `text` (not empty) if it is well-formed UTF-8 and a character XML
// allows; else the bytes that one U+FFFD stands for: a byte that begins no character, the start of
// one cut short, or U+FFFE/U+FFFF. The JSON writer counts stray bytes alike, so a name reads the
// same in both files.
struct Utf8Start {
  std::size_t size;
  bool isXmlCharacter;
};

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
  const bool xmlCharacter = !(lead == 0xEF && byte(1) == 0xBF && byte(2) >= 0xBE);
  return {size, xmlCharacter};
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
  while (!text.empty()) {
    const char c = text.front();
    std::size_t size = 1;
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
        if (static_cast<unsigned char>(c) < 0x20) {
          raw(c == '\t' ? std::string_view("\t") : std::string_view("?"));
          break;
        }
        // A name from a Linux file system may hold any bytes; the file is declared UTF-8.
        const Utf8Start character = utf8Start(text);
        size = character.size;
        raw(character.isXmlCharacter ? text.substr(0, size) : std::string_view("\xEF\xBF\xBD"));
    }
    text.remove_prefix(size);
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
