#pragma once

// The health check's checks of the whole log (gaps, a clock that went back, a lost GPS fix, ...),
// one rule each, listed in one table as the decoders are. A rule is a small class with its name,
// its settings in the limits file's [checks] table with their defaults, what it watches in each
// record, what it decides once the log has ended, and whether the log gave it anything to check.

#include <memory>
#include <optional>
#include <span>
#include <string_view>
#include <type_traits>

#include "outputs/health/health_event.h"
#include "outputs/health/limits_file.h"
#include "outputs/log_output.h"
#include "values/record_clock.h"

namespace trelvox {

class TrackSource;

// What a rule is given as the log starts.
struct CheckStart {
  const HealthLimits& limits;
  Decoders decoders;
  // Followed before the health check: its sensor is the one whose fix is watched.
  const TrackSource& track;
};

// The log as a rule sees it once it has ended; `clock` is at the last record.
struct CheckEnd {
  const RecordClock& clock;
  Decoders decoders;
  const LogTotals& totals;
};

// A rule's events need only say how bad and when, and what they are about: the health check adds
// which rule found them and their order.
class LogCheck {
 public:
  virtual ~LogCheck() = default;
  // Per record, after the decoders have read it; `clock` is at this record.
  virtual std::optional<HealthEvent> record(const RecordClock&) { return std::nullopt; }
  // Whether the log gave the rule anything to look at; a rule without is listed as not checked.
  virtual bool hasSomethingToCheck(const CheckEnd&) const { return true; }
  // Once the log has ended, for a rule with something to check.
  virtual std::optional<HealthEvent> end(const CheckEnd&) { return std::nullopt; }
};

// Where a rule's events go among those that begin at the same record: a step between two records
// comes before the limits that began at the first of them, anything else after.
enum class TieOrder : std::uint8_t { kBeforeLimits, kAfterLimits };

struct LogCheckRow {
  // As the limits file's `off` list, the JSON and the texts name it.
  std::string_view name;
  std::span<const CheckSetting> settings;
  TieOrder tieOrder;
  // Whether the rule looks at each record: only those are called per record.
  bool watchesRecords;
  std::unique_ptr<LogCheck> (*make)(const CheckStart& start);
};

// A rule's row, from what its class declares: kName, kSettings, kTieOrder, a constructor that
// takes a CheckStart, and whether it has a record() of its own.
template <typename Check>
LogCheckRow logCheckRow() {
  return {Check::kName, Check::kSettings, Check::kTieOrder,
          !std::is_same_v<decltype(&Check::record), decltype(&LogCheck::record)>,
          [](const CheckStart& start) -> std::unique_ptr<LogCheck> {
            return std::make_unique<Check>(start);
          }};
}

// Every rule, in the order the limits file's messages list them and not_checked names them.
std::span<const LogCheckRow> logChecks();

}  // namespace trelvox
