#pragma once

// The flight report: one self-contained HTML page per log. While the log is read, every reading
// series, the sixteen channels and the GPS track are kept as compact points (see MinMaxBuckets);
// at the end the page is written in one go: the chart library, the page's own script and style,
// its texts in three languages and the flight's data as JSON, all inline, so the page needs
// nothing but a browser, even offline and from file://.

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "outputs/byte_sink.h"
#include "outputs/log_output.h"
#include "values/data_record.h"

namespace trelvox {

class FlightSummaryOutput;
class MinMaxBuckets;

enum class PageLanguage { kEnglish, kGerman, kJapanese };

// A side file written beside the report in the same call, which the page links to.
struct ReportLink {
  std::string label;     // "GPX", "KML"
  std::string fileName;  // UTF-8, relative to the page's folder
  // Whether the file is written after all, asked as the page is written at the end of the log;
  // none: it always is.
  std::function<bool()> written{};
};

struct ReportOptions {
  std::string logName;  // the log's file name as the user knows it (UTF-8)
  std::string logDate;  // when the log was recorded, in the shell's words; may be empty
  PageLanguage language = PageLanguage::kEnglish;
  std::vector<ReportLink> links;
  // The records the data file holds, where known: long logs then gather their chart points at the
  // final rate from the start.
  std::size_t expectedRecords = 0;
};

class HtmlReportOutput final : public LogOutput {
 public:
  // At most this many values of all series together are kept, which bounds both the memory and
  // the page's size; no series keeps more than kMostPoints points.
  static constexpr std::size_t kValueBudget = 1'500'000;
  static constexpr std::size_t kMostPoints = 20'000;

  // `flight`, when given, is an output of the same conversion whose facts (greatest height and
  // distance, top speed, ...) the summary shows; it must end before this one.
  HtmlReportOutput(ByteSink& sink, ReportOptions options,
                   const FlightSummaryOutput* flight = nullptr);
  ~HtmlReportOutput() override;

  void start(Decoders decoders) override;
  void record(const DataRecord& record) override;
  void end(const LogTotals& totals) override;

 private:
  class Page;
  struct Series;
  struct Track;

  template <void (MinMaxBuckets::*keep)(std::size_t, std::int64_t)>
  void keepReadings(const DataRecord& record, std::optional<std::int64_t> missing);
  template <void (MinMaxBuckets::*keep)(std::size_t, std::int64_t)>
  void keepChannels(const DataRecord& record, bool bucketBegins);
  std::int64_t elapsedTime(std::uint32_t recordTime);
  void followTrack();
  void noteUtcStart();

  ByteSink& sink_;
  ReportOptions options_;
  const FlightSummaryOutput* flight_;
  Decoders decoders_;
  std::vector<Series> series_;
  std::vector<const TrackedReading*> readings_;  // the series' readings, packed for each record
  std::unique_ptr<MinMaxBuckets> points_;
  std::unique_ptr<Track> track_;
  // The channel words of the record before, four channels to a number.
  std::array<std::uint64_t, kChannelGroups> lastChannelGroups_{};
  std::optional<std::uint32_t> lastTime_;
  std::int64_t elapsed_ = 0;
  std::optional<std::uint32_t> utcStart_;  // UTC seconds of the day at the first record
};

}  // namespace trelvox
