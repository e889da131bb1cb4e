#include "sensors/geo_point.h"

#include <cmath>

namespace trelvox {
namespace {

void writeCoordinateText(std::int32_t coordinate, char positive, char negative, ValueText& text) {
  text.clear();
  if (coordinate == GeoPoint::kNoCoordinate) return writeNoValue(text);
  const std::int64_t magnitude =
      coordinate < 0 ? -static_cast<std::int64_t>(coordinate) : coordinate;
  const std::int64_t degrees = magnitude / GeoPoint::kUnitsPerDegree;
  const std::int64_t rest = magnitude % GeoPoint::kUnitsPerDegree;
  text.append(coordinate < 0 ? negative : positive);
  text.appendRepeated(' ', degrees < 10 ? 2 : degrees < 100 ? 1 : 0);
  text.appendNumber(static_cast<std::uint64_t>(degrees));
  text.append(':');
  text.appendNumber(static_cast<std::uint64_t>(rest / 10000), 2);
  text.append('.');
  text.appendNumber(static_cast<std::uint64_t>(rest % 10000), 4);
}

// DISTANCE has always been computed with this value of pi (not the full-precision one) and these
// radii; keeping them keeps every distance the same to the metre.
constexpr double kPi = 3.141592653;
constexpr double kPolarRadius = 6356752.314245;
constexpr double kEquatorialRadius = 6378137.0;

double inDegrees(std::int32_t coordinate) { return coordinate / 600000.0; }

}  // namespace

double groundDistance(const GeoPoint& from, const GeoPoint& to) {
  const double fromLatitude = inDegrees(from.latitude);
  const double toLatitude = inDegrees(to.latitude);
  const double meanLatitude = (fromLatitude + toLatitude) / 2.0;
  const double metresPerLatitudeDegree = 2.0 * kPi * kPolarRadius / 360.0;
  const double metresPerLongitudeDegree =
      (2.0 * kPi * kEquatorialRadius / 360.0) * std::cos(meanLatitude * kPi / 180.0);
  const double dy = std::fabs(toLatitude - fromLatitude) * metresPerLatitudeDegree;
  const double dx =
      std::fabs(inDegrees(to.longitude) - inDegrees(from.longitude)) * metresPerLongitudeDegree;
  return std::sqrt(dy * dy + dx * dx);
}

void writeLatitudeText(std::int32_t latitude, ValueText& text) {
  writeCoordinateText(latitude, 'N', 'S', text);
}

void writeLongitudeText(std::int32_t longitude, ValueText& text) {
  writeCoordinateText(longitude, 'E', 'W', text);
}

void writePositionFields(RowWriter& out, const GeoPoint& position) {
  out.textField([&](ValueText& text) { writeLatitudeText(position.latitude, text); });
  out.textField([&](ValueText& text) { writeLongitudeText(position.longitude, text); });
}

void writePositionNames(RowWriter& out) {
  out.field("LATITUDE");
  out.field("LONGITUDE");
}

std::int32_t coordinateFromDegreesAndMinutes(std::uint16_t first, std::uint16_t second) {
  const std::int32_t degrees = first >> 8;
  const std::int32_t minutes = (first & 0x000F) * 65536 + second;
  const std::int32_t coordinate = degrees * GeoPoint::kUnitsPerDegree + minutes;
  return (first & 0x0010) ? -coordinate : coordinate;
}

}  // namespace trelvox
