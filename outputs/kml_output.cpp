#include "outputs/kml_output.h"

#include <cmath>

#include "values/geo_point.h"

namespace trelvox {
namespace {

GeoPoint geoPointOf(const Position& position) {
  const auto units = [](double degrees) {
    return static_cast<std::int32_t>(std::lround(degrees * GeoPoint::kUnitsPerDegree));
  };
  return {units(position.latitude), units(position.longitude)};
}

}  // namespace

void KmlOutput::writeHead(const Decoder& sensor) {
  xml()
      .raw(
          "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
          "<kml xmlns=\"http://www.opengis.net/kml/2.2\">\n<Document>\n  <name>")
      .escaped(logName())
      .raw("</name>\n  <Placemark>\n    <name>")
      .escaped(sensorText(sensor))
      .raw(
          "</name>\n    <LineString>\n      <altitudeMode>relativeToGround</altitudeMode>\n"
          "      <coordinates>\n");
}

void KmlOutput::writePoint(const TrackPoint& point) {
  writeCoordinates(point);
  xml().raw("\n");

  if (!start_) start_ = Marked{point, 0.0};
  const double height = point.height.value_or(0.0);
  if (!highest_ || height > highest_->measure) highest_ = Marked{point, height};
  const double distance =
      groundDistance(geoPointOf(start_->point.position), geoPointOf(point.position));
  if (!farthest_ || distance > farthest_->measure) farthest_ = Marked{point, distance};
}

// "longitude,latitude,height" as KML orders them.
void KmlOutput::writeCoordinates(const TrackPoint& point) {
  xml()
      .number(point.position.longitude, kCoordinateDecimals)
      .raw(",")
      .number(point.position.latitude, kCoordinateDecimals)
      .raw(",")
      .number(point.height.value_or(0.0), 1);
}

void KmlOutput::writeMark(std::string_view name, const std::optional<Marked>& mark) {
  if (!mark) return;
  xml().raw("  <Placemark>\n    <name>").raw(name).raw("</name>\n");
  if (mark->point.time) {
    xml()
        .raw("    <TimeStamp><when>")
        .raw(utcTimeText(*mark->point.time))
        .raw("</when></TimeStamp>\n");
  }
  xml().raw(
      "    <Point>\n      <altitudeMode>relativeToGround</altitudeMode>\n      <coordinates>");
  writeCoordinates(mark->point);
  xml().raw("</coordinates>\n    </Point>\n  </Placemark>\n");
}

void KmlOutput::writeTail() {
  xml().raw("      </coordinates>\n    </LineString>\n  </Placemark>\n");
  writeMark("Start", start_);
  writeMark("Highest point", highest_);
  writeMark("Farthest point", farthest_);
  xml().raw("</Document>\n</kml>\n");
}

}  // namespace trelvox
