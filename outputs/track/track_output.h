#pragma once

#include <cstdint>
#include <string>

#include "decoders/decoder.h"
#include "outputs/log_output.h"
#include "outputs/text/xml_text.h"
#include "outputs/track/track_source.h"

namespace trelvox {

// The name of a sensor for a reader: "GPS (slot 11)".
std::string sensorText(const Decoder& decoder);

// The base of the map outputs: streams each new point of a TrackSource to the file through the
// format's own writers. A log without a position gets no file content at all.
class TrackOutput : public LogOutput {
 public:
  void start(Decoders decoders) final;
  void record(const DataRecord& record) final;
  void end(const LogTotals& totals) final;

  // Whether the log had a fix at all; a track file without one is not kept.
  bool hasContent() const final { return points_ > 0; }

  // `logName` is the data file's name, which names the track. `track` comes before this output
  // in the list of outputs.
  TrackOutput(ByteSink& sink, std::string logName, const TrackSource& track)
      : xml_(sink), logName_(std::move(logName)), track_(track) {}

 protected:
  virtual void writeHead(const Decoder& sensor) = 0;
  virtual void writePoint(const TrackPoint& point) = 0;
  virtual void writeTail() = 0;

  XmlWriter& xml() { return xml_; }
  const std::string& logName() const { return logName_; }
  bool givesTimes() const { return track_.givesTimes(); }

 private:
  XmlWriter xml_;
  std::string logName_;
  const TrackSource& track_;
  std::uint64_t points_ = 0;
};

}  // namespace trelvox
