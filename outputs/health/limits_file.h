#pragma once

// The limits file of the health check (trelvox.toml): which readings a pilot wants watched and
// how the checks on the whole log are tuned. Every number is kept as an exact decimal (a Reading:
// digits and decimal scale), so that 4.8 V is not below a limit of 4.8.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "outputs/health/limits_fault.h"
#include "values/quantity.h"
#include "values/tracked_reading.h"

namespace trelvox {

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

// A key of the [checks] table that belongs to a check of the whole log (see log_checks.h): one
// number, or a list of an amber number and perhaps a red one above it; its default in the same
// form (a number as amber alone).
struct CheckSetting {
  enum class Form : std::uint8_t { kNumber, kAmberAndRed };
  std::string_view key;
  Form form;
  Thresholds defaultValue;
  bool mayBeNegative = false;
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
  // Outside records of one item and direction within this many seconds make one event.
  Reading merge{20, 1, true};
  // The built-in receiver battery limit.
  bool defaults = true;
  // The checks of the whole log the file turns off, by name.
  std::vector<std::string> off;
  // The settings of the checks of the whole log that the file gives, by key.
  std::vector<std::pair<std::string, Thresholds>> settings;
  // In file order: among equally specific limits the later one wins.
  std::vector<Limit> limits;
  FlightRule flights;
  // The [model] table's name, which the logbook page groups logs by.
  std::optional<std::string> model;

  bool isOff(std::string_view check) const;
  // The file's value of `setting`, else its default.
  const Thresholds& valueOf(const CheckSetting& setting) const;
};

// The receiver's own battery: below 4.8 V amber, below 4.4 V red. It counts as the first limit of
// every file that leaves `defaults` on.
Limit builtInReceiverLimit();

// The limits in `text`, a file shown to users as `file`. Throws LimitsFileFault for a syntax
// error (a decimal comma and a missing quote told as such), an unknown table or key (with the
// nearest known one), a value of the wrong type, an unknown quantity or check name, a limit that
// names no key or has neither `below` nor `above`, a red value not beyond its amber value, and a
// number out of range.
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
