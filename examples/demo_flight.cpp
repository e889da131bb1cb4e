#include "examples/demo_flight.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "conversion/decoder_registry.h"
#include "support/stream_bytes.h"

namespace {

using trelvox::DemoFlightShape;
using trelvox::LogBuilder;
using trelvox::stick;
using trelvox::StreamBytes;

// The flight's shape lasts four minutes at pace 1.
constexpr double kShapeSeconds = 240;
constexpr double kPi = 3.141592653589793;

// Where the sensors of the demo sit in group 0.
constexpr int kVoltageSlot = 1;
constexpr int kCurrentSlot = 3;
constexpr int kTemperatureSlot = 6;
constexpr int kRpmSlot = 7;
constexpr int kAltitudeSlot = 8;
constexpr int kGpsSlot = 11;

// The field the model circles: 48 deg 12.3456' N, 8 deg 34.5678' E, in 1/10000 minute.
constexpr double kFieldLatitude = 48 * 600000.0 + 123456;
constexpr double kFieldLongitude = 8 * 600000.0 + 345678;
constexpr double kUnitsPerMetreNorth = 600000.0 / 110946.0;
constexpr double kCircleRadius = 120.0;

struct FlightState {
  double seconds;
  double height;     // metres above the take-off point
  double climbRate;  // metres per second
  double throttle;   // 0 to 1
  double north;      // metres from the field's centre
  double east;
  double groundSpeed;  // km/h
};

double smoothStep(double from, double to, double t) {
  const double x = std::clamp((t - from) / (to - from), 0.0, 1.0);
  return x * x * (3 - 2 * x);
}

double heightAt(double t) {
  return 80 * smoothStep(15, 60, t) +
         25 * std::sin(t / 17) * smoothStep(60, 80, t) * (1 - smoothStep(170, 190, t)) -
         80 * smoothStep(180, 225, t);
}

FlightState flightAt(double t) {
  FlightState s{};
  s.seconds = t;
  s.height = std::max(0.0, heightAt(t));
  s.climbRate = (heightAt(t + 0.05) - heightAt(t - 0.05)) / 0.1;
  s.throttle = t < 10 ? 0.0 : t > 225 ? 0.05 : 0.55 + 0.2 * std::sin(t / 9);
  const double airborne = smoothStep(12, 30, t) * (1 - smoothStep(215, 232, t));
  const double angle = 2 * kPi * t / 40;  // one circle every 40 seconds
  s.north = kCircleRadius * airborne * std::sin(angle);
  s.east = kCircleRadius * airborne * (std::cos(angle) - 1);
  s.groundSpeed = airborne * 2 * kPi * kCircleRadius / 40 * 3.6;
  return s;
}

int tenths(double v) { return static_cast<int>(std::lround(v * 10)); }

void writeChannels(LogBuilder::Record& record, const FlightState& s) {
  for (int k = 5; k <= 16; ++k) record.channel(k, stick(0));
  record.channel(1, stick(0.25 * std::sin(s.seconds / 3)));
  record.channel(2, stick(0.15 * std::sin(s.seconds / 5) + 0.2 * s.climbRate / 3));
  record.channel(3, stick(2 * s.throttle - 1));
  record.channel(4, stick(0.3 * (s.groundSpeed > 0)));
}

// The receiver reports its own battery and the external battery in turn.
void writeReceiver(LogBuilder::Record& record, int index, const FlightState& s,
                   const DemoFlightShape& shape) {
  const bool brownout =
      shape.brownoutAt && s.seconds >= *shape.brownoutAt && s.seconds < *shape.brownoutAt + 2;
  const int battery =
      brownout ? shape.brownoutTenths : shape.receiverTenths - tenths(s.seconds / 600);
  const int item = index % 2;
  const int value = item == 0 ? battery : 74 - tenths(s.seconds / 400);
  record.word(0, static_cast<std::uint16_t>(0x4000 | item << 10 | value));
}

// A 3-cell flight pack sagging under load, the current drawn and the capacity used.
struct Power {
  double amperes;
  double packVolts;
  double usedMah;
};

void writePowerSensors(LogBuilder::Record& record, const Power& p) {
  record.word(kVoltageSlot, static_cast<std::uint16_t>(0x8000 | tenths(p.packVolts)));
  record.word(kVoltageSlot + 1, static_cast<std::uint16_t>(tenths(5.1)));
  record.word(kCurrentSlot, static_cast<std::uint16_t>(0x4000 | std::lround(p.amperes * 100)));
  record.word(kCurrentSlot + 1, static_cast<std::uint16_t>(std::lround(p.packVolts * 100)));
  record.word(kCurrentSlot + 2, static_cast<std::uint16_t>(std::lround(p.usedMah)));
}

// Motor temperature (little-endian word, offset 100) and motor rotation (little-endian, rpm / 6).
void writeMotorSensors(LogBuilder::Record& record, const FlightState& s, double temperatureRise) {
  const int raw =
      100 + 22 + static_cast<int>(std::lround(temperatureRise * smoothStep(10, 120, s.seconds)));
  record.bytes(kTemperatureSlot, raw & 0xFF, 0x80 | raw >> 8);
  const int revolutions = static_cast<int>(std::lround(s.throttle * 9000 / 6));
  record.bytes(kRpmSlot, revolutions & 0xFF, revolutions >> 8);
}

// The barometric altitude sensor: a pressure height field with an arbitrary zero and the climb
// rate offset by 150 m/s, both in tenths, and the valid flag.
void writeAltitudeSensor(LogBuilder::Record& record, const FlightState& s) {
  StreamBytes<3>()
      .field(17, 16, static_cast<std::uint32_t>(3000 + tenths(s.height)))
      .field(33, 12, static_cast<std::uint32_t>(1500 + tenths(s.climbRate)))
      .flag(45, true)
      .into(record, kAltitudeSlot);
}

void writeGps(LogBuilder::Record& record, const FlightState& s, int timeOfDay) {
  const bool fix = s.seconds >= 5;  // the receiver needs a few seconds for its first fix
  const double latitude = kFieldLatitude + s.north * kUnitsPerMetreNorth;
  const double longitude =
      kFieldLongitude + s.east * kUnitsPerMetreNorth / std::cos(48.2 * kPi / 180);
  StreamBytes<8>()
      .field(0, 17, static_cast<std::uint32_t>(timeOfDay))
      .field(17, 26, static_cast<std::uint32_t>(std::lround(latitude)))
      .field(44, 27, static_cast<std::uint32_t>(std::lround(longitude)))
      .field(72, 9, static_cast<std::uint32_t>(std::lround(s.groundSpeed)))
      .flag(81, fix)
      .field(82, 3, fix ? 3 : 0)
      .field(99, 16, static_cast<std::uint32_t>(9000 + tenths(s.height)))
      .field(115, 12, static_cast<std::uint32_t>(1500 + tenths(s.climbRate)))
      .flag(127, fix)
      .into(record, kGpsSlot);
}

}  // namespace

namespace trelvox {

std::int16_t stick(double position) {
  return static_cast<std::int16_t>(1024 + std::lround(std::clamp(position, -1.0, 1.0) * 1000));
}

LogBuilder demoFlight(const DemoFlightShape& shape) {
  LogBuilder log;
  log.sensor(kVoltageSlot, trelvox::typeIdOf<trelvox::VoltageSensorDecoder>())
      .sensor(kCurrentSlot, trelvox::typeIdOf<trelvox::OrvaneCurrentSensorDecoder>())
      .sensor(kTemperatureSlot, trelvox::typeIdOf<trelvox::OrvaneTemperatureSensorDecoder>())
      .sensor(kRpmSlot, trelvox::typeIdOf<trelvox::RpmSensorDecoder>())
      .sensor(kAltitudeSlot, trelvox::typeIdOf<trelvox::OrvaneAltitudeSensorDecoder>())
      .sensor(kGpsSlot, trelvox::typeIdOf<trelvox::OrvaneGpsDecoder>());
  const int rate = shape.recordsPerSecond;
  const int records = static_cast<int>(std::lround(kShapeSeconds / shape.pace)) * rate;
  Power power{0, 12.6, 0};
  for (int i = 0; i < records; ++i) {
    const double seconds = static_cast<double>(i) / rate;
    const FlightState s = flightAt(seconds * shape.pace);
    power.amperes = 0.4 + 38 * shape.load * s.throttle * s.throttle;
    power.usedMah += power.amperes * 1000 / 3600 / rate;
    power.packVolts = 12.6 - power.usedMah / 2200 * 1.4 - power.amperes * 0.012;

    LogBuilder::Record& record =
        log.record().time(static_cast<std::uint32_t>(52000 + i * (1000 / rate)));
    writeChannels(record, s);
    writeReceiver(record, i, s, shape);
    writePowerSensors(record, power);
    writeMotorSensors(record, s, shape.temperatureRise);
    writeAltitudeSensor(record, s);
    writeGps(record, s, shape.startSecondOfDay + static_cast<int>(seconds));
  }
  return log;
}

}  // namespace trelvox
