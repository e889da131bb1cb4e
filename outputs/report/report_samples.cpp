#include "outputs/report/report_samples.h"

#include <algorithm>
#include <cmath>

#include "outputs/track/track_source.h"
#include "values/geo_point.h"

namespace trelvox {
namespace {

constexpr std::size_t kTrackSeries = 2;  // metres east and north of the start, in tenths
constexpr double kMetresPerDegree = 6371000.0 * 3.141592653589793 / 180.0;
constexpr double kRadiansPerDegree = 3.141592653589793 / 180.0;

// Metres in tenths, to the nearest; inline, as std::llround is a library call at every record.
std::int64_t tenths(double metres) {
  const double scaled = metres * 10;
  return static_cast<std::int64_t>(scaled < 0 ? scaled - 0.5 : scaled + 0.5);
}

}  // namespace

void ReportSamples::start(Decoders decoders, std::size_t expectedRecords) {
  decoders_ = decoders;
  for (std::size_t d = 0; d < decoders.size(); ++d) {
    const auto columns = decoders[d]->columns();
    for (std::size_t c = 0; c < columns.size(); ++c) {
      if (isItem(columns[c].shown)) {
        series_.push_back({&decoders[d]->tracked(static_cast<int>(c)), d, &columns[c]});
        readings_.push_back(series_.back().reading);
      }
    }
  }
  const std::size_t seriesCount = eastSeries() + kTrackSeries;
  points_ = std::make_unique<MinMaxBuckets>(
      seriesCount, std::clamp<std::size_t>(kValueBudget / seriesCount, 4, kMostPoints));
  points_->expectRecords(expectedRecords);
  points_->keepFirstAndLast(eastSeries());
  points_->keepFirstAndLast(northSeries());
}

void ReportSamples::record(const DataRecord& record, std::int64_t elapsed,
                           const TrackSource& track) {
  if (points_->nextRecord(elapsed)) {
    keepReadings<&MinMaxBuckets::begin>(record, MinMaxBuckets::kNoReading);
  } else {
    keepReadings<&MinMaxBuckets::add>(record, std::nullopt);
  }
  followTrack(track);
}

// Hands every series' reading of this record to `keep`; a missing reading as `missing`, if any.
template <void (MinMaxBuckets::*keep)(std::size_t, std::int64_t)>
void ReportSamples::keepReadings(const DataRecord& record, std::optional<std::int64_t> missing) {
  MinMaxBuckets& points = *points_;
  for (std::size_t s = 0; s < readings_.size(); ++s) {
    const TrackedReading& reading = *readings_[s];
    if (reading.current != reading.mark) {
      (points.*keep)(s, reading.current);
    } else if (missing) {
      (points.*keep)(s, *missing);
    }
  }
  keepChannels<keep>(record, missing.has_value());
  if (missing) {
    (points.*keep)(eastSeries(), *missing);
    (points.*keep)(northSeries(), *missing);
  }
}

// A group of channels whose words are those of the record before is passed over within a bucket,
// where the same readings again change nothing.
template <void (MinMaxBuckets::*keep)(std::size_t, std::int64_t)>
void ReportSamples::keepChannels(const DataRecord& record, bool bucketBegins) {
  for (int group = 0; group < kChannelGroups; ++group) {
    const std::uint64_t groupWords = record.channelGroup(group);
    const auto index = static_cast<std::size_t>(group);
    if (!bucketBegins && groupWords == lastChannelGroups_[index]) continue;
    lastChannelGroups_[index] = groupWords;
    for (int k = group * kChannelsPerGroup + 1; k <= (group + 1) * kChannelsPerGroup; ++k) {
      (points_.get()->*keep)(channelSeries(k), record.channel(k));
    }
  }
}

// Every record with a fix is a point of the track, moved or not (unlike the track files' points),
// as the track's points share the charts' times; a record without one adds nothing.
void ReportSamples::followTrack(const TrackSource& track) {
  const std::optional<GeoPoint>& fix = track.fix();
  if (!fix) return;
  if (!trackSensor_) startTrack(track);
  const double north = (inDegrees(fix->latitude) - originLatitude_) * kMetresPerDegree;
  const double east =
      degreesEast(originLongitude_, inDegrees(fix->longitude)) * metresPerDegreeEast_;
  points_->sample(eastSeries(), tenths(east));
  points_->sample(northSeries(), tenths(north));
}

// The track starts at its sensor's first fix.
void ReportSamples::startTrack(const TrackSource& track) {
  const auto sensor = std::find_if(decoders_.begin(), decoders_.end(), [&](const auto& decoder) {
    return decoder.get() == track.sensor();
  });
  trackSensor_ = static_cast<std::size_t>(sensor - decoders_.begin());
  originLatitude_ = inDegrees(track.fix()->latitude);
  originLongitude_ = inDegrees(track.fix()->longitude);
  metresPerDegreeEast_ = kMetresPerDegree * std::cos(originLatitude_ * kRadiansPerDegree);
}

}  // namespace trelvox
