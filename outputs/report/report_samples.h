#pragma once

// What the report page draws, gathered while the log is read: every item of every sensor, the
// sixteen channels and the track, each a series of compact points (see MinMaxBuckets), so that
// memory stays the same however long the log.

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "decoders/decoder.h"
#include "outputs/report/min_max_buckets.h"
#include "values/data_record.h"

namespace trelvox {

class TrackSource;

class ReportSamples {
 public:
  // At most this many values of all series together are kept, which bounds both the memory and
  // the page's size; no series keeps more than kMostPoints points.
  static constexpr std::size_t kValueBudget = 1'500'000;
  static constexpr std::size_t kMostPoints = 20'000;

  // A reading series of the charts: one item of one decoder.
  struct Series {
    const TrackedReading* reading;
    std::size_t sensor;  // index of the decoder
    const Column* column;
  };

  // `expectedRecords`, where known (else 0), lets long logs gather their points at the final rate
  // from the start.
  void start(Decoders decoders, std::size_t expectedRecords);
  // `elapsed` is the time since the first record in the recorder's units, never going back;
  // `track` has already followed this record.
  void record(const DataRecord& record, std::int64_t elapsed, const TrackSource& track);

  // The points of every series; a series is given as its index here.
  const MinMaxBuckets& points() const { return *points_; }
  // The reading series; the points' series s belongs to series()[s].
  const std::vector<Series>& series() const { return series_; }
  // The series of channel `k` (1 to 16), as the record's words.
  std::size_t channelSeries(int k) const {
    return series_.size() + static_cast<std::size_t>(k - 1);
  }
  // The track's series, tenths of metres east and north of its start.
  std::size_t eastSeries() const { return series_.size() + kChannelCount; }
  std::size_t northSeries() const { return eastSeries() + 1; }
  // The decoder whose positions draw the track; none while no sensor has had a fix.
  std::optional<std::size_t> trackSensor() const { return trackSensor_; }

 private:
  template <void (MinMaxBuckets::*keep)(std::size_t, std::int64_t)>
  void keepReadings(const DataRecord& record, std::optional<std::int64_t> missing);
  template <void (MinMaxBuckets::*keep)(std::size_t, std::int64_t)>
  void keepChannels(const DataRecord& record, bool bucketBegins);
  void followTrack(const TrackSource& track);
  void startTrack(const TrackSource& track);

  Decoders decoders_;
  std::vector<Series> series_;
  std::vector<const TrackedReading*> readings_;  // the series' readings, packed for each record
  std::unique_ptr<MinMaxBuckets> points_;
  // The channel words of the record before, four channels to a number.
  std::array<std::uint64_t, kChannelGroups> lastChannelGroups_{};
  std::optional<std::size_t> trackSensor_;
  // Where the track starts, in degrees, and the metres a degree east spans there.
  double originLatitude_ = 0;
  double originLongitude_ = 0;
  double metresPerDegreeEast_ = 0;
};

}  // namespace trelvox
