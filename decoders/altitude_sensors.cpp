#include "decoders/altitude_sensors.h"

#include "values/bit_stream.h"

namespace trelvox {
namespace {

// The altitude sensor's altitude field counts from this offset; it cancels against the reference.
constexpr std::int32_t kOrvaneAltitudeOffset = 8551;
// The vario fields count climb rates from -150.0 m/s.
constexpr std::int32_t kVarioFieldOffset = 1500;

AltitudeReading decodeVarioWords(const SensorWords& words) {
  const std::uint16_t heightWord = words.value(1);
  return {.altitude = signed15SignInBit15(heightWord),
          .variometer = static_cast<std::int16_t>(words.value(0)),
          .valid = (heightWord & 0x4000) != 0};
}

}  // namespace

void AltitudeSensorDecoder::update() {
  const AltitudeReading reading = decode();
  if (!reading.valid) return;
  if (!referenceAltitude_.isTaken()) setReferenceAltitude();
  // The difference wraps to 16 bits like the readings themselves, so a sensor whose field rolls
  // over still shows the height change.
  record(0, static_cast<std::int16_t>(reading.altitude - referenceAltitude_.value()));
  record(1, reading.variometer);
}

void AltitudeSensorDecoder::setReferenceAltitude() {
  const AltitudeReading reading = decode();
  if (reading.valid) referenceAltitude_.take(static_cast<std::int16_t>(reading.altitude));
}

AltitudeReading OrvaneAltitudeSensorDecoder::decode() const {
  // A 48-bit stream in the sensor's three words.
  const BitStream<6> stream(words());
  const auto altitudeField = static_cast<std::int32_t>(stream.field(17, 16));
  const auto varioField = static_cast<std::int32_t>(stream.field(33, 12));
  return {.altitude = altitudeField + kOrvaneAltitudeOffset,
          .variometer = static_cast<std::int16_t>(varioField - kVarioFieldOffset),
          .valid = stream.bit(45)};
}

AltitudeReading Q3302VarioDecoder::decode() const { return decodeVarioWords(words()); }

AltitudeReading Q3301VarioDecoder::decode() const { return decodeVarioWords(words()); }

}  // namespace trelvox
