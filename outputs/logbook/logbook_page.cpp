#include "outputs/logbook/logbook_page.h"

#include <algorithm>
#include <charconv>
#include <deque>
#include <functional>
#include <map>
#include <nlohmann/json.hpp>
#include <tuple>
#include <utility>

#include "outputs/health/health_text.h"
#include "outputs/logbook/logbook_assets.h"
#include "outputs/report/page_text.h"
#include "outputs/report/page_texts.h"
#include "outputs/report/report_assets.h"

namespace trelvox {
namespace {

// The values a log was judged by as the page's data gives them: the [flights] keys and each
// check's [checks] keys with their values as a limits file writes them, and the checks turned off.
std::string rulesJson(const LogRules& rules) {
  const auto text = [](const Reading& value) { return limitValueText(value, '.'); };
  const FlightRule& flights = rules.flights;
  nlohmann::ordered_json json;
  json["flights"] = {{"height", text(flights.height)},
                     {"speed", text(flights.speed)},
                     {"join", text(flights.join)},
                     {"shortest", text(flights.shortest)}};
  json["checks"] = nlohmann::ordered_json::array();
  for (const CheckValue& check : rules.checks) {
    nlohmann::ordered_json values = nlohmann::ordered_json::array({text(check.value.amber)});
    if (check.value.red) values.push_back(text(*check.value.red));
    json["checks"].push_back({{"check", check.check}, {"key", check.key}, {"values", values}});
  }
  json["off"] = nlohmann::ordered_json::array();
  for (const std::string_view check : rules.off) json["off"].push_back(check);
  return json.dump();
}

// One set of values the logs were judged by, with how many logs and which models used it.
struct RuleSet {
  std::string json{};
  std::size_t logs = 0;
  std::vector<std::string_view> models{};
};

// The sets of values the logs used, the one most logs used first (ties in the logs' order), and
// for each log the place of its set.
std::pair<std::vector<RuleSet>, std::vector<std::size_t>> ruleSetsOf(
    const std::vector<LogbookEntry>& logs) {
  std::vector<RuleSet> sets;
  std::vector<std::size_t> setOfLog;
  for (const LogbookEntry& log : logs) {
    std::string json = rulesJson(log.rules);
    auto set = std::ranges::find(sets, json, &RuleSet::json);
    if (set == sets.end()) set = sets.insert(sets.end(), {.json = std::move(json)});
    ++set->logs;
    if (std::ranges::find(set->models, log.model) == set->models.end()) {
      set->models.push_back(log.model);
    }
    setOfLog.push_back(static_cast<std::size_t>(set - sets.begin()));
  }
  std::vector<std::size_t> order(sets.size());
  for (std::size_t i = 0; i < order.size(); ++i) order[i] = i;
  std::ranges::stable_sort(order, std::greater<>(), [&](std::size_t i) { return sets[i].logs; });
  std::vector<std::size_t> placeOf(sets.size());
  std::vector<RuleSet> sorted;
  for (const std::size_t i : order) {
    placeOf[i] = sorted.size();
    sorted.push_back(std::move(sets[i]));
  }
  for (std::size_t& set : setOfLog) set = placeOf[set];
  return {std::move(sorted), std::move(setOfLog)};
}

class LogbookPage {
 public:
  LogbookPage(ByteSink& sink, PageLanguage language, const std::vector<LogbookEntry>& logs,
              const std::vector<FailedLog>& failed)
      : language_(language), logs_(logs), failed_(failed), text_(sink) {}

  void write() {
    writePage(
        text_, languageCode(language_),
        {.style = logbook_assets::kLogbookStyle,
         // The report page's texts hold the health words the logbook says too.
         .texts = {{.id = "logbook-texts", .json = logbook_assets::kLogbookTexts},
                   {.id = "report-texts", .json = report_assets::kPageTexts}},
         .dataId = "logbook-data",
         .script = logbook_assets::kLogbookScript},
        [this] { text_.raw("Trelvox"); }, [this] { writeData(); });
  }

 private:
  void writeData() {
    text_.raw("{\"lang\":").jsonString(languageCode(language_));
    text_.raw(",\"figures\":[");
    for (std::size_t f = 0; f < kTrendFigures; ++f) {
      text_.raw(f == 0 ? "" : ",").jsonString(kTrendFigureTable[f].key);
    }
    const auto [ruleSets, ruleSetOfLog] = ruleSetsOf(logs_);
    text_.raw("],\"rules\":[");
    for (std::size_t i = 0; i < ruleSets.size(); ++i) {
      text_.raw(i == 0 ? "" : ",");
      writeRuleSet(ruleSets[i]);
    }
    text_.raw("],\"logs\":[");
    const std::vector<LogJudgement> judgements = judgeLogs(logs_);
    for (std::size_t i = 0; i < logs_.size(); ++i) {
      text_.raw(i == 0 ? "" : ",");
      writeLog(logs_[i], judgements[i], ruleSetOfLog[i]);
    }
    text_.raw("],\"models\":[");
    writeModels();
    text_.raw("],\"failed\":[");
    for (std::size_t i = 0; i < failed_.size(); ++i) {
      text_.raw(i == 0 ? "{\"path\":" : ",{\"path\":").jsonString(failed_[i].path);
      text_.raw(",\"reason\":").jsonString(failed_[i].reason).raw("}");
    }
    text_.raw("]}");
  }

  void number(double value) {
    std::array<char, 32> room;
    const auto written = std::to_chars(room.data(), room.data() + room.size(), value);
    text_.raw(std::string_view(room.data(), static_cast<std::size_t>(written.ptr - room.data())));
  }

  void optionalNumber(std::string_view key, std::optional<double> value) {
    text_.raw(",\"").raw(key).raw("\":");
    if (value) {
      number(*value);
    } else {
      text_.raw("null");
    }
  }

  void optionalText(std::string_view key, std::string_view value) {
    text_.raw(",\"").raw(key).raw("\":");
    if (value.empty()) {
      text_.raw("null");
    } else {
      text_.jsonString(value);
    }
  }

  void writeRuleSet(const RuleSet& set) {
    text_.raw("{\"values\":").raw(set.json);
    text_.raw(",\"logs\":").number(static_cast<std::int64_t>(set.logs)).raw(",\"models\":[");
    for (std::size_t m = 0; m < set.models.size(); ++m) {
      text_.raw(m == 0 ? "" : ",").jsonString(set.models[m]);
    }
    text_.raw("]}");
  }

  void writeLog(const LogbookEntry& log, const LogJudgement& judgement, std::size_t ruleSet) {
    text_.raw("{\"path\":").jsonString(log.path);
    optionalText("href", log.pageHref.value_or(""));
    text_.raw(",\"model\":").jsonString(log.model);
    optionalText("start_iso", log.startIso);
    optionalText("date", log.date);
    text_.raw(",\"records\":").number(static_cast<std::int64_t>(log.records));
    optionalNumber("duration_s", log.durationS);
    optionalNumber("flights", log.flights ? std::optional<double>(static_cast<double>(*log.flights))
                                          : std::nullopt);
    optionalNumber("air_time_s", log.airTimeS);
    for (std::size_t k = 0; k < kFactKinds; ++k) {
      optionalNumber(factKey(static_cast<FactKind>(k)), log.facts[k]);
    }
    optionalNumber("capacity_per_air_minute_mah", log.figure(TrendFigure::kCapacityPerAirMinute));
    text_.raw(",\"verdict\":").jsonString(verdictName(log.verdict));
    text_.raw(",\"events\":").number(static_cast<std::int64_t>(log.events));
    optionalText("first_event", log.firstEvent);
    text_.raw(",\"rules\":").number(static_cast<std::int64_t>(ruleSet));
    writeJudgement(log, judgement);
    text_.raw("}");
  }

  // Every figure's usual band, where there are enough earlier logs, and the figures that stand
  // out of theirs.
  void writeJudgement(const LogbookEntry& log, const LogJudgement& judgement) {
    text_.raw(",\"usual\":{");
    const char* separator = "";
    for (std::size_t f = 0; f < kTrendFigures; ++f) {
      if (!judgement[f].band) continue;
      const UsualBand& band = *judgement[f].band;
      text_.raw(separator).jsonString(kTrendFigureTable[f].key).raw(":[");
      number(band.median);
      text_.raw(",");
      number(band.low);
      text_.raw(",");
      number(band.high);
      text_.raw("]");
      separator = ",";
    }
    text_.raw("},\"standouts\":[");
    separator = "";
    for (std::size_t f = 0; f < kTrendFigures; ++f) {
      if (!judgement[f].standsOut) continue;
      const UsualBand& band = *judgement[f].band;
      text_.raw(separator).raw("{\"figure\":").jsonString(kTrendFigureTable[f].key);
      optionalNumber("value", log.figure(static_cast<TrendFigure>(f)));
      optionalNumber("median", band.median);
      optionalNumber("usual_low", band.low);
      optionalNumber("usual_high", band.high);
      text_.raw(",\"earlier_logs\":").number(static_cast<std::int64_t>(band.earlierLogs));
      text_.raw("}");
      separator = ",";
    }
    text_.raw("]");
  }

  struct ModelTotals {
    std::size_t logs = 0;
    std::size_t flights = 0;
    double airTimeS = 0;
    double loggedS = 0;
  };

  void writeModels() {
    std::map<std::string, ModelTotals> models;
    for (const LogbookEntry& log : logs_) {
      ModelTotals& totals = models[log.model];
      ++totals.logs;
      totals.flights += log.flights.value_or(0);
      totals.airTimeS += log.airTimeS.value_or(0);
      totals.loggedS += log.durationS;
    }
    const char* separator = "";
    for (const auto& [name, totals] : models) {
      text_.raw(separator).raw("{\"name\":").jsonString(name);
      text_.raw(",\"logs\":").number(static_cast<std::int64_t>(totals.logs));
      text_.raw(",\"flights\":").number(static_cast<std::int64_t>(totals.flights));
      optionalNumber("air_time_s", totals.airTimeS);
      optionalNumber("logged_s", totals.loggedS);
      text_.raw("}");
      separator = ",";
    }
  }

  PageLanguage language_;
  const std::vector<LogbookEntry>& logs_;
  const std::vector<FailedLog>& failed_;
  PageText text_;
};

}  // namespace

void sortByStart(std::vector<LogbookEntry>& logs) {
  std::ranges::stable_sort(logs, {}, [](const LogbookEntry& log) {
    const std::string& start = log.startIso.empty() ? log.date : log.startIso;
    return std::tuple(start.empty(), std::string_view(start), std::string_view(log.path));
  });
}

std::vector<LogJudgement> judgeLogs(const std::vector<LogbookEntry>& logs) {
  std::map<std::string, std::array<std::deque<double>, kTrendFigures>, std::less<>> earlier;
  std::vector<LogJudgement> judgements(logs.size());
  for (std::size_t i = 0; i < logs.size(); ++i) {
    auto& history = earlier[logs[i].model];
    for (std::size_t f = 0; f < kTrendFigures; ++f) {
      const std::optional<double> value = logs[i].figure(static_cast<TrendFigure>(f));
      if (!value) continue;
      std::deque<double>& values = history[f];
      const std::vector<double> window(values.begin(), values.end());
      FigureJudgement& judgement = judgements[i][f];
      judgement.band = usualBand(window);
      const std::optional<BadDirection> bad = kTrendFigureTable[f].judged;
      judgement.standsOut = judgement.band && bad && standsOut(*value, *judgement.band, *bad);
      values.push_back(*value);
      if (values.size() > kMostEarlierLogs) values.pop_front();
    }
  }
  return judgements;
}

void writeLogbookPage(ByteSink& sink, PageLanguage language, std::vector<LogbookEntry> logs,
                      const std::vector<FailedLog>& failed) {
  sortByStart(logs);
  LogbookPage(sink, language, logs, failed).write();
}

}  // namespace trelvox
