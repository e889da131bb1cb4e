#include "outputs/track.h"

namespace trelvox {
namespace {

constexpr std::uint32_t kSecondsPerDay = 24 * 3600;

}  // namespace

void TrackSource::start(Decoders decoders) {
  for (const auto& decoder : decoders) {
    const auto columns = decoder->columns();
    for (std::size_t i = 0; i < columns.size(); ++i) {
      const auto column = static_cast<int>(i);
      if (columns[i].shown == Shown::kLatitude) latitudeColumn_ = column;
      if (columns[i].shown == Shown::kLongitude) longitudeColumn_ = column;
      if (columns[i].shown == Shown::kTimeOfDay) givesTimes_ = true;
      if (heightItem_ < 0 && columns[i].quantity == Quantity::kHeight &&
          std::string_view(columns[i].unit) == "m") {
        heightItem_ = column;
      }
    }
    if (latitudeColumn_ >= 0 && longitudeColumn_ >= 0) {
      sensor_ = decoder.get();
      return;
    }
    latitudeColumn_ = longitudeColumn_ = heightItem_ = -1;
    givesTimes_ = false;
  }
}

void TrackSource::record(const DataRecord&) {
  point_.reset();
  if (sensor_ == nullptr) return;
  const ColumnValue latitude = sensor_->columnValue(latitudeColumn_);
  const ColumnValue longitude = sensor_->columnValue(longitudeColumn_);
  if (!latitude.present || !longitude.present) return;
  const GeoPoint position{static_cast<std::int32_t>(latitude.number),
                          static_cast<std::int32_t>(longitude.number)};
  if (!position.isFix()) return;
  if (position.latitude == last_.latitude && position.longitude == last_.longitude) return;
  last_ = position;

  TrackPoint& point = point_.emplace();
  point.position = position;
  point.height = heightItem_ >= 0 ? sensor_->current(heightItem_) : Reading{};
  point.time = currentTime();
  point.latitudeText.fill([&](char* out) { return writeCoordinate(out, position.latitude); });
  point.longitudeText.fill([&](char* out) { return writeCoordinate(out, position.longitude); });
  point.heightText.fill([&](char* out) { return writeReading(out, point.height); });
  if (point.time) point.timeText = times_.text(*point.time);
}

std::optional<std::chrono::sys_seconds> TrackSource::currentTime() {
  const std::optional<std::uint32_t> seconds = sensor_->utcSecondsOfDay();
  if (!seconds || *seconds >= kSecondsPerDay) return std::nullopt;
  // A time of day far below the last point's is the next day, not a clock going back (points
  // come far more often than every twelve hours).
  if (lastSecondsOfDay_ && *seconds + kSecondsPerDay / 2 < *lastSecondsOfDay_) {
    day_ += std::chrono::days(1);
  }
  lastSecondsOfDay_ = seconds;
  return std::chrono::sys_seconds(day_) + std::chrono::seconds(*seconds);
}

const PointText& UtcTimeTexts::text(std::chrono::sys_seconds time) {
  if (time == time_) return text_;
  const auto day = std::chrono::floor<std::chrono::days>(time);
  if (!time_ || day != std::chrono::floor<std::chrono::days>(*time_)) {
    text_.fill([&](char* out) { return writeText(out, utcTimeText(time)); });
  }
  time_ = time;
  // Only the time of day changes within a day: "hh:mm:ss" before the closing 'Z'.
  const auto seconds = static_cast<std::uint32_t>((time - day).count());
  char* clock = text_.bytes.data() + text_.size - 9;
  writeDigits(clock, seconds / 3600, 2);
  writeDigits(clock + 3, seconds / 60 % 60, 2);
  writeDigits(clock + 6, seconds % 60, 2);
  return text_;
}

std::string sensorText(const Decoder& decoder) {
  return std::string(decoder.type().name) + " (slot " + std::to_string(decoder.firstSlot()) + ")";
}

void TrackOutput::start(Decoders) {
  if (track_.sensor() != nullptr) writeHead(*track_.sensor());
}

void TrackOutput::record(const DataRecord&) {
  if (!track_.point()) return;
  ++points_;
  writePoint(*track_.point());
}

void TrackOutput::end(const LogTotals&) {
  if (track_.sensor() == nullptr) return;
  writeTail();
  xml_.flush();
}

}  // namespace trelvox
