#include "outputs/text/xml_text.h"

#include "outputs/text/number_text.h"
#include "outputs/text/utf8_text.h"
#include "values/geo_point.h"

namespace trelvox {

XmlWriter& XmlWriter::escaped(std::string_view text) {
  appendMarkupText(*this, text, Markup::kXml);
  return *this;
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
