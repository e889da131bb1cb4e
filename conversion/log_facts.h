#pragma once

#include <chrono>
#include <cstddef>
#include <optional>
#include <string>

#include "outputs/health/limits_file.h"
#include "outputs/text/separators.h"

namespace trelvox {

// What the outputs of one log know of it besides its records.
struct LogFacts {
  std::string logName{};   // the data file's name (UTF-8)
  std::string infoName{};  // the information file's name (UTF-8)
  std::chrono::year_month_day date{};
  // The whole records the data file holds, as its size tells (0 where unknown).
  std::size_t expectedRecords = 0;
  Separators separators{};
  // The health check's limits, and the file they come from as shown to users (none for the
  // built-in defaults).
  HealthLimits limits{};
  std::optional<std::string> limitsFile{};
  // The [model] name of the limits file, else the name of the log's folder (UTF-8).
  std::string model{};
};

}  // namespace trelvox
