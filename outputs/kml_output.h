#pragma once

#include <optional>
#include <string_view>

#include "outputs/track.h"

namespace trelvox {

// The track as a KML 2.2 file: a line through every new position, heights relative to the ground
// at the start, then placemarks for the start, the highest and the farthest point (with their UTC
// time where the sensor gives it). Only those three points are kept; the line streams.
class KmlOutput final : public TrackOutput {
 public:
  using TrackOutput::TrackOutput;

 private:
  struct Marked {
    TrackPoint point;
    double measure;
  };

  void writeHead(const Decoder& sensor) override;
  void writePoint(const TrackPoint& point) override;
  void writeTail() override;
  char* writeCoordinates(char* out, const TrackPoint& point);
  double distanceMeasure(const GeoPoint& from, const GeoPoint& to);
  void writeMark(std::string_view name, const std::optional<Marked>& mark);

  std::optional<Marked> start_;
  std::optional<Marked> highest_;
  std::optional<Marked> farthest_;
  std::optional<double> longitudeScale_;
};

}  // namespace trelvox
