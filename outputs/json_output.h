#pragma once

#include <string>

#include "outputs/flight_summary.h"
#include "outputs/health/health_check.h"

namespace trelvox {

// What the JSON file names besides the summary: the program's version and the log's two files.
struct JsonNames {
  std::string version;
  std::string dataFile;
  std::string infoFile;
};

// The flight summary as the JSON document of `--json` (keys as the README lists them), with the
// health check's report as its `health` object where one is given. Numbers are JSON numbers, never
// locale texts; a reading that never arrived is null.
std::string jsonText(const FlightSummary& summary, const JsonNames& names,
                     const HealthReport* health = nullptr);

}  // namespace trelvox
