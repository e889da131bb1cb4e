#pragma once

// The report page, written in one go once the log has ended: the chart library, the page's own
// script and style, its texts in three languages and the flight's data as JSON, all inline, so the
// page needs nothing but a browser, even offline and from file://.

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "outputs/text/byte_sink.h"

namespace trelvox {

class ReportSamples;
struct FlightSummary;
struct HealthReport;

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

// Writes the page of a log: its charts and track from `samples`, its summary table, flight facts,
// duration and start time from `flight`, its verdict card and events from `health`.
void writeReportPage(ByteSink& sink, const ReportOptions& options, const ReportSamples& samples,
                     const FlightSummary& flight, const HealthReport& health);

}  // namespace trelvox
