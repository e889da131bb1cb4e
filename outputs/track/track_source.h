#pragma once

// The track of a log for the map outputs and the report page: the positions of the first sensor in
// column order that carries one, with that sensor's height above the start and, where it gives the
// UTC time of day, the time of each point.

#include <array>
#include <chrono>
#include <optional>
#include <string>
#include <vector>

#include "decoders/decoder.h"
#include "outputs/log_output.h"
#include "outputs/text/date_text.h"
#include "outputs/text/xml_text.h"
#include "values/geo_point.h"

namespace trelvox {

// A short text kept by value, so a point a writer keeps for later stays whole.
struct PointText {
  std::array<char, 24> bytes{};
  std::uint8_t size = 0;

  std::string_view view() const { return {bytes.data(), size}; }
  // Writes the text at `out`, which has room for all of `bytes` (a copy of fixed size is cheaper);
  // returns the text's end.
  char* copyTo(char* out) const {
    std::memcpy(out, bytes.data(), bytes.size());
    return out + size;
  }
  // Lets `write` (char* -> char* end) fill the text.
  template <typename Write>
  void fill(Write write) {
    size = static_cast<std::uint8_t>(write(bytes.data()) - bytes.data());
  }
};

struct TrackPoint {
  GeoPoint position;
  Reading height;
  std::optional<std::chrono::sys_seconds> time;
  // The same as the texts every map format writes, made once for all of them: decimal degrees,
  // the height in metres ("0" without one), and the UTC time (empty without one).
  PointText latitudeText;
  PointText longitudeText;
  PointText heightText;
  PointText timeText;
};

// "2024-05-01T14:05:05Z" texts of the points' times. Points come several times a second, so most
// share the text of the point before; each day's date is made once.
class UtcTimeTexts {
 public:
  const PointText& text(std::chrono::sys_seconds time);

 private:
  std::optional<std::chrono::sys_seconds> time_;
  PointText text_;
};

// The track itself, an output of its own that comes before the map formats in the list of
// outputs: it picks the sensor and makes each record's new point once, for every format that
// writes it. The sensor is the first in column order to have a fix, once one has: a sensor that
// never has one (a spare GPS without a view of the sky) leaves the track to one that does.
class TrackSource final : public LogOutput {
 public:
  // `date` is the UTC day the first time of day falls on.
  explicit TrackSource(std::chrono::year_month_day date) : day_(date) {}

  void start(Decoders decoders) override;
  void record(const DataRecord& record) override;
  void end(const LogTotals&) override {}

  // The track's sensor; null until a sensor has a fix.
  const Decoder* sensor() const { return chosen_ ? chosen_->decoder : nullptr; }
  // Whether the sensor gives the UTC time of day (some of its points may still have none).
  bool givesTimes() const { return chosen_ && chosen_->givesTimes; }
  // The current record's point, unless it is at the same position as the last one (or there is no
  // position yet).
  const std::optional<TrackPoint>& point() const { return point_; }
  // The sensor's fix in the current record, moved or not; none while it has none.
  const std::optional<GeoPoint>& fix() const { return fix_; }

 private:
  // A sensor that carries a position: its LATITUDE and LONGITUDE columns, its first height item in
  // m (-1 for none) and whether it gives the UTC time of day.
  struct Candidate {
    const Decoder* decoder;
    int latitudeColumn = -1;
    int longitudeColumn = -1;
    int heightItem = -1;
    bool givesTimes = false;
  };

  static std::optional<GeoPoint> fixOf(const Candidate& candidate);
  void chooseSensor();
  std::optional<std::chrono::sys_seconds> currentTime();

  std::vector<Candidate> candidates_;
  std::optional<Candidate> chosen_;
  GeoPoint last_;
  std::chrono::sys_days day_;
  std::optional<std::uint32_t> lastSecondsOfDay_;
  UtcTimeTexts times_;
  std::optional<GeoPoint> fix_;
  std::optional<TrackPoint> point_;
};

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
