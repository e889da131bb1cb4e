#pragma once

#include <chrono>
#include <filesystem>
#include <optional>
#include <ostream>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "app/log_list.h"
#include "app/messages.h"
#include "conversion/output_table.h"
#include "outputs/text/separators.h"

namespace trelvox {

// Everything the command line asked for, once the arguments are read and checked.
struct BatchOptions {
  std::vector<std::filesystem::path> logs;
  // Folders named that hold no log: each is a failure of its own.
  std::vector<FolderWithoutLogs> foldersWithoutLogs;
  // The CSV file of a single log; "-" for standard output; empty for BASE.csv beside each log.
  std::string output;
  Separators separators;
  Language language = Language::kEnglish;
  bool force = false;
  bool summary = false;
  // The files asked for besides the CSV (JSON, GPX, KML, the page), each BASE + its extension.
  std::set<OutputFormat> sideFiles;
  bool unitsRow = false;
  bool flatCsv = false;
  bool noCsv = false;
  std::optional<std::chrono::year_month_day> date;
  std::string logbook;
  // The logbook page over every log of the call; empty for none.
  std::string logbookPage;
  // The health check's limits file; empty to look for trelvox.toml beside each log.
  std::string limits;
  unsigned jobs = 1;
  std::string version;
};

// The output name that stands for standard output.
inline constexpr std::string_view kStandardOutput = "-";

inline bool writesToStandardOutput(const BatchOptions& options) {
  return options.output == kStandardOutput;
}

inline bool logbookToStandardOutput(const BatchOptions& options) {
  return options.logbook == kStandardOutput;
}

// Converts every log, up to `jobs` at once, and reports each in input order: its files' names
// and summary on `out` (on `err` when the CSV goes to `out`), failures and notes on `err`. Then
// writes the logbook and the logbook page. Returns whether everything succeeded.
bool runBatch(const BatchOptions& options, std::ostream& out, std::ostream& err);

}  // namespace trelvox
