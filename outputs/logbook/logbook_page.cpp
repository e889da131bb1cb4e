#include "outputs/logbook/logbook_page.h"

#include <algorithm>
#include <charconv>
#include <deque>
#include <map>
#include <tuple>

#include "outputs/logbook/logbook_assets.h"
#include "outputs/report/page_text.h"
#include "outputs/report/page_texts.h"
#include "outputs/report/report_assets.h"

namespace trelvox {
namespace {

class LogbookPage {
 public:
  LogbookPage(ByteSink& sink, PageLanguage language, const std::vector<LogbookEntry>& logs,
              const std::vector<FailedLog>& failed)
      : language_(language), logs_(logs), failed_(failed), text_(sink) {}

  void write() {
    writePage(
        text_, languageCode(language_),
        {.style = logbook_assets::kLogbookStyle,
         .textsId = "logbook-texts",
         .texts = logbook_assets::kLogbookTexts,
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
    text_.raw("],\"logs\":[");
    const std::vector<LogJudgement> judgements = judgeLogs(logs_);
    for (std::size_t i = 0; i < logs_.size(); ++i) {
      text_.raw(i == 0 ? "" : ",");
      writeLog(logs_[i], judgements[i]);
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

  void writeLog(const LogbookEntry& log, const LogJudgement& judgement) {
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
