#pragma once

#include <cstdint>
#include <limits>

#include "values/column.h"

namespace trelvox {

// A position in 1/10000 of a minute of arc (600000 per degree), negative for south and west.
// A coordinate that never arrived holds kNoCoordinate.
struct GeoPoint {
  static constexpr std::int32_t kNoCoordinate = std::numeric_limits<std::int32_t>::max();
  static constexpr std::int32_t kUnitsPerDegree = 600000;

  std::int32_t latitude = kNoCoordinate;
  std::int32_t longitude = kNoCoordinate;

  bool hasLatitude() const { return latitude != kNoCoordinate; }
  bool hasLongitude() const { return longitude != kNoCoordinate; }
  bool isComplete() const { return hasLatitude() && hasLongitude(); }
  // A receiver without a fix may report latitude 0 and call it valid: such a point is nowhere to
  // draw a track through or measure distances from.
  bool isFix() const { return isComplete() && latitude != 0; }
  // A fix a map can show: the fields have room for latitudes past the poles and longitudes past
  // the date line, which a garbled record may hold and which track files may not.
  bool isOnTheMap() const {
    constexpr std::int32_t kPole = 90 * kUnitsPerDegree;
    constexpr std::int32_t kDateLine = 180 * kUnitsPerDegree;
    return isFix() && latitude >= -kPole && latitude <= kPole && longitude >= -kDateLine &&
           longitude <= kDateLine;
  }
};

// A coordinate in signed decimal degrees.
inline double inDegrees(std::int32_t coordinate) {
  return coordinate / static_cast<double>(GeoPoint::kUnitsPerDegree);
}

// Degrees east from longitude `from` to `to` (both in degrees) the short way round: a flight over
// the date line goes on east or west of the start, not round the world.
inline double degreesEast(double from, double to) {
  const double east = to - from;
  return east > 180 ? east - 360 : east < -180 ? east + 360 : east;
}

// One coordinate of a point as a text column's value.
inline ColumnValue coordinateValue(const GeoPoint& point, bool latitude) {
  const std::int32_t coordinate = latitude ? point.latitude : point.longitude;
  return {.number = coordinate, .present = coordinate != GeoPoint::kNoCoordinate};
}

// The distance in metres between two complete positions over a flat patch of an ellipsoidal
// earth: degrees of latitude measured on the polar radius, degrees of longitude (the short way
// round) on the equatorial radius scaled by the cosine of the mean latitude.
double groundDistance(const GeoPoint& from, const GeoPoint& to);

// A coordinate sent as degrees in the high byte of a first word, the hemisphere in bit 4 of its low
// byte and a 20-bit count of 1/10000 minute in its low four bits and the second word.
std::int32_t coordinateFromDegreesAndMinutes(std::uint16_t first, std::uint16_t second);

}  // namespace trelvox
