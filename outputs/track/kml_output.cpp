#include "outputs/track/kml_output.h"

#include <cmath>
#include <span>
#include <string>

namespace trelvox {

namespace {

// Turns the <gx:coord> lines of a timed track, as they come back from its spill in blocks of any
// size, into the lines of a <coordinates> element: "lon lat height" becomes "lon,lat,height".
class CoordinateLines final : public ByteSink {
 public:
  explicit CoordinateLines(XmlWriter& out) : out_(out) {}

  void write(std::span<const char> bytes) override {
    std::string lines;
    for (const char c : bytes) {
      switch (part_) {
        case Part::kOpeningTag:
          if (c == '>') part_ = Part::kText;
          break;
        case Part::kText:
          if (c == '<') {
            part_ = Part::kClosingTag;
          } else {
            lines += c == ' ' ? ',' : c;
          }
          break;
        case Part::kClosingTag:
          if (c == '\n') {
            part_ = Part::kOpeningTag;
            lines += c;
          }
          break;
      }
    }
    out_.raw(lines);
  }

 private:
  enum class Part { kOpeningTag, kText, kClosingTag };

  XmlWriter& out_;
  Part part_ = Part::kOpeningTag;
};

}  // namespace

// A sensor that gives times may still leave some points without one, so a timed track's head
// waits for its end.
void KmlOutput::writeHead(const Decoder& sensor) {
  sensor_ = &sensor;
  if (givesTimes()) {
    timed_.emplace(timesSpill_, coordinatesSpill_);
  } else {
    writeTrackHead(false);
  }
}

void KmlOutput::writeTrackHead(bool timed) {
  xml()
      .raw(
          "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
          "<kml xmlns=\"http://www.opengis.net/kml/2.2\"")
      .raw(timed ? " xmlns:gx=\"http://www.google.com/kml/ext/2.2\">\n" : ">\n")
      .raw("<Document>\n  <name>")
      .escaped(logName())
      .raw("</name>\n  <Placemark>\n    <name>")
      .escaped(sensorText(*sensor_))
      .raw(timed ? "</name>\n    <gx:Track>\n" : "</name>\n    <LineString>\n")
      .raw("      <altitudeMode>relativeToGround</altitudeMode>\n");
  if (!timed) xml().raw("      <coordinates>\n");
}

void KmlOutput::writePoint(const TrackPoint& point) {
  if (timed_ && !point.time) turnIntoLine();
  if (timed_) {
    writeTimedPoint(point);
  } else {
    writeLinePoint(point);
  }
  mark(point);
}

void KmlOutput::writeLinePoint(const TrackPoint& point) {
  xml().advance(writeText(writeCoordinates(xml().room(XmlWriter::kMaxRoom), point, ','), "\n"));
}

// Readers pair the n-th <when> with the n-th <gx:coord>, and the schema puts every <when> first
// (gpsbabel before 2018 read no other order; later ones and Google Earth read this one too), so
// the times and the coordinates wait in spills of their own until the track ends.
void KmlOutput::writeTimedPoint(const TrackPoint& point) {
  char* out = writeText(timed_->times.room(XmlWriter::kMaxRoom), "      <when>");
  timed_->times.advance(writeText(point.timeText.copyTo(out), "</when>\n"));
  out = writeText(timed_->coordinates.room(XmlWriter::kMaxRoom), "      <gx:coord>");
  timed_->coordinates.advance(writeText(writeCoordinates(out, point, ' '), "</gx:coord>\n"));
}

// A <gx:Track> pairs every position with a time, so a point without one makes the track a line
// through every point, the earlier ones read back from the spill. The times spilled so far are
// left to go with the spill.
void KmlOutput::turnIntoLine() {
  writeTrackHead(false);
  timed_->coordinates.flush();
  timed_.reset();
  CoordinateLines lines(xml());
  coordinatesSpill_.moveTo(lines);
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
  if (timed_) {
    writeTrackHead(true);
    xml().flush();
    timed_->times.flush();
    timesSpill_.moveTo(sink_);
    timed_->coordinates.flush();
    coordinatesSpill_.moveTo(sink_);
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
