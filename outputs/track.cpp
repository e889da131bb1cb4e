#include "outputs/track.h"

namespace trelvox {
namespace {

constexpr std::uint32_t kSecondsPerDay = 24 * 3600;

}  // namespace

bool TrackSource::start(Decoders decoders) {
  for (const auto& decoder : decoders) {
    const auto columns = decoder->columns();
    for (std::size_t i = 0; i < columns.size(); ++i) {
      if (columns[i].shown == Shown::kLatitude) sensor_ = decoder.get();
    }
    if (sensor_ == nullptr) continue;
    for (std::size_t i = 0; i < columns.size(); ++i) {
      if (heightItem_ < 0 && columns[i].quantity == Quantity::kHeight &&
          std::string_view(columns[i].unit) == "m") {
        heightItem_ = static_cast<int>(i);
      }
    }
    return true;
  }
  return false;
}

std::optional<TrackPoint> TrackSource::next() {
  // The clock is followed on every record so that a pass through midnight is never missed.
  const std::optional<std::chrono::sys_seconds> time = currentTime();
  const std::optional<Position> position = sensor_->position();
  if (!position) return std::nullopt;
  if (last_ && last_->latitude == position->latitude && last_->longitude == position->longitude) {
    return std::nullopt;
  }
  last_ = position;
  std::optional<double> height;
  if (heightItem_ >= 0 && sensor_->current(heightItem_).present) {
    height = sensor_->current(heightItem_).value();
  }
  return TrackPoint{*position, height, time};
}

std::optional<std::chrono::sys_seconds> TrackSource::currentTime() {
  const std::optional<std::uint32_t> seconds = sensor_->utcSecondsOfDay();
  if (!seconds || *seconds >= kSecondsPerDay) return std::nullopt;
  // A time of day far below the last one is the next day, not a clock going back.
  if (lastSecondsOfDay_ && *seconds + kSecondsPerDay / 2 < *lastSecondsOfDay_) {
    day_ += std::chrono::days(1);
  }
  lastSecondsOfDay_ = seconds;
  return std::chrono::sys_seconds(day_) + std::chrono::seconds(*seconds);
}

std::string sensorText(const Decoder& decoder) {
  return std::string(decoder.type().name) + " (slot " + std::to_string(decoder.firstSlot()) + ")";
}

void TrackOutput::start(Decoders decoders) {
  hasSensor_ = track_.start(decoders);
  if (hasSensor_) writeHead(*track_.sensor());
}

void TrackOutput::record(const DataRecord&) {
  if (!hasSensor_) return;
  const std::optional<TrackPoint> point = track_.next();
  if (!point) return;
  ++points_;
  writePoint(*point);
}

void TrackOutput::end(const LogTotals&) {
  if (!hasSensor_) return;
  writeTail();
  xml_.flush();
}

}  // namespace trelvox
