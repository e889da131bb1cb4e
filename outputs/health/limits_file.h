#pragma once

// The limits file of the health check (trelvox.toml): which readings a pilot wants watched and
// how the checks on the whole log are tuned. Every number is kept as an exact decimal (a Reading:
// digits and decimal scale), so that 4.8 V is not below a limit of 4.8.

#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "values/quantity.h"
#include "values/tracked_reading.h"

namespace trelvox {

// The checks on the whole log, which run unless the file turns them off.
enum class LogCheck : std::uint8_t { kGap, kClockBack, kGpsFixLost, kEndsInAir, kCutShort };
inline constexpr std::size_t kLogChecks = 5;

// The check's name as the limits file and the JSON spell it.
constexpr std::string_view logCheckName(LogCheck check) {
  constexpr std::string_view kNames[kLogChecks] = {"gap", "clock_back", "gps_fix_lost",
                                                   "ends_in_air", "cut_short"};
  return kNames[static_cast<std::size_t>(check)];
}

// An amber value and, where given, a red one beyond it.
struct Thresholds {
  Reading amber;
  std::optional<Reading> red{};
};

// One [[limit]]: the keys it matches items by (any it leaves out match every item), the reading
// divided by `cells` before comparing, and its thresholds in either direction.
struct Limit {
  std::optional<std::string> sensor{};
  std::optional<int> slot{};
  std::optional<std::string> item{};
  std::optional<Quantity> quantity{};
  int cells = 1;
  std::optional<Thresholds> below{};
  std::optional<Thresholds> above{};

  // How many of the four keys the limit names: the more, the more it is meant for an item.
  int keyCount() const {
    return sensor.has_value() + slot.has_value() + item.has_value() + quantity.has_value();
  }
};

// What makes a flight within a log (the [flights] table): a record is airborne at `height` metres
// or `speed` km/h; airborne spans at most `join` seconds apart are one; a flight lasts at least
// `shortest` seconds.
struct FlightRule {
  Reading height{30, 1, true};
  Reading speed{150, 1, true};
  Reading join{10, 0, true};
  Reading shortest{5, 0, true};
};

// What the file says; a log without a file is checked with these defaults. Times in seconds,
// heights in metres.
struct HealthLimits {
  Thresholds gap{.amber = {10, 1, true}, .red = Reading{50, 1, true}};
  Reading merge{20, 1, true};
  Reading fixLost{20, 1, true};
  Reading endsAbove{30, 1, true};
  // The built-in receiver battery limit.
  bool defaults = true;
  std::array<bool, kLogChecks> off{};
  // In file order: among equally specific limits the later one wins.
  std::vector<Limit> limits;
  FlightRule flights;
  // The [model] table's name, which the logbook page groups logs by.
  std::optional<std::string> model;

  bool isOff(LogCheck check) const { return off[static_cast<std::size_t>(check)]; }
};

// The receiver's own battery: below 4.8 V amber, below 4.4 V red. It counts as the first limit of
// every file that leaves `defaults` on.
Limit builtInReceiverLimit();

// A fault in a limits file: where it is (line and column from 1; 0 where the parser gives none)
// and what is wrong. what() reads "FILE:LINE:COLUMN: what is wrong", or "FILE: what is wrong" for
// a fault of the file as a whole.
class LimitsFileFault : public std::runtime_error {
 public:
  LimitsFileFault(std::string_view file, int line, int column, const std::string& problem);

  int line() const { return line_; }
  int column() const { return column_; }

 private:
  int line_;
  int column_;
};

// The limits in `text`, a file shown to users as `file`. Throws LimitsFileFault for a syntax
// error, an unknown table or key, a value of the wrong type, an unknown quantity or check name, a
// limit that names no key or has neither `below` nor `above`, a red value not beyond its amber
// value, and a number out of range.
HealthLimits parseLimits(std::string_view text, std::string_view file);

// The limits in the file at `path` (shown as `file`); a file that cannot be read is a fault too.
HealthLimits readLimitsFile(const std::filesystem::path& path, std::string_view file);

// The name of the limits file looked for beside a log.
inline constexpr std::string_view kLimitsFileName = "trelvox.toml";

// The limits file for the log whose data file is `dataFile`: trelvox.toml in the log's folder, or
// in the nearest folder above it that has one (one file per model folder, or one for the whole
// card). Absolute; nothing when no folder up to the root has one.
std::optional<std::filesystem::path> findLimitsFile(const std::filesystem::path& dataFile);

}  // namespace trelvox
