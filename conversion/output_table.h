#pragma once

// The outputs a conversion can write, one row each, as the registry of types holds the decoders: a
// new output is a file pair in outputs/, a row here, an option in the shells and a test. The
// request, the files a conversion opens, writes and names, and the page's links all come from
// these rows.

#include <array>
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "conversion/output_files.h"
#include "outputs/health/limits_file.h"
#include "outputs/log_output.h"
#include "outputs/report/report_page.h"
#include "outputs/text/byte_sink.h"
#include "outputs/text/separators.h"

namespace trelvox {

class FlightSummaryOutput;
class HealthCheck;
class TrackSource;

// What one conversion writes. Nothing that is not asked for is made or costs time.
struct ConversionRequest {
  // The files asked for, each by its path: the rows of kOutputTable point at them.
  std::optional<std::filesystem::path> csv;
  std::optional<std::filesystem::path> json;
  std::optional<std::filesystem::path> gpx;
  std::optional<std::filesystem::path> kml;
  std::optional<std::filesystem::path> html;
  // A sink such as standard output for the CSV, in place of its file.
  ByteSink* csvStream = nullptr;
  bool unitsRow = false;
  // The CSV in the flat layout for analysis tools, in place of its header rows (units included).
  bool flatCsv = false;
  PageLanguage pageLanguage = PageLanguage::kEnglish;
  // The flight summary and the health check (for --summary or a logbook); the JSON file and the
  // page bring both anyway.
  bool summary = false;
  // The health check's limits file; by default trelvox.toml in the log's folder or above it.
  std::optional<std::filesystem::path> limits;
  // The program's version, which the JSON file names.
  std::string version;
  // The day the log's UTC times of day fall on; by default the data file's modification date.
  std::optional<std::chrono::year_month_day> date;
  ExistingOutput existing = ExistingOutput::kReplace;

  // The files asked for, in the table's order.
  std::vector<std::filesystem::path> files() const;
  // Whether an output asked for runs the health check, which then reads its limits file.
  bool checksHealth() const { return summary || json || html; }
};

// What the outputs of one log know of it besides its records.
struct LogFacts {
  std::string logName;   // the data file's name (UTF-8)
  std::string infoName;  // the information file's name (UTF-8)
  std::chrono::year_month_day date;
  // The whole records the data file holds, as its size tells (0 where unknown).
  std::size_t expectedRecords = 0;
  Separators separators;
  // The health check's limits, and the file they come from as shown to users (none for the
  // built-in defaults).
  HealthLimits limits;
  std::optional<std::string> limitsFile;
  // The [model] name of the limits file, else the name of the log's folder (UTF-8).
  std::string model;
};

enum class OutputFormat : std::uint8_t { kCsv, kJson, kGpx, kKml, kHtml };

class OutputSet;

// One output format: the request's path for it (its flag), the extension of the file a shell puts
// beside the log, the name messages and the page's links give it, and its factory. The factory
// writes into `file`, which is written at `path` (or into a stream).
struct OutputRow {
  OutputFormat format;
  std::optional<std::filesystem::path> ConversionRequest::*path;
  std::string_view extension;
  std::string_view name;
  std::unique_ptr<LogOutput> (*make)(OutputSet& set, ByteSink& file,
                                     const std::filesystem::path& path);
};

inline constexpr std::size_t kOutputFormats = 5;
extern const std::array<OutputRow, kOutputFormats> kOutputTable;

const OutputRow& outputRow(OutputFormat format);

// The outputs of one conversion, in the order the record loop hands them each record. Outputs that
// others read (the flight summary, the track) are made once, on first asking, and go before the
// output that asked, so that they have ended when it ends. Whatever an output needs for as long as
// it lives (a spill file) is kept here too.
class OutputSet {
 public:
  OutputSet(const ConversionRequest& request, LogFacts facts);
  ~OutputSet();
  OutputSet(const OutputSet&) = delete;
  OutputSet& operator=(const OutputSet&) = delete;

  const ConversionRequest& request() const { return request_; }
  const LogFacts& facts() const { return facts_; }
  FlightSummaryOutput& summary();
  TrackSource& track();
  HealthCheck& health();
  bool hasSummary() const { return summary_ != nullptr; }
  bool hasHealth() const { return health_ != nullptr; }

  // Makes the output of `row`, writing into `file`.
  void add(const OutputRow& row, ByteSink& file, const std::filesystem::path& path);
  // The output of a row made already; null for one not asked for.
  const LogOutput* outputOf(OutputFormat format) const;
  template <typename Thing>
  Thing& keep(std::unique_ptr<Thing> thing) {
    Thing& kept = *thing;
    kept_.push_back(std::shared_ptr<void>(std::move(thing)));
    return kept;
  }
  const std::vector<LogOutput*>& loopOrder() const { return loopOrder_; }

 private:
  LogOutput& append(std::unique_ptr<LogOutput> output);

  const ConversionRequest& request_;
  LogFacts facts_;
  std::vector<std::shared_ptr<void>> kept_;
  std::vector<std::unique_ptr<LogOutput>> outputs_;
  std::vector<LogOutput*> loopOrder_;
  std::array<const LogOutput*, kOutputFormats> byFormat_{};
  FlightSummaryOutput* summary_ = nullptr;
  TrackSource* track_ = nullptr;
  HealthCheck* health_ = nullptr;
};

}  // namespace trelvox
