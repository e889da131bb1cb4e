#pragma once

#include <array>
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <vector>

#include "conversion/conversion_request.h"
#include "conversion/log_files.h"
#include "conversion/log_format.h"
#include "conversion/output_files.h"
#include "conversion/output_set.h"
#include "conversion/output_table.h"
#include "outputs/health/health_check.h"
#include "outputs/summary/flight_summary.h"
#include "outputs/text/separators.h"

namespace trelvox {

struct ConversionResult {
  std::uint64_t rows = 0;
  // The bytes after the last whole record of the data file (a log cut off while written).
  std::uint64_t trailingBytes = 0;
  // The files written, in the output table's order.
  std::vector<std::filesystem::path> written;
  std::optional<FlightSummary> summary;
  // The health check's report, where an output asked for it.
  std::optional<HealthReport> health;
  // Files asked for but not written, their output having nothing to keep: a track file of a log
  // without a position.
  std::vector<std::filesystem::path> dropped;
  std::chrono::year_month_day date;
  // The data file read, as found beside the base path (whatever case its extension has).
  std::filesystem::path dataFile;
  // The model the log belongs to: its limits file's [model] name, else its folder's name.
  std::string model;
};

// Converts one flight log, the pair BASE.KLI (slot map) and BASE.KLD (records), into the files a
// request names, on the calling thread: read, decode, format, write and rename, in that order.
// open checks and opens everything in an order that never leaves an output behind for a log that
// cannot be read and never writes over an input; convert then writes every file. Each file is
// written under a temporary name and renamed into place once the whole conversion has succeeded,
// so a failure leaves no half-written file. Failures throw TelemetryLogException with the message
// to show.
class LogConverter {
 public:
  using ExistingOutput = trelvox::ExistingOutput;

  explicit LogConverter(Separators separators) : separators_(separators) {}

  // `log` names the log by its data file, its information file or its base path (logFilesOf).
  // Just the CSV file.
  void open(const std::filesystem::path& log, const std::filesystem::path& outputPath,
            ExistingOutput existing = ExistingOutput::kReplace);
  void open(const std::filesystem::path& log, const ConversionRequest& request);
  ConversionResult convert();
  // The number of sensors whose columns the conversion writes, besides the receiver's columns
  // that every CSV file has; known after open.
  int sensorCount() const;

 private:
  void refuseOutputsNamedTwice() const;
  void readLimits();
  void openOutput(const OutputRow& row);
  // Where the output of `row` writes; null when it is not asked for.
  ByteSink* sinkOf(const OutputRow& row);
  LogFacts facts(std::chrono::year_month_day date) const;
  void addOutputs(OutputSet& outputs);
  void keepFiles(const OutputSet& outputs, ConversionResult& result);
  // The whole records in the data file, as its size tells; 0 when that is unknown.
  std::size_t dataRecordCount() const;
  std::chrono::year_month_day logDate() const;

  Separators separators_;
  ConversionRequest request_;
  std::filesystem::path dataPath_;
  std::filesystem::path infoPath_;
  SlotMap slotMap_;
  FileSource dataFile_;
  HealthLimits limits_;
  std::optional<std::string> limitsFile_;
  std::array<OutputFile, kOutputFormats> files_;
  // The spills of each output, beside its file.
  std::array<std::vector<std::unique_ptr<ScratchFile>>, kOutputFormats> scratch_;
};

// The files the conversion of `request` may hold open at once: the data file, a folder searched
// for a companion file, and each output file with its spills.
std::size_t filesHeldOpen(const ConversionRequest& request);

}  // namespace trelvox
