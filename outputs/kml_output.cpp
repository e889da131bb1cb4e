#include "outputs/kml_output.h"

#include <cmath>

namespace trelvox {

void KmlOutput::writeHead(const Decoder& sensor) {
  if (givesTimes()) coordinates_.emplace(spill_);
  xml()
      .raw(
          "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
          "<kml xmlns=\"http://www.opengis.net/kml/2.2\"")
      .raw(coordinates_ ? " xmlns:gx=\"http://www.google.com/kml/ext/2.2\">\n" : ">\n")
      .raw("<Document>\n  <name>")
      .escaped(logName())
      .raw("</name>\n  <Placemark>\n    <name>")
      .escaped(sensorText(sensor))
      .raw(coordinates_ ? "</name>\n    <gx:Track>\n" : "</name>\n    <LineString>\n")
      .raw("      <altitudeMode>relativeToGround</altitudeMode>\n");
  if (!coordinates_) xml().raw("      <coordinates>\n");
}

void KmlOutput::writePoint(const TrackPoint& point) {
  if (coordinates_) {
    writeTimedPoint(point);
  } else {
    xml().advance(writeText(writeCoordinates(xml().room(XmlWriter::kMaxRoom), point, ','), "\n"));
  }
  mark(point);
}

// Readers pair the n-th <when> with the n-th <gx:coord>, and the schema puts every <when> first
// (gpsbabel before 2018 read no other order; later ones and Google Earth read this one too), so
// the times stream into the file and the coordinates wait in the spill until the track ends.
void KmlOutput::writeTimedPoint(const TrackPoint& point) {
  if (!point.time) return;
  char* out = writeText(xml().room(XmlWriter::kMaxRoom), "      <when>");
  xml().advance(writeText(point.timeText.copyTo(out), "</when>\n"));
  out = writeText(coordinates_->room(XmlWriter::kMaxRoom), "      <gx:coord>");
  coordinates_->advance(writeText(writeCoordinates(out, point, ' '), "</gx:coord>\n"));
}

void KmlOutput::mark(const TrackPoint& point) {
  if (!start_) start_ = Marked{point, 0.0};
  const double height = point.height.value();
  if (!highest_ || height > highest_->measure) highest_ = Marked{point, height};
  const double distance = distanceMeasure(start_->point.position, point.position);
  if (!farthest_ || distance > farthest_->measure) farthest_ = Marked{point, distance};
}

// Longitude, latitude and height as KML orders them: "lon,lat,height" in <coordinates>, spaces
// in <gx:coord>.
char* KmlOutput::writeCoordinates(char* out, const TrackPoint& point, char separator) {
  out = point.longitudeText.copyTo(out);
  *out++ = separator;
  out = point.latitudeText.copyTo(out);
  *out++ = separator;
  return point.heightText.copyTo(out);
}

// What orders points by their distance from the start: the square of a flat-earth distance, with
// the start's latitude scaling longitudes (taken once, as the cosine is the costly part).
double KmlOutput::distanceMeasure(const GeoPoint& from, const GeoPoint& to) {
  if (!longitudeScale_) {
    constexpr double kRadiansPerUnit = 3.141592653589793 / 180 / GeoPoint::kUnitsPerDegree;
    longitudeScale_ = std::cos(from.latitude * kRadiansPerUnit);
  }
  const double north = to.latitude - from.latitude;
  const double east = degreesEast(inDegrees(from.longitude), inDegrees(to.longitude)) *
                      GeoPoint::kUnitsPerDegree * *longitudeScale_;
  return north * north + east * east;
}

void KmlOutput::writeMark(std::string_view name, const std::optional<Marked>& mark) {
  if (!mark) return;
  xml().raw("  <Placemark>\n    <name>").raw(name).raw("</name>\n");
  if (mark->point.time) {
    xml()
        .raw("    <TimeStamp><when>")
        .raw(mark->point.timeText.view())
        .raw("</when></TimeStamp>\n");
  }
  xml().raw(
      "    <Point>\n      <altitudeMode>relativeToGround</altitudeMode>\n      <coordinates>");
  xml().advance(writeCoordinates(xml().room(XmlWriter::kMaxRoom), mark->point, ','));
  xml().raw("</coordinates>\n    </Point>\n  </Placemark>\n");
}

void KmlOutput::writeTail() {
  if (coordinates_) {
    xml().flush();
    coordinates_->flush();
    spill_.moveTo(sink_);
    xml().raw("    </gx:Track>\n  </Placemark>\n");
  } else {
    xml().raw("      </coordinates>\n    </LineString>\n  </Placemark>\n");
  }
  writeMark("Start", start_);
  writeMark("Highest point", highest_);
  writeMark("Farthest point", farthest_);
  xml().raw("</Document>\n</kml>\n");
}

}  // namespace trelvox
