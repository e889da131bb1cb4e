#pragma once

// The track of a log for the map outputs and the report page: the positions of the first sensor in
// column order that carries one, with that sensor's height above the start and, where it gives the
// UTC time of day, the time of each point.

#include <chrono>
#include <optional>
#include <vector>

#include "decoders/decoder.h"
#include "outputs/log_output.h"
#include "outputs/track/point_text.h"
#include "outputs/track/utc_time_texts.h"
#include "values/geo_point.h"

namespace trelvox {

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

}  // namespace trelvox
