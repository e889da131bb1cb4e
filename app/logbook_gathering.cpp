#include "app/logbook_gathering.h"

#include <algorithm>

#include "conversion/log_files.h"
#include "conversion/path_text.h"
#include "outputs/health/health_text.h"
#include "outputs/text/relative_address.h"

namespace trelvox {
namespace fs = std::filesystem;
namespace {

fs::path absoluteOf(const fs::path& path) {
  std::error_code error;
  const fs::path absolute = fs::absolute(path, error);
  return (error ? path : absolute).lexically_normal();
}

}  // namespace

LogbookGathering::LogbookGathering(fs::path page, Language language, char decimalSeparator)
    : page_(std::move(page)),
      folder_(absoluteOf(page_).parent_path()),
      language_(language),
      decimalSeparator_(decimalSeparator) {}

// Relative to the page's folder, with '/' between folders on every system.
std::string LogbookGathering::pathFromPage(const fs::path& file) const {
  std::string text;
  for (const fs::path& part : absoluteOf(file).lexically_relative(folder_)) {
    if (!text.empty()) text += '/';
    text += displayPath(part);
  }
  return text;
}

// The report page written in the same call, else one beside the log from an earlier call.
std::optional<std::string> LogbookGathering::logPageOf(const fs::path& log,
                                                       const ConversionResult& result) const {
  const std::string_view extension = outputRow(OutputFormat::kHtml).extension;
  const auto written = std::ranges::find_if(
      result.written, [&](const fs::path& file) { return file.extension() == extension; });
  if (written != result.written.end()) return relativeAddress(pathFromPage(*written));
  fs::path beside = basePathOf(logFilesOf(log).data);
  beside += fs::path(extension);
  std::error_code error;
  if (fs::is_regular_file(beside, error)) return relativeAddress(pathFromPage(beside));
  return std::nullopt;
}

void LogbookGathering::addConverted(const fs::path& log, const ConversionResult& result) {
  LogbookEntry entry = logbookEntry(*result.summary, *result.health, result.date);
  entry.path = pathFromPage(result.dataFile);
  entry.pageHref = logPageOf(log, result);
  entry.model = result.model;
  if (const HealthEvent* event = firstTellingEvent(*result.health)) {
    entry.firstEvent = healthEventText(*event, healthLabels(language_), decimalSeparator_);
  }
  logs_.push_back(std::move(entry));
}

void LogbookGathering::addFailed(const fs::path& logOrFolder, std::string reason) {
  failed_.push_back({pathFromPage(logOrFolder), std::move(reason)});
}

void LogbookGathering::write(ExistingOutput existing) {
  OutputFile file;
  file.open(page_, existing);
  writeLogbookPage(file, pageLanguageOf(language_), std::move(logs_), failed_);
  file.commit();
}

}  // namespace trelvox
