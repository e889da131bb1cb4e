#pragma once

// The health check's report as text: the Health block of `--summary` and the dialog's line.

#include <array>
#include <cstddef>
#include <map>
#include <string>
#include <string_view>

#include "outputs/health/health_event.h"

namespace trelvox {

// The words of the Health block in the reader's language; the shell chooses them.
struct HealthLabels {
  std::string_view health;
  std::string_view verdict;
  std::string_view events;
  std::string_view limitsFile;
  std::string_view noLimitsFile;
  std::string_view notChecked;
  // One per HealthVerdict, in its order; amber and red name severities too.
  std::array<std::string_view, 4> verdicts;
  // What each verdict means to the pilot, in HealthVerdict's order.
  std::array<std::string_view, 4> verdictWords;
  // The words of each check of the whole log, by its name.
  std::map<std::string_view, std::string_view> checks;
  std::array<std::string_view, 2> directions;  // below, above
  std::array<std::string_view, 2> worst;       // lowest, highest
  std::string_view cells;
  std::string_view bytes;
  // "… and {count} more"
  std::string_view andMore;
  // Between a number and its unit: a no-break space where the text may wrap.
  std::string_view unitSpace = " ";
  // The language's punctuation: between the items of a list, and after a check's words or a
  // label.
  std::string_view listSeparator = ", ";
  std::string_view colon = ": ";
  // A limit crossed in the language's word order: "{direction} {limit}" ("below 4.4 V").
  std::string_view limitPattern = "{direction} {limit}";
  // The other threshold and the cells after it: " ({aside})".
  std::string_view asidePattern = " ({aside})";

  // The words of `check`; its name where the labels have none.
  std::string_view checkWords(std::string_view check) const {
    const auto words = checks.find(check);
    return words != checks.end() ? words->second : check;
  }
};

// The most events the Health block lists one by one.
inline constexpr std::size_t kHealthEventLines = 20;

// The Health block that follows the flight facts of `--summary`: the verdict in its colour and
// words ("red, needs attention before the next flight"), the number of events, the limits file,
// the checks that had nothing to look at, then the events in the order they began, such as
// "1:40.0–1:40.5  red  RECEIVER BATTERY below 4.4 V (amber 4.8 V): lowest 4.2 V", up to
// kHealthEventLines of them.
std::string healthText(const HealthReport& health, const HealthLabels& labels,
                       char decimalSeparator);

// One event as its line in the Health block shows it (without indent or line end).
std::string healthEventText(const HealthEvent& event, const HealthLabels& labels,
                            char decimalSeparator);

// The verdict's colour and what it means: "red, needs attention before the next flight".
std::string verdictText(HealthVerdict verdict, const HealthLabels& labels);

// A limit as the pilot wrote it: every decimal it has, none more.
std::string limitValueText(const Reading& limit, char decimalSeparator);

}  // namespace trelvox
