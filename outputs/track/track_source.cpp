#include "outputs/track/track_source.h"

#include "outputs/text/xml_text.h"

namespace trelvox {
void TrackSource::start(Decoders decoders) {
  for (const auto& decoder : decoders) {
    Candidate candidate{decoder.get()};
    const auto columns = decoder->columns();
    for (std::size_t i = 0; i < columns.size(); ++i) {
      const auto column = static_cast<int>(i);
      if (columns[i].shown == Shown::kLatitude) candidate.latitudeColumn = column;
      if (columns[i].shown == Shown::kLongitude) candidate.longitudeColumn = column;
      if (columns[i].shown == Shown::kTimeOfDay) candidate.givesTimes = true;
      if (candidate.heightItem < 0 && columns[i].quantity == Quantity::kHeight &&
          std::string_view(columns[i].unit) == "m") {
        candidate.heightItem = column;
      }
    }
    if (candidate.latitudeColumn >= 0 && candidate.longitudeColumn >= 0) {
      candidates_.push_back(candidate);
    }
  }
}

void TrackSource::record(const DataRecord&) {
  point_.reset();
  fix_.reset();
  if (!chosen_) chooseSensor();
  if (!chosen_) return;
  fix_ = fixOf(*chosen_);
  if (!fix_) return;
  const GeoPoint position = *fix_;
  if (position.latitude == last_.latitude && position.longitude == last_.longitude) return;
  last_ = position;

  TrackPoint& point = point_.emplace();
  point.position = position;
  point.height =
      chosen_->heightItem >= 0 ? chosen_->decoder->current(chosen_->heightItem) : Reading{};
  point.time = currentTime();
  point.latitudeText.fill([&](char* out) { return writeCoordinate(out, position.latitude); });
  point.longitudeText.fill([&](char* out) { return writeCoordinate(out, position.longitude); });
  point.heightText.fill([&](char* out) { return writeReading(out, point.height); });
  if (point.time) point.timeText = times_.text(*point.time);
}

// The sensor's position, if it is a fix on the map.
std::optional<GeoPoint> TrackSource::fixOf(const Candidate& candidate) {
  ColumnValue latitude;
  ColumnValue longitude;
  candidate.decoder->columnValue(candidate.latitudeColumn, latitude);
  candidate.decoder->columnValue(candidate.longitudeColumn, longitude);
  if (!latitude.present || !longitude.present) return std::nullopt;
  const GeoPoint position{static_cast<std::int32_t>(latitude.number),
                          static_cast<std::int32_t>(longitude.number)};
  if (!position.isOnTheMap()) return std::nullopt;
  return position;
}

void TrackSource::chooseSensor() {
  for (const Candidate& candidate : candidates_) {
    if (fixOf(candidate)) {
      chosen_ = candidate;
      return;
    }
  }
}

std::optional<std::chrono::sys_seconds> TrackSource::currentTime() {
  const std::optional<std::uint32_t> seconds = chosen_->decoder->utcSecondsOfDay();
  if (!seconds) return std::nullopt;
  // A time of day far below the last point's is the next day, not a clock going back, and one far
  // above it is the day before (a step back over midnight), not a clock going forward: points
  // come far more often than every twelve hours.
  if (lastSecondsOfDay_ && *seconds + kSecondsPerDay / 2 < *lastSecondsOfDay_) {
    day_ += std::chrono::days(1);
  }
  if (lastSecondsOfDay_ && *seconds > *lastSecondsOfDay_ + kSecondsPerDay / 2) {
    day_ -= std::chrono::days(1);
  }
  lastSecondsOfDay_ = seconds;
  return std::chrono::sys_seconds(day_) + std::chrono::seconds(*seconds);
}

}  // namespace trelvox
