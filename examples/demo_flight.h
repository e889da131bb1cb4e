#pragma once

// The demo flight: four minutes of a plausible flight from a model carrying a voltage sensor, a
// current sensor, a temperature sensor, an RPM sensor, an altitude sensor and a GPS that circles
// a field while climbing and descending. Its shape can be varied, so that a demo card's logs
// differ as a pilot's do.

#include <cstdint>
#include <optional>

#include "support/log_builder.h"

namespace trelvox {

struct DemoFlightShape {
  int recordsPerSecond = 10;
  // How fast the flight runs through its shape: 2 flies it in two minutes.
  double pace = 1.0;
  // How hard the motor works: the current scales with it.
  double load = 1.0;
  // The receiver battery at the start, in 0.1 V, and how far the motor warms up.
  int receiverTenths = 52;
  double temperatureRise = 30;
  // The GPS's UTC time of day at the first record.
  int startSecondOfDay = 14 * 3600 + 5 * 60;
  // A receiver brownout: two seconds at brownoutTenths from this second of the flight on.
  std::optional<double> brownoutAt = std::nullopt;
  int brownoutTenths = 43;
};

LogBuilder demoFlight(const DemoFlightShape& shape = {});

// A stick position (-1 to 1) as a channel word: 1024 is centre, +-1000 is full travel.
std::int16_t stick(double position);

}  // namespace trelvox
