#pragma once

#include <optional>
#include <string_view>

#include "outputs/byte_spill.h"
#include "outputs/track.h"

namespace trelvox {

// The track as a KML 2.2 file: every new position, heights relative to the ground at the start,
// then placemarks for the start, the highest and the farthest point (with their UTC time where the
// sensor gives it). Where the sensor gives the UTC time of day the track is a <gx:Track> with a
// time per point (points without one are left out of it, as it pairs them), else a line. Only the
// three placemarks are kept; the track streams, its coordinates through `coordinates`. No line
// goes beside a <gx:Track> for readers without Google's extension: the others (gpsbabel, Google
// Earth) would show the track twice.
class KmlOutput final : public TrackOutput {
 public:
  KmlOutput(ByteSink& sink, ByteSpill& coordinates, std::string logName, const TrackSource& track)
      : TrackOutput(sink, std::move(logName), track), sink_(sink), spill_(coordinates) {}

 private:
  struct Marked {
    TrackPoint point;
    double measure;
  };

  void writeHead(const Decoder& sensor) override;
  void writePoint(const TrackPoint& point) override;
  void writeTail() override;
  void writeTimedPoint(const TrackPoint& point);
  void mark(const TrackPoint& point);
  static char* writeCoordinates(char* out, const TrackPoint& point, char separator);
  double distanceMeasure(const GeoPoint& from, const GeoPoint& to);
  void writeMark(std::string_view name, const std::optional<Marked>& mark);

  std::optional<Marked> start_;
  std::optional<Marked> highest_;
  std::optional<Marked> farthest_;
  std::optional<double> longitudeScale_;
  ByteSink& sink_;
  ByteSpill& spill_;
  // The <gx:coord> elements of a timed track on their way to the spill.
  std::optional<XmlWriter> coordinates_;
};

}  // namespace trelvox
