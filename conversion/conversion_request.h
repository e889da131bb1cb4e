#pragma once

#include <array>
#include <chrono>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "conversion/output_files.h"
#include "conversion/output_table.h"
#include "outputs/report/report_page.h"
#include "outputs/text/byte_sink.h"

namespace trelvox {

// What one conversion writes. Nothing that is not asked for is made or costs time.
struct ConversionRequest {
  // The files asked for, each by its path, one place per row of kOutputTable.
  std::array<std::optional<std::filesystem::path>, kOutputFormats> paths;
  // A sink such as standard output for the CSV, in place of its file.
  ByteSink* csvStream = nullptr;
  bool unitsRow = false;
  // The CSV in the flat layout for analysis tools, in place of its header rows (units included).
  bool flatCsv = false;
  PageLanguage pageLanguage = PageLanguage::kEnglish;
  // The flight summary and the health check (for --summary or a logbook), whatever the outputs
  // asked for read.
  bool summary = false;
  // The health check's limits file; by default trelvox.toml in the log's folder or above it.
  std::optional<std::filesystem::path> limits;
  // The program's version, which the JSON file names.
  std::string version;
  // The day the log's UTC times of day fall on; by default the data file's modification date.
  std::optional<std::chrono::year_month_day> date;
  ExistingOutput existing = ExistingOutput::kReplace;

  std::optional<std::filesystem::path>& path(OutputFormat format) { return paths[indexOf(format)]; }
  const std::optional<std::filesystem::path>& path(OutputFormat format) const {
    return paths[indexOf(format)];
  }
  // The stream the output of `row` goes to in place of its file; null for one that has none.
  ByteSink* streamOf(const OutputRow& row) const {
    return row.format == OutputFormat::kCsv ? csvStream : nullptr;
  }
  // Whether the output of `row` is asked for, into its file or its stream.
  bool asks(const OutputRow& row) const { return path(row.format) || streamOf(row) != nullptr; }
  bool writesFile(const OutputRow& row) const {
    return path(row.format) && streamOf(row) == nullptr;
  }
  // The files asked for, in the table's order.
  std::vector<std::filesystem::path> files() const;
  // Whether anything asked for reads the health check, which then reads its limits file.
  bool checksHealth() const;
};

}  // namespace trelvox
