#include "outputs/health/limits_file.h"

#include <toml++/toml.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <iterator>

#include "outputs/health/exact_decimal.h"
#include "outputs/health/log_checks.h"
#include "outputs/text/decimal_text.h"

namespace trelvox {
namespace {

namespace fs = std::filesystem;

// Limits beyond these are typing errors, and staying inside them keeps every comparison within
// 128-bit integers.
constexpr double kLargestMagnitude = 1e12;
constexpr int kMostDecimals = 9;
constexpr int kMostCells = 100;
constexpr int kHighestSlot = 31;

// Reads one file's tree, each fault named with its place in the file.
class LimitsReader {
 public:
  explicit LimitsReader(std::string_view file) : file_(file) {}

  HealthLimits read(const toml::table& root) {
    for (auto&& [key, node] : root) {
      if (key == "checks") {
        readChecks(tableAt(node, key));
      } else if (key == "limit") {
        readLimits(node, key);
      } else if (key == "flights") {
        readFlights(tableAt(node, key));
      } else if (key == "model") {
        readModel(tableAt(node, key));
      } else {
        unknownKey(key);
      }
    }
    return std::move(limits_);
  }

  [[noreturn]] void fault(const toml::source_region& where, const std::string& problem) const {
    throw LimitsFileFault(file_, static_cast<int>(where.begin.line),
                          static_cast<int>(where.begin.column), problem);
  }

 private:
  // Appended piece by piece: GCC 12 warns wrongly about chains of std::string +.
  static std::string quoted(const toml::key& key) {
    std::string text = "\"";
    text.append(key.str());
    return text.append("\"");
  }

  [[noreturn]] void unknownKey(const toml::key& key) const {
    fault(key.source(), "unknown table or key " + quoted(key));
  }

  [[noreturn]] void wrongType(const toml::node& node, const toml::key& key,
                              std::string_view expected) const {
    fault(node.source(), quoted(key) + " must be " + std::string(expected));
  }

  const toml::table& tableAt(const toml::node& node, const toml::key& key) const {
    if (!node.is_table()) wrongType(node, key, "a table");
    return *node.as_table();
  }

  void readChecks(const toml::table& checks) {
    for (auto&& [key, node] : checks) {
      if (key == "merge") {
        limits_.merge = notNegative(node, key);
      } else if (key == "defaults") {
        if (!node.is_boolean()) wrongType(node, key, "true or false");
        limits_.defaults = node.as_boolean()->get();
      } else if (key == "off") {
        readOff(node, key);
      } else if (const CheckSetting* setting = checkSetting(key.str())) {
        limits_.settings.emplace_back(key.str(), settingValue(*setting, node, key));
      } else {
        unknownKey(key);
      }
    }
  }

  static const CheckSetting* checkSetting(std::string_view key) {
    for (const LogCheckRow& check : logChecks()) {
      for (const CheckSetting& setting : check.settings) {
        if (setting.key == key) return &setting;
      }
    }
    return nullptr;
  }

  Thresholds settingValue(const CheckSetting& setting, const toml::node& node,
                          const toml::key& key) const {
    const Thresholds value = setting.form == CheckSetting::Form::kAmberAndRed
                                 ? thresholds(node, key, false)
                                 : Thresholds{.amber = number(node, key)};
    if (!setting.mayBeNegative && value.amber.number < 0) {
      fault(node.source(), quoted(key) + " must not be negative");
    }
    return value;
  }

  void readFlights(const toml::table& flights) {
    FlightRule& rule = limits_.flights;
    for (auto&& [key, node] : flights) {
      Reading* value = key == "height"     ? &rule.height
                       : key == "speed"    ? &rule.speed
                       : key == "join"     ? &rule.join
                       : key == "shortest" ? &rule.shortest
                                           : nullptr;
      if (value == nullptr) unknownKey(key);
      *value = notNegative(node, key);
    }
  }

  void readModel(const toml::table& model) {
    for (auto&& [key, node] : model) {
      if (key != "name") unknownKey(key);
      limits_.model = text(node, key);
    }
  }

  void readOff(const toml::node& node, const toml::key& key) {
    if (!node.is_array()) wrongType(node, key, "a list of check names");
    for (const toml::node& entry : *node.as_array()) {
      if (!entry.is_string()) wrongType(entry, key, "a list of check names");
      limits_.off.push_back(checkName(entry));
    }
  }

  std::string checkName(const toml::node& entry) const {
    const std::string& name = entry.as_string()->get();
    std::string names;
    for (const LogCheckRow& check : logChecks()) {
      if (check.name == name) return name;
      names.append(names.empty() ? "" : ", ").append(check.name);
    }
    fault(entry.source(), "unknown check \"" + name + "\" (the checks are " + names + ")");
  }

  void readLimits(const toml::node& node, const toml::key& key) {
    if (!node.is_array_of_tables()) wrongType(node, key, "written as [[limit]] tables");
    for (const toml::node& entry : *node.as_array()) {
      limits_.limits.push_back(limitOf(*entry.as_table()));
    }
  }

  Limit limitOf(const toml::table& table) const {
    Limit limit;
    for (auto&& [key, node] : table) {
      if (key == "sensor") {
        limit.sensor = text(node, key);
      } else if (key == "slot") {
        limit.slot = wholeNumber(node, key, 0, kHighestSlot);
      } else if (key == "item") {
        limit.item = text(node, key);
      } else if (key == "quantity") {
        limit.quantity = quantityOf(node, key);
      } else if (key == "cells") {
        limit.cells = wholeNumber(node, key, 1, kMostCells);
      } else if (key == "below") {
        limit.below = thresholds(node, key, true);
      } else if (key == "above") {
        limit.above = thresholds(node, key, false);
      } else {
        unknownKey(key);
      }
    }
    if (limit.keyCount() == 0) {
      fault(table.source(), "a limit names none of sensor, slot, item or quantity");
    }
    if (!limit.below && !limit.above) fault(table.source(), "a limit has neither below nor above");
    return limit;
  }

  std::string text(const toml::node& node, const toml::key& key) const {
    if (!node.is_string()) wrongType(node, key, "a text in quotes");
    return node.as_string()->get();
  }

  int wholeNumber(const toml::node& node, const toml::key& key, int lowest, int highest) const {
    if (!node.is_integer()) wrongType(node, key, "a whole number");
    const std::int64_t value = node.as_integer()->get();
    if (value < lowest || value > highest) {
      fault(node.source(), quoted(key) + " must be from " + std::to_string(lowest) + " to " +
                               std::to_string(highest));
    }
    return static_cast<int>(value);
  }

  Quantity quantityOf(const toml::node& node, const toml::key& key) const {
    const std::string name = text(node, key);
    for (auto q = static_cast<std::uint8_t>(Quantity::kVoltage);
         q <= static_cast<std::uint8_t>(Quantity::kOther); ++q) {
      if (quantityName(static_cast<Quantity>(q)) == name) return static_cast<Quantity>(q);
    }
    fault(node.source(), "unknown quantity \"" + name + "\"");
  }

  // A number as an exact decimal: an integer as it is; a float as the shortest decimal text that
  // reads back as the same double, which is what the pilot wrote (4.8, not 4.79999...).
  Reading number(const toml::node& node, const toml::key& key) const {
    if (node.is_integer()) return exactNumber(node, key, node.as_integer()->get(), 0);
    if (!node.is_floating_point()) wrongType(node, key, "a number");
    const double value = node.as_floating_point()->get();
    if (!(std::fabs(value) < kLargestMagnitude)) outOfRange(node, key);
    const std::string text = decimalText(value);
    const std::string_view shown = text;
    const std::size_t point = shown.find('.');
    if (point == std::string_view::npos)
      return exactNumber(node, key, std::stoll(std::string(shown)), 0);
    const std::string_view fraction = shown.substr(point + 1);
    if (fraction.size() > kMostDecimals) outOfRange(node, key);
    std::string digits(shown.substr(0, point));
    digits += fraction;
    return exactNumber(node, key, std::stoll(digits), static_cast<int>(fraction.size()));
  }

  Reading exactNumber(const toml::node& node, const toml::key& key, std::int64_t digits,
                      int decimals) const {
    std::int64_t whole = digits;
    for (int d = 0; d < decimals; ++d) whole /= 10;
    if (whole <= -static_cast<std::int64_t>(kLargestMagnitude) ||
        whole >= static_cast<std::int64_t>(kLargestMagnitude)) {
      outOfRange(node, key);
    }
    return {digits, static_cast<std::int8_t>(decimals), true};
  }

  [[noreturn]] void outOfRange(const toml::node& node, const toml::key& key) const {
    fault(node.source(), quoted(key) + " must lie within 10^12 and have at most 9 decimals");
  }

  Reading notNegative(const toml::node& node, const toml::key& key) const {
    const Reading value = number(node, key);
    if (value.number < 0) fault(node.source(), quoted(key) + " must not be negative");
    return value;
  }
  // `[amber]` or `[amber, red]`, red beyond amber: lower for a lower limit, higher otherwise.
  Thresholds thresholds(const toml::node& node, const toml::key& key, bool lower) const {
    const toml::array* values = node.as_array();
    if (!values || values->empty() || values->size() > 2) {
      wrongType(node, key, "a list of one or two numbers: [amber] or [amber, red]");
    }
    Thresholds thresholds{.amber = number(*values->get(0), key)};
    if (values->size() == 1) return thresholds;
    const Reading red = number(*values->get(1), key);
    const int order = compareExact(red, thresholds.amber);
    if (lower ? order >= 0 : order <= 0) {
      fault(values->get(1)->source(), quoted(key) + ": the red value must be " +
                                          (lower ? "lower" : "higher") + " than the amber value");
    }
    thresholds.red = red;
    return thresholds;
  }

  std::string_view file_;
  HealthLimits limits_;
};

}  // namespace

bool HealthLimits::isOff(std::string_view check) const {
  return std::ranges::find(off, check) != off.end();
}

const Thresholds& HealthLimits::valueOf(const CheckSetting& setting) const {
  for (const auto& [key, value] : settings) {
    if (key == setting.key) return value;
  }
  return setting.defaultValue;
}

Limit builtInReceiverLimit() {
  return {.sensor = "RECEIVER",
          .item = "BATTERY",
          .below = Thresholds{.amber = {48, 1, true}, .red = Reading{44, 1, true}}};
}

namespace {

// "FILE:LINE:COLUMN: problem", or "FILE: problem" for the file as a whole.
std::string faultText(std::string_view file, int line, int column, const std::string& problem) {
  std::string text(file);
  if (line > 0) text.append(":").append(std::to_string(line));
  if (line > 0 && column > 0) text.append(":").append(std::to_string(column));
  return text.append(": ").append(problem);
}

}  // namespace

LimitsFileFault::LimitsFileFault(std::string_view file, int line, int column,
                                 const std::string& problem)
    : std::runtime_error(faultText(file, line, column, problem)), line_(line), column_(column) {}

HealthLimits parseLimits(std::string_view text, std::string_view file) {
  toml::table root;
  try {
    root = toml::parse(text, file);
  } catch (const toml::parse_error& e) {
    throw LimitsFileFault(file, static_cast<int>(e.source().begin.line),
                          static_cast<int>(e.source().begin.column),
                          "syntax error: " + std::string(e.description()));
  }
  return LimitsReader(file).read(root);
}

HealthLimits readLimitsFile(const fs::path& path, std::string_view file) {
  std::ifstream in(path, std::ios::binary);
  if (!in || fs::is_directory(path)) throw LimitsFileFault(file, 0, 0, "cannot be read");
  const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  if (in.bad()) throw LimitsFileFault(file, 0, 0, "cannot be read");
  return parseLimits(text, file);
}

std::optional<fs::path> findLimitsFile(const fs::path& dataFile) {
  std::error_code error;
  fs::path folder = fs::absolute(dataFile, error).lexically_normal().parent_path();
  if (error) return std::nullopt;
  while (true) {
    const fs::path candidate = folder / kLimitsFileName;
    if (fs::exists(candidate, error) && !fs::is_directory(candidate, error)) return candidate;
    if (folder == folder.parent_path() || folder.empty()) return std::nullopt;
    folder = folder.parent_path();
  }
}

}  // namespace trelvox
