#pragma once

// The values a log was judged by, its limits file's or the defaults: what makes a flight, the
// settings of the checks of the whole log and the checks turned off. The logbook page states them.

#include <string_view>
#include <vector>

#include "outputs/health/limits_file.h"

namespace trelvox {

// A setting of a check of the whole log (see log_checks.h): the check's name, the setting's key in
// the [checks] table and its value.
struct CheckValue {
  std::string_view check;
  std::string_view key;
  Thresholds value;
};

struct LogRules {
  FlightRule flights{};
  // The settings of every check that is on, in the order of the checks.
  std::vector<CheckValue> checks{};
  // The checks turned off, by name, in the order of the checks.
  std::vector<std::string_view> off{};
};

LogRules logRulesOf(const HealthLimits& limits);

}  // namespace trelvox
