#include "outputs/track/track_output.h"

namespace trelvox {

std::string sensorText(const Decoder& decoder) {
  return std::string(decoder.type().name) + " (slot " + std::to_string(decoder.firstSlot()) + ")";
}

void TrackOutput::start(Decoders) {}

// The head names the sensor, which is known with the first point.
void TrackOutput::record(const DataRecord&) {
  if (!track_.point()) return;
  if (points_ == 0) writeHead(*track_.sensor());
  ++points_;
  writePoint(*track_.point());
}

void TrackOutput::end(const LogTotals&) {
  if (!hasContent()) return;
  writeTail();
  xml_.flush();
}

}  // namespace trelvox
