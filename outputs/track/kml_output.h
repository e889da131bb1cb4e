#pragma once

#include <optional>
#include <string_view>

#include "outputs/text/byte_spill.h"
#include "outputs/track/track_output.h"

namespace trelvox {

// The track as a KML 2.2 file: every new position, heights relative to the ground at the start,
// then placemarks for the start, the highest and the farthest point (with their UTC time where the
// sensor gives it). A track whose every point has a UTC time is a <gx:Track> with a time per
// point; any other is a line through every point, as the GPX holds them all. Only the three
// placemarks are kept; the track streams, a timed one through `times` and `coordinates` until its
// end shows whether it stayed timed. No line goes beside a <gx:Track> for readers without Google's
// extension: the others (gpsbabel, Google Earth) would show the track twice.
class KmlOutput final : public TrackOutput {
 public:
  KmlOutput(ByteSink& sink, ByteSpill& times, ByteSpill& coordinates, std::string logName,
            const TrackSource& track)
      : TrackOutput(sink, std::move(logName), track),
        sink_(sink),
        timesSpill_(times),
        coordinatesSpill_(coordinates) {}

 private:
  struct Marked {
    TrackPoint point;
    double measure;
  };
  // The <when> and <gx:coord> elements of a track whose points have all had a time so far, on
  // their way to the spills.
  struct TimedTrack {
    TimedTrack(ByteSink& timeSink, ByteSink& coordinateSink)
        : times(timeSink), coordinates(coordinateSink) {}
    XmlWriter times;
    XmlWriter coordinates;
  };

  void writeHead(const Decoder& sensor) override;
  void writePoint(const TrackPoint& point) override;
  void writeTail() override;
  void writeTrackHead(bool timed);
  void writeLinePoint(const TrackPoint& point);
  void writeTimedPoint(const TrackPoint& point);
  void turnIntoLine();
  void mark(const TrackPoint& point);
  static char* writeCoordinates(char* out, const TrackPoint& point, char separator);
  double distanceMeasure(const GeoPoint& from, const GeoPoint& to);
  void writeMark(std::string_view name, const std::optional<Marked>& mark);

  std::optional<Marked> start_;
  std::optional<Marked> highest_;
  std::optional<Marked> farthest_;
  std::optional<double> longitudeScale_;
  const Decoder* sensor_ = nullptr;
  ByteSink& sink_;
  ByteSpill& timesSpill_;
  ByteSpill& coordinatesSpill_;
  std::optional<TimedTrack> timed_;
};

}  // namespace trelvox
