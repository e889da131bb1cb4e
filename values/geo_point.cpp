#include "values/geo_point.h"

#include <cmath>

namespace trelvox {
namespace {

// DISTANCE has always been computed with this value of pi (not the full-precision one) and these
// radii; keeping them keeps every distance the same to the metre.
constexpr double kPi = 3.141592653;
constexpr double kPolarRadius = 6356752.314245;
constexpr double kEquatorialRadius = 6378137.0;

// Degrees of longitude between two longitudes the short way round: a flight over the date line is
// metres from its start, not most of the way round the world. Garbled positions may lie past the
// date line, so the difference is first brought within a turn.
double longitudeDegreesApart(double from, double to) {
  const double apart = std::fmod(std::fabs(to - from), 360.0);
  return apart > 180.0 ? 360.0 - apart : apart;
}

}  // namespace

double groundDistance(const GeoPoint& from, const GeoPoint& to) {
  const double fromLatitude = inDegrees(from.latitude);
  const double toLatitude = inDegrees(to.latitude);
  const double meanLatitude = (fromLatitude + toLatitude) / 2.0;
  const double metresPerLatitudeDegree = 2.0 * kPi * kPolarRadius / 360.0;
  const double metresPerLongitudeDegree =
      (2.0 * kPi * kEquatorialRadius / 360.0) * std::cos(meanLatitude * kPi / 180.0);
  const double dy = std::fabs(toLatitude - fromLatitude) * metresPerLatitudeDegree;
  const double dx = longitudeDegreesApart(inDegrees(from.longitude), inDegrees(to.longitude)) *
                    metresPerLongitudeDegree;
  return std::sqrt(dy * dy + dx * dx);
}

std::int32_t coordinateFromDegreesAndMinutes(std::uint16_t first, std::uint16_t second) {
  const std::int32_t degrees = first >> 8;
  const std::int32_t minutes = (first & 0x000F) * 65536 + second;
  const std::int32_t coordinate = degrees * GeoPoint::kUnitsPerDegree + minutes;
  return (first & 0x0010) ? -coordinate : coordinate;
}

}  // namespace trelvox
