#include "app/cli/request_builder.h"

#include <algorithm>
#include <iterator>
#include <set>

#include "conversion/log_files.h"
#include "conversion/path_text.h"

namespace trelvox {
namespace fs = std::filesystem;
namespace {

fs::path withExtension(fs::path base, std::string_view extension) {
  return base += fs::path(extension);
}

}  // namespace

ConversionRequest requestFor(const BatchOptions& options, const fs::path& log,
                             ByteSink* standardOutput) {
  ConversionRequest request;
  // After the data file: "x.kld" gives x.csv, "flight.2024.05" gives flight.2024.05.csv.
  fs::path base = basePathOf(logFilesOf(log).data);
  const OutputRow& csv = outputRow(OutputFormat::kCsv);
  if (writesToStandardOutput(options)) {
    request.csvStream = standardOutput;
  } else if (!options.noCsv) {
    request.path(csv.format) =
        options.output.empty() ? withExtension(base, csv.extension) : pathFromUtf8(options.output);
    base = basePathOf(*request.path(csv.format));  // side files go beside the CSV
  }
  for (const OutputFormat format : options.sideFiles) {
    request.path(format) = withExtension(base, outputRow(format).extension);
  }
  request.pageLanguage = pageLanguageOf(options.language);
  request.unitsRow = options.unitsRow;
  request.flatCsv = options.flatCsv;
  request.summary = options.summary || !options.logbook.empty() || !options.logbookPage.empty();
  if (!options.limits.empty()) request.limits = pathFromUtf8(options.limits);
  request.version = options.version;
  request.date = options.date;
  request.existing = options.force ? ExistingOutput::kReplace : ExistingOutput::kRefuse;
  return request;
}

std::vector<std::optional<fs::path>> outputsTakenBefore(const BatchOptions& options) {
  std::vector<std::optional<fs::path>> taken;
  std::set<fs::path> written;
  for (const fs::path& log : options.logs) {
    const std::vector<fs::path> files = requestFor(options, log, nullptr).files();
    std::vector<fs::path> resolved;
    std::ranges::transform(files, std::back_inserter(resolved), resolvedPath);
    const auto before = std::ranges::find_if(
        resolved, [&](const fs::path& file) { return written.contains(file); });
    if (before == resolved.end()) {
      written.insert(resolved.begin(), resolved.end());
      taken.emplace_back();
    } else {
      taken.emplace_back(files[static_cast<std::size_t>(before - resolved.begin())]);
    }
  }
  return taken;
}

}  // namespace trelvox
