#pragma once

// The track of a log for the map outputs: the positions of the first sensor in column order that
// carries one, with that sensor's height above the start and, where it gives the UTC time of day,
// the time of each point.

#include <chrono>
#include <optional>
#include <string>

#include "decoders/decoder.h"
#include "outputs/date_text.h"
#include "outputs/log_output.h"
#include "outputs/xml_text.h"
#include "values/geo_point.h"

namespace trelvox {

struct TrackPoint {
  GeoPoint position;
  Reading height;
  std::optional<std::chrono::sys_seconds> time;
};

class TrackSource {
 public:
  // `date` is the UTC day the first time of day falls on.
  explicit TrackSource(std::chrono::year_month_day date) : day_(date) {}

  // Picks the track's sensor; false when no decoder carries a position.
  bool start(Decoders decoders);
  // The current record's point, unless it is at the same position as the last one given (or there
  // is no position yet).
  std::optional<TrackPoint> next();

  const Decoder* sensor() const { return sensor_; }
  // Whether the sensor gives the UTC time of day (some of its points may still have none).
  bool givesTimes() const { return givesTimes_; }

 private:
  std::optional<std::chrono::sys_seconds> currentTime();

  const Decoder* sensor_ = nullptr;
  int latitudeColumn_ = -1;
  int longitudeColumn_ = -1;
  int heightItem_ = -1;
  bool givesTimes_ = false;
  GeoPoint last_;
  std::chrono::sys_days day_;
  std::optional<std::uint32_t> lastSecondsOfDay_;
};

// "2024-05-01T14:05:05Z" texts of the points' times, each day's date made once.
class UtcTimeTexts {
 public:
  std::string_view text(std::chrono::sys_seconds time);

 private:
  std::chrono::sys_days day_{};
  std::string text_;
};

// The name of a sensor for a reader: "GPS (slot 11)".
std::string sensorText(const Decoder& decoder);

// The base of the map outputs: follows the track and streams each new point to the file through
// the format's own writers. A log without a position gets no file content at all.
class TrackOutput : public LogOutput {
 public:
  void start(Decoders decoders) final;
  void record(const DataRecord& record) final;
  void end(const LogTotals& totals) final;

  // Whether the log had a position at all; a track file without one is not kept.
  bool hasTrack() const { return points_ > 0; }

  // `logName` is the data file's name, which names the track.
  TrackOutput(ByteSink& sink, std::string logName, std::chrono::year_month_day date)
      : xml_(sink), logName_(std::move(logName)), track_(date) {}

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
  TrackSource track_;
  bool hasSensor_ = false;
  std::uint64_t points_ = 0;
};

}  // namespace trelvox
