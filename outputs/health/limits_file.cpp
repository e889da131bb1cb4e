#include "outputs/health/limits_file.h"

#include <toml++/toml.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <fstream>
#include <iterator>
#include <span>

#include "outputs/health/exact_decimal.h"
#include "outputs/health/log_checks.h"
#include "outputs/health/nearest_key.h"
#include "outputs/health/syntax_hint.h"
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

constexpr std::array<std::string_view, 4> kTables{"checks", "limit", "flights", "model"};
constexpr std::array<std::string_view, 7> kLimitKeys{"sensor", "slot",  "item", "quantity",
                                                     "cells",  "below", "above"};
constexpr std::array<std::string_view, 4> kFlightKeys{"height", "speed", "join", "shortest"};
constexpr std::array<std::string_view, 1> kModelKeys{"name"};

// The keys of [checks]: its own, then every check's settings.
std::vector<std::string_view> checksKeys() {
  std::vector<std::string_view> keys{"merge", "defaults", "off"};
  for (const LogCheckRow& check : logChecks()) {
    for (const CheckSetting& setting : check.settings) keys.push_back(setting.key);
  }
  return keys;
}

TextPlace placeOf(const toml::source_position& position) {
  return {static_cast<int>(position.line), static_cast<int>(position.column)};
}

[[noreturn]] void throwFault(LimitsFault fault, std::string_view file) {
  fault.file = file;
  throw LimitsFileFault(std::move(fault));
}

// Reads one file's tree, each fault named with its place in the file.
class LimitsReader {
 public:
  LimitsReader(std::string_view text, std::string_view file) : text_(text), file_(file) {}

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
        unknownKey(key, kTables);
      }
    }
    return std::move(limits_);
  }

 private:
  [[noreturn]] void fault(const toml::source_region& where, LimitsFault fault) const {
    const TextPlace place = placeOf(where.begin);
    fault.line = place.line;
    fault.column = place.column;
    throwFault(std::move(fault), file_);
  }

  [[noreturn]] void fault(const toml::node& node, LimitsFaultKind kind,
                          const toml::key& key) const {
    fault(node.source(), {.kind = kind, .key = std::string(key.str())});
  }

  [[noreturn]] void unknownKey(const toml::key& key,
                               std::span<const std::string_view> known) const {
    LimitsFault unknown{.kind = LimitsFaultKind::kUnknownKey, .key = std::string(key.str())};
    if (const auto nearest = nearestKey(key.str(), known)) {
      unknown.nearest = std::string(*nearest);
    } else {
      unknown.choices.assign(known.begin(), known.end());
    }
    fault(key.source(), std::move(unknown));
  }

  const toml::table& tableAt(const toml::node& node, const toml::key& key) const {
    if (!node.is_table()) {
      fault(node.source(), {.kind = LimitsFaultKind::kNotATable,
                            .key = std::string(key.str()),
                            .suggestion = "[" + std::string(key.str()) + "]"});
    }
    return *node.as_table();
  }

  void readChecks(const toml::table& checks) {
    for (auto&& [key, node] : checks) {
      if (key == "merge") {
        limits_.merge = notNegative(node, key);
      } else if (key == "defaults") {
        if (!node.is_boolean()) fault(node, LimitsFaultKind::kNotTrueOrFalse, key);
        limits_.defaults = node.as_boolean()->get();
      } else if (key == "off") {
        readOff(node, key);
      } else if (const CheckSetting* setting = checkSetting(key.str())) {
        limits_.settings.emplace_back(key.str(), settingValue(*setting, node, key));
      } else {
        unknownKey(key, checksKeys());
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
      fault(node, LimitsFaultKind::kNegative, key);
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
      if (value == nullptr) unknownKey(key, kFlightKeys);
      *value = notNegative(node, key);
    }
  }

  void readModel(const toml::table& model) {
    for (auto&& [key, node] : model) {
      if (key != "name") unknownKey(key, kModelKeys);
      limits_.model = text(node, key);
    }
  }

  void readOff(const toml::node& node, const toml::key& key) {
    if (!node.is_array()) fault(node, LimitsFaultKind::kNotCheckNames, key);
    for (const toml::node& entry : *node.as_array()) {
      if (!entry.is_string()) fault(entry, LimitsFaultKind::kNotCheckNames, key);
      limits_.off.push_back(checkName(entry, key));
    }
  }

  std::string checkName(const toml::node& entry, const toml::key& key) const {
    const std::string& name = entry.as_string()->get();
    std::vector<std::string> names;
    for (const LogCheckRow& check : logChecks()) {
      if (check.name == name) return name;
      names.emplace_back(check.name);
    }
    unknownName(entry, key, name, std::move(names));
  }

  [[noreturn]] void unknownName(const toml::node& node, const toml::key& key,
                                const std::string& name, std::vector<std::string> names) const {
    fault(node.source(), {.kind = LimitsFaultKind::kUnknownName,
                          .key = std::string(key.str()),
                          .written = name,
                          .choices = std::move(names)});
  }

  void readLimits(const toml::node& node, const toml::key& key) {
    if (!node.is_array_of_tables()) {
      fault(node.source(), {.kind = LimitsFaultKind::kNotATable,
                            .key = std::string(key.str()),
                            .suggestion = "[[" + std::string(key.str()) + "]]"});
    }
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
        unknownKey(key, kLimitKeys);
      }
    }
    if (limit.keyCount() == 0) {
      fault(table.source(), {.kind = LimitsFaultKind::kLimitLacksKey,
                             .choices = {"sensor", "slot", "item", "quantity"}});
    }
    if (!limit.below && !limit.above) {
      fault(table.source(),
            {.kind = LimitsFaultKind::kLimitLacksKey, .choices = {"below", "above"}});
    }
    return limit;
  }

  std::string text(const toml::node& node, const toml::key& key) const {
    if (!node.is_string()) fault(node, LimitsFaultKind::kNotText, key);
    return node.as_string()->get();
  }

  int wholeNumber(const toml::node& node, const toml::key& key, int lowest, int highest) const {
    const std::optional<std::int64_t> value = node.value_exact<std::int64_t>();
    if (!node.is_integer() || *value < lowest || *value > highest) {
      fault(node.source(), {.kind = LimitsFaultKind::kNotWholeNumber,
                            .key = std::string(key.str()),
                            .lowest = lowest,
                            .highest = highest});
    }
    return static_cast<int>(*value);
  }

  Quantity quantityOf(const toml::node& node, const toml::key& key) const {
    const std::string name = text(node, key);
    std::vector<std::string> names;
    for (auto q = static_cast<std::uint8_t>(Quantity::kVoltage);
         q <= static_cast<std::uint8_t>(Quantity::kOther); ++q) {
      if (quantityName(static_cast<Quantity>(q)) == name) return static_cast<Quantity>(q);
      names.emplace_back(quantityName(static_cast<Quantity>(q)));
    }
    unknownName(node, key, name, std::move(names));
  }

  // A number as an exact decimal: an integer as it is; a float as the shortest decimal text that
  // reads back as the same double, which is what the pilot wrote (4.8, not 4.79999...).
  Reading number(const toml::node& node, const toml::key& key) const {
    if (node.is_integer()) return exactNumber(node, key, node.as_integer()->get(), 0);
    if (!node.is_floating_point()) fault(node, LimitsFaultKind::kNotNumber, key);
    const double value = node.as_floating_point()->get();
    if (!(std::fabs(value) < kLargestMagnitude)) fault(node, LimitsFaultKind::kTooLarge, key);
    const std::string text = decimalText(value);
    const std::string_view shown = text;
    const std::size_t point = shown.find('.');
    if (point == std::string_view::npos)
      return exactNumber(node, key, std::stoll(std::string(shown)), 0);
    const std::string_view fraction = shown.substr(point + 1);
    if (fraction.size() > kMostDecimals) fault(node, LimitsFaultKind::kTooLarge, key);
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
      fault(node, LimitsFaultKind::kTooLarge, key);
    }
    return {digits, static_cast<std::int8_t>(decimals), true};
  }

  Reading notNegative(const toml::node& node, const toml::key& key) const {
    const Reading value = number(node, key);
    if (value.number < 0) fault(node, LimitsFaultKind::kNegative, key);
    return value;
  }

  // `[amber]` or `[amber, red]`, red beyond amber: lower for a lower limit, higher otherwise.
  Thresholds thresholds(const toml::node& node, const toml::key& key, bool lower) const {
    const toml::array* values = node.as_array();
    if (!values || values->empty() || values->size() > 2) {
      decimalCommaIn(node);
      fault(node, LimitsFaultKind::kNotAmberAndRed, key);
    }
    Thresholds thresholds{.amber = number(*values->get(0), key)};
    if (values->size() == 1) return thresholds;
    const Reading red = number(*values->get(1), key);
    const int order = compareExact(red, thresholds.amber);
    if (lower ? order >= 0 : order <= 0) {
      decimalCommaIn(node);
      fault(values->get(1)->source(),
            {.kind = lower ? LimitsFaultKind::kRedNotLower : LimitsFaultKind::kRedNotHigher,
             .key = std::string(key.str()),
             .amber = thresholds.amber,
             .red = red});
    }
    thresholds.red = red;
    return thresholds;
  }

  // A list that reads wrong because a number in it has a decimal comma ([4,8] for 4.8) is told
  // as that.
  void decimalCommaIn(const toml::node& list) const {
    const toml::source_region& where = list.source();
    if (auto comma = decimalCommaWithin(text_, placeOf(where.begin), placeOf(where.end))) {
      throwFault(std::move(*comma), file_);
    }
  }

  std::string_view text_;
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

HealthLimits parseLimits(std::string_view text, std::string_view file) {
  toml::table root;
  try {
    root = toml::parse(text, file);
  } catch (const toml::parse_error& e) {
    const TextPlace place = placeOf(e.source().begin);
    throwFault(syntaxHint(text, place)
                   .value_or(LimitsFault{.kind = LimitsFaultKind::kSyntax,
                                         .line = place.line,
                                         .column = place.column,
                                         .written = std::string(e.description())}),
               file);
  }
  return LimitsReader(text, file).read(root);
}

HealthLimits readLimitsFile(const fs::path& path, std::string_view file) {
  std::ifstream in(path, std::ios::binary);
  if (!in || fs::is_directory(path)) throwFault({.kind = LimitsFaultKind::kCannotRead}, file);
  const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  if (in.bad()) throwFault({.kind = LimitsFaultKind::kCannotRead}, file);
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
