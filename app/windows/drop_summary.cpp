#include "app/windows/drop_summary.h"

#include <algorithm>
#include <array>
#include <string_view>
#include <vector>

#include "app/windows/outcome_texts.h"
#include "conversion/path_text.h"

namespace trelvox {
namespace {

// Before each log named, so that one tells where the next begins when a line wraps.
constexpr std::string_view kBullet = "• ";

// One entry of the logs named: its lines, which name one or more logs, and how many logs.
struct NamedEntry {
  std::string lines;
  std::size_t logs = 1;
};

std::size_t linesIn(std::string_view text) {
  return static_cast<std::size_t>(std::ranges::count(text, '\n')) + 1;
}

void appendLines(std::string& text, std::string_view lines) {
  if (!text.empty()) text += '\n';
  text += lines;
}

std::string logLine(const ConversionOutcome& outcome, std::string_view what, Language language) {
  return formatMessage(MessageId::kLogLine, language,
                       {{"log", displayPath(outcome.log.filename())}, {"what", what}});
}

// A log dropped alone, or a page: as the Open command says it, but naming what failed.
std::string aloneText(const ConversionOutcome& outcome, Language language) {
  if (!outcome.failure) return openOutcomeText(outcome, language);
  std::string text = logLine(outcome, message(*outcome.failure, language), language);
  if (!outcome.linesBelow.empty()) appendLines(text, outcome.linesBelow);
  return text;
}

// A kept log was read only for its folder's page: its flight was reported when it was converted.
bool isConverted(const ConversionOutcome& outcome) { return !outcome.failure && !outcome.kept; }

bool hasVerdict(const ConversionOutcome& outcome, HealthVerdict verdict) {
  return isConverted(outcome) && outcome.health && outcome.health->verdict == verdict;
}

std::string totalsLines(std::span<const ConversionOutcome> logs, Language language) {
  const auto count = [&](auto&& predicate) {
    return static_cast<std::size_t>(std::ranges::count_if(logs, predicate));
  };
  const auto verdictCount = [&](HealthVerdict verdict) {
    return std::to_string(
        count([verdict](const ConversionOutcome& o) { return hasVerdict(o, verdict); }));
  };
  const std::string converted = std::to_string(count(isConverted));
  const std::string failed =
      std::to_string(count([](const ConversionOutcome& o) { return o.failure.has_value(); }));
  std::string lines = formatMessage(MessageId::kDropTotals, language,
                                    {{"converted", converted},
                                     {"green", verdictCount(HealthVerdict::kGreen)},
                                     {"amber", verdictCount(HealthVerdict::kAmber)},
                                     {"red", verdictCount(HealthVerdict::kRed)},
                                     {"failed", failed}});
  const std::size_t kept = count([](const ConversionOutcome& o) { return !o.failure && o.kept; });
  if (kept != 0) {
    const std::string keptText = std::to_string(kept);
    appendLines(lines, formatMessage(MessageId::kKeptCount, language, {{"count", keptText}}));
  }
  return lines;
}

void addFlights(std::span<const ConversionOutcome> logs, HealthVerdict verdict, Language language,
                std::vector<NamedEntry>& named) {
  for (const ConversionOutcome& outcome : logs) {
    if (hasVerdict(outcome, verdict))
      named.push_back({logLine(outcome, outcome.health->firstEvent, language)});
  }
}

// Logs that failed alike for a reason said beside the failure (a faulty limits file above them all)
// are said once.
bool failedAlike(const ConversionOutcome& a, const ConversionOutcome& b) {
  return a.failure && a.failure == b.failure && !a.linesBelow.empty() &&
         a.linesBelow == b.linesBelow;
}

void addFailures(std::span<const ConversionOutcome> logs, Language language,
                 std::vector<NamedEntry>& named) {
  for (auto log = logs.begin(); log != logs.end(); ++log) {
    if (!log->failure) continue;
    const auto alike = [&](const ConversionOutcome& other) { return failedAlike(*log, other); };
    if (std::any_of(logs.begin(), log, alike)) continue;
    const std::string_view failure = message(*log->failure, language);
    const auto count = static_cast<std::size_t>(std::count_if(log, logs.end(), alike));
    if (count < 2) {
      named.push_back({logLine(*log, failure, language)});
      continue;
    }
    std::string lines = formatMessage(MessageId::kSharedFailure, language,
                                      {{"count", std::to_string(count)}, {"failure", failure}});
    appendLines(lines, log->linesBelow);
    named.push_back({std::move(lines), count});
  }
}

// As many of `named` as the box has room for, in their order, then how many logs are left.
std::string namedLogsLines(std::span<const NamedEntry> named, Language language) {
  std::string text;
  std::size_t shown = 0;
  std::size_t lines = 0;
  std::size_t leftOut = 0;
  for (const NamedEntry& logs : named) {
    const bool fits = leftOut == 0 && shown < kLogsNamedInBox &&
                      (shown == 0 || lines + linesIn(logs.lines) <= kLinesOfNamedLogs);
    if (!fits) {
      leftOut += logs.logs;
      continue;
    }
    appendLines(text, kBullet);
    text += logs.lines;
    ++shown;
    lines += linesIn(logs.lines);
  }
  if (leftOut != 0) appendLines(text, andMoreLine(leftOut, language));
  return text;
}

std::string pagesLines(std::span<const ConversionOutcome> pages, Language language) {
  std::string text;
  for (std::size_t k = 0; k < std::min(pages.size(), kPagesNamedInBox); ++k) {
    appendLines(text, aloneText(pages[k], language));
  }
  if (pages.size() > kPagesNamedInBox) {
    appendLines(text, andMoreLine(pages.size() - kPagesNamedInBox, language));
  }
  return text;
}

}  // namespace

std::string dropOutcomeText(std::span<const ConversionOutcome> logs,
                            std::span<const ConversionOutcome> pages, Language language) {
  if (logs.size() == 1 && pages.empty() && !logs.front().kept) {
    return aloneText(logs.front(), language);
  }
  std::vector<NamedEntry> named;
  addFlights(logs, HealthVerdict::kRed, language, named);
  addFailures(logs, language, named);
  addFlights(logs, HealthVerdict::kAmber, language, named);
  // A blank line between the totals, the logs named and the pages.
  std::string text = totalsLines(logs, language);
  if (!named.empty()) appendLines(text, '\n' + namedLogsLines(named, language));
  if (!pages.empty()) appendLines(text, '\n' + pagesLines(pages, language));
  return text;
}

bool dropNeedsALook(std::span<const ConversionOutcome> logs,
                    std::span<const ConversionOutcome> pages) {
  const auto toLookAt = [](const ConversionOutcome& o) {
    return o.failure || (!o.kept && needsALook(o));
  };
  return std::ranges::any_of(logs, toLookAt) || std::ranges::any_of(pages, needsALook);
}

}  // namespace trelvox
