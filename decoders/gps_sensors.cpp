#include "decoders/gps_sensors.h"

#include <cmath>

#include "values/bit_stream.h"

namespace trelvox {
namespace {

// The GPS sensor's 128-bit stream: first bit and width of each field.
struct StreamField {
  int firstBit;
  int width;
};
constexpr StreamField kTimeOfDayField{0, 17};
constexpr StreamField kLatitudeMagnitude{17, 26};
constexpr int kSouthBit = 43;
constexpr StreamField kLongitudeMagnitude{44, 27};
constexpr int kWestBit = 71;
constexpr StreamField kGroundSpeed{72, 9};
constexpr int kPositionValidBit = 81;
constexpr StreamField kAltitudeField{99, 16};
constexpr StreamField kVarioField{115, 12};
constexpr int kAltitudeValidBit = 127;

// The GPS sensor's fields count altitudes and climb rates from these offsets.
constexpr std::int32_t kAltitudeOffset = 8551;
constexpr std::int32_t kVarioOffset = 1500;

// The 128-bit stream the sensor sends in its eight words.
using GpsStream = BitStream<16>;

std::uint32_t field(const GpsStream& stream, StreamField f) {
  return stream.field(f.firstBit, f.width);
}

std::int32_t signedCoordinate(const GpsStream& stream, StreamField magnitude, int negativeBit) {
  const auto value = static_cast<std::int32_t>(field(stream, magnitude));
  return stream.bit(negativeBit) ? -value : value;
}

bool bit14(std::uint16_t w) { return (w & 0x4000) != 0; }

}  // namespace

void GpsDecoder::update() {
  const GpsReading reading = decode();
  positionValid_ = reading.positionValid;
  if (reading.positionValid) {
    position_ = reading.position;
    takeReferencePosition();
    // Without a reference there is nothing to measure from.
    if (referencePosition_.isComplete()) record(kDistance, computeDistance());
    record(kSpeed, reading.speed);
  }
  if (!reading.altitudeValid) return;
  if (!referenceAltitude_.isTaken()) setReferenceAltitude();
  // The difference wraps to 16 bits like the readings, so a field that rolls over still shows the
  // height change.
  record(kAltitude, static_cast<std::int16_t>(reading.altitude - referenceAltitude_.value()));
  record(kVariometer, reading.variometer);
}

void GpsDecoder::columnValue(int column, ColumnValue& value) const {
  value = coordinateValue(position_, column == kLatitude);
}

void GpsDecoder::setReferenceAltitude() {
  const GpsReading reading = decode();
  if (reading.altitudeValid) referenceAltitude_.take(static_cast<std::int16_t>(reading.altitude));
}

// A position without a fix must not become the point all distances are measured from.
void GpsDecoder::takeReferencePosition() {
  if (referencePosition_.isComplete() || !position_.isFix()) return;
  referencePosition_ = position_;
}

std::int32_t GpsDecoder::computeDistance() const {
  const double horizontal = groundDistance(referencePosition_, position_);
  // The altitude column as the previous record left it: this record's altitude is recorded later.
  const double height = current(kAltitude).value();
  return static_cast<std::int32_t>(std::sqrt(horizontal * horizontal + height * height));
}

GpsReading OrvaneGpsDecoder::decode() const {
  const GpsStream stream(words());
  const auto altitudeField = static_cast<std::int32_t>(field(stream, kAltitudeField));
  const auto varioField = static_cast<std::int32_t>(field(stream, kVarioField));
  return {
      .positionValid = stream.bit(kPositionValidBit),
      .position = {signedCoordinate(stream, kLatitudeMagnitude, kSouthBit),
                   signedCoordinate(stream, kLongitudeMagnitude, kWestBit)},
      .speed = static_cast<std::int16_t>(field(stream, kGroundSpeed)),
      .altitudeValid = stream.bit(kAltitudeValidBit),
      .altitude = altitudeField - kAltitudeOffset,
      .variometer = static_cast<std::int16_t>(varioField - kVarioOffset),
  };
}

// The time field while the position is valid, whatever it holds: it has room for more than a day,
// which the TIME(UTC) column shows as it comes. Inline, so that no std::optional is put together
// on the stack and loaded back in pieces for every record's TIME(UTC).
inline std::optional<std::uint32_t> OrvaneGpsDecoder::timeField() const {
  const GpsStream stream(words());
  if (!stream.bit(kPositionValidBit)) return std::nullopt;
  return field(stream, kTimeOfDayField);
}

std::optional<std::uint32_t> OrvaneGpsDecoder::utcSecondsOfDay() const {
  const std::optional<std::uint32_t> seconds = timeField();
  if (!seconds || *seconds >= kSecondsPerDay) return std::nullopt;
  return seconds;
}

void OrvaneGpsDecoder::columnValue(int column, ColumnValue& value) const {
  if (column != kTimeOfDay) return GpsDecoder::columnValue(column, value);
  const std::optional<std::uint32_t> seconds = timeField();
  value = {.number = seconds.value_or(0), .present = seconds.has_value()};
}

GpsReading Q3303GpsDecoder::decode() const {
  const SensorWords data = words();
  const std::uint16_t speedWord = data.value(0);
  const std::uint16_t altitudeWord = data.value(1);
  return {
      .positionValid = bit14(speedWord),
      .position = {coordinateFromDegreesAndMinutes(data.value(4), data.value(5)),
                   coordinateFromDegreesAndMinutes(data.value(6), data.value(7))},
      .speed = signed15SignInBit15(speedWord),
      .altitudeValid = bit14(altitudeWord),
      .altitude = signed15SignInBit15(altitudeWord),
      .variometer = static_cast<std::int16_t>(data.value(3)),
  };
}

}  // namespace trelvox
