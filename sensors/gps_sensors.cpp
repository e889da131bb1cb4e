#include "sensors/gps_sensors.h"

#include <cmath>

#include "sensors/bit_stream.h"

namespace trelvox {
namespace {

// The GPS sensor's 128-bit stream: first bit and width of each field.
struct StreamField {
  int firstBit;
  int width;
};
constexpr StreamField kTimeOfDay{0, 17};
constexpr StreamField kLatitudeMagnitude{17, 26};
constexpr int kSouthBit = 43;
constexpr StreamField kLongitudeMagnitude{44, 27};
constexpr int kWestBit = 71;
constexpr StreamField kGroundSpeed{72, 9};
constexpr int kPositionValidBit = 81;
constexpr StreamField kPositionStatus{82, 3};
constexpr StreamField kAltitudeField{99, 16};
constexpr StreamField kVarioField{115, 12};
constexpr int kAltitudeValidBit = 127;

// The GPS sensor's fields count altitudes and climb rates from these offsets.
constexpr std::int32_t kAltitudeOffset = 8551;
constexpr std::int32_t kVarioOffset = 1500;

std::uint32_t field(const SensorData& data, StreamField f) {
  return streamField(data, f.firstBit, f.width);
}

std::int32_t signedCoordinate(const SensorData& data, StreamField magnitude, int negativeBit) {
  const auto value = static_cast<std::int32_t>(field(data, magnitude));
  return streamBit(data, negativeBit) ? -value : value;
}

bool bit14(std::uint16_t w) { return (w & 0x4000) != 0; }

}  // namespace

void GPS_Status::writeValues(RowWriter& out) const {
  SensorStatus::writeValues(out);
  writePositionFields(out, position_);
}

void GPS_Status::writeSlotNumbers(RowWriter& out) const {
  writeSlotNumberFields(out, itemCount() + kPositionColumns);
}

void GPS_Status::writeTypeNames(RowWriter& out) const {
  writeTypeNameFields(out, itemCount() + kPositionColumns);
}

void GPS_Status::writeItemNames(RowWriter& out) const {
  SensorStatus::writeItemNames(out);
  writePositionNames(out);
}

void GPS_Status::update() {
  const GpsReading reading = decode();
  if (reading.positionValid) {
    position_ = reading.position;
    takeReferencePosition();
    // Without a reference there is nothing to measure from.
    if (referencePosition_.isComplete()) record(0, computeDistance());
    record(1, reading.speed);
  }
  if (!reading.altitudeValid) return;
  if (!referenceAltitude_.isTaken()) setReferenceAltitude();
  // The difference wraps to 16 bits like the readings, so a field that rolls over still shows the
  // height change.
  record(2, static_cast<std::int16_t>(reading.altitude - referenceAltitude_.value()));
  record(3, reading.variometer);
}

void GPS_Status::setReferenceAltitude() {
  const GpsReading reading = decode();
  if (reading.altitudeValid) referenceAltitude_.take(static_cast<std::int16_t>(reading.altitude));
}

// A receiver without a fix reports latitude 0, which must not become the point all distances are
// measured from.
void GPS_Status::takeReferencePosition() {
  if (referencePosition_.isComplete() || position_.latitude == 0) return;
  referencePosition_ = position_;
}

std::int32_t GPS_Status::computeDistance() const {
  const double horizontal = groundDistance(referencePosition_, position_);
  if (isHorizontalOnly()) return static_cast<std::int32_t>(horizontal);
  // The altitude column as the previous record left it: this record's altitude is recorded later.
  const double height = currentValue(2).toDouble();
  return static_cast<std::int32_t>(std::sqrt(horizontal * horizontal + height * height));
}

GpsReading OrvaneGPS_Status::decode() const {
  const SensorData data = words();
  const auto altitudeField = static_cast<std::int32_t>(field(data, kAltitudeField));
  const auto varioField = static_cast<std::int32_t>(field(data, kVarioField));
  return {
      .positionValid = streamBit(data, kPositionValidBit),
      .position = {signedCoordinate(data, kLatitudeMagnitude, kSouthBit),
                   signedCoordinate(data, kLongitudeMagnitude, kWestBit)},
      .speed = static_cast<std::int16_t>(field(data, kGroundSpeed)),
      .positionStatus = static_cast<int>(field(data, kPositionStatus)),
      .altitudeValid = streamBit(data, kAltitudeValidBit),
      .altitude = altitudeField - kAltitudeOffset,
      .variometer = static_cast<std::int16_t>(varioField - kVarioOffset),
  };
}

void OrvaneGPS_Status::timeText(ValueText& text) const {
  const SensorData data = words();
  if (!streamBit(data, kPositionValidBit)) return writeNoValue(text);
  const std::uint32_t seconds = field(data, kTimeOfDay);
  text.clear();
  text.appendNumber(seconds / 3600, 2);
  text.append(':');
  text.appendNumber(seconds / 60 % 60, 2);
  text.append(':');
  text.appendNumber(seconds % 60, 2);
}

void OrvaneGPS_Status::writeValues(RowWriter& out) const {
  GPS_Status::writeValues(out);
  out.textField([&](ValueText& text) { timeText(text); });
}

void OrvaneGPS_Status::writeSlotNumbers(RowWriter& out) const {
  GPS_Status::writeSlotNumbers(out);
  writeSlotNumberFields(out, 1);
}

void OrvaneGPS_Status::writeTypeNames(RowWriter& out) const {
  GPS_Status::writeTypeNames(out);
  writeTypeNameFields(out, 1);
}

void OrvaneGPS_Status::writeItemNames(RowWriter& out) const {
  GPS_Status::writeItemNames(out);
  out.field("TIME(UTC)");
}

GpsReading Q3303_GPS_Status::decode() const {
  const SensorData data = words();
  const std::uint16_t speedWord = data.value(0);
  const std::uint16_t altitudeWord = data.value(1);
  return {
      .positionValid = bit14(speedWord),
      .position = {coordinateFromDegreesAndMinutes(data.value(4), data.value(5)),
                   coordinateFromDegreesAndMinutes(data.value(6), data.value(7))},
      .speed = signed15(speedWord),
      .positionStatus = bit14(speedWord) ? 3 : 0,
      .altitudeValid = bit14(altitudeWord),
      .altitude = signed15(altitudeWord),
      .variometer = static_cast<std::int16_t>(data.value(3)),
  };
}

}  // namespace trelvox
