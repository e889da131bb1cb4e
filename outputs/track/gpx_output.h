#pragma once

#include "outputs/track/track_output.h"

namespace trelvox {

// The track as a GPX 1.1 file: one <trkpt> per new position, each with the height above the start
// as <ele> and the UTC <time> where the sensor gives them.
class GpxOutput final : public TrackOutput {
 public:
  using TrackOutput::TrackOutput;

 private:
  void writeHead(const Decoder& sensor) override;
  void writePoint(const TrackPoint& point) override;
  void writeTail() override;
};

}  // namespace trelvox
