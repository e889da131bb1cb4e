#pragma once

// The logbook page: one self-contained HTML file over every log of a call (a card of flights):
// the card at a glance, a card per model, the flying days, the logbook table, trends per model
// and what stands out, the logs that could not be read and the rules. Like the report page it
// carries the chart library, its script, style and texts inline and fetches nothing; its data is
// in <script type="application/json" id="logbook-data"> for other tools too.

#include <string>
#include <vector>

#include "outputs/logbook/logbook_entry.h"
#include "outputs/report/report_page.h"
#include "outputs/text/byte_sink.h"

namespace trelvox {

// A log that could not be read, with the reason the command line gives.
struct FailedLog {
  std::string path;
  std::string reason;
};

// Writes the page. The logs are taken in start order (ties by path; logs without a date last) and
// each model's figures judged against its earlier logs.
void writeLogbookPage(ByteSink& sink, PageLanguage language, std::vector<LogbookEntry> logs,
                      const std::vector<FailedLog>& failed);

// The logs in the page's order: by start, ties by path, logs without a date last.
void sortByStart(std::vector<LogbookEntry>& logs);

// What one log's figures are held against, and which of them stand out.
struct FigureJudgement {
  std::optional<UsualBand> band;
  bool standsOut = false;
};
using LogJudgement = std::array<FigureJudgement, kTrendFigures>;

// For logs in start order: each figure against the same model's earlier logs that have it.
std::vector<LogJudgement> judgeLogs(const std::vector<LogbookEntry>& logs);

}  // namespace trelvox
