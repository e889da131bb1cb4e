#include "outputs/xml_text.h"

#include <algorithm>
#include <array>

#include "outputs/number_text.h"
#include "outputs/utf8_text.h"
#include "values/geo_point.h"

namespace trelvox {

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
        raw(character.isCharacter ? text.substr(0, size) : kReplacementCharacter);
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
