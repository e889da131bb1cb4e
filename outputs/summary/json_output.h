#pragma once

#include <string>

#include "outputs/health/health_check.h"
#include "outputs/log_output.h"
#include "outputs/summary/flight_summary.h"
#include "outputs/text/byte_sink.h"

namespace trelvox {

// What the JSON file names besides the summary: the program's version, the log's two files and
// the model it belongs to.
struct JsonNames {
  std::string version;
  std::string dataFile;
  std::string infoFile;
  std::string model{};
};

// The flight summary as the JSON document of `--json` (keys as the README lists them), with the
// health check's report as its `health` object. Numbers are JSON numbers, never locale texts; a
// reading that never arrived is null.
std::string jsonText(const FlightSummary& summary, const HealthReport& health,
                     const JsonNames& names);

// The JSON file: the summary's document, written once the log has ended. `summary` and `health`
// end first.
class JsonOutput final : public LogOutput {
 public:
  JsonOutput(ByteSink& sink, const FlightSummaryOutput& summary, const HealthCheck& health,
             JsonNames names)
      : sink_(sink), summary_(summary), health_(health), names_(std::move(names)) {}

  void end(const LogTotals&) override {
    sink_.write(jsonText(summary_.summary(), health_.report(), names_));
  }

 private:
  ByteSink& sink_;
  const FlightSummaryOutput& summary_;
  const HealthCheck& health_;
  JsonNames names_;
};

}  // namespace trelvox
