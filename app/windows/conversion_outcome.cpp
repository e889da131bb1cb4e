#include "app/windows/conversion_outcome.h"

#include <string_view>

#include "app/limits_fault_text.h"
#include "app/windows/outcome_texts.h"
#include "conversion/log_files.h"
#include "conversion/path_text.h"
#include "conversion/telemetry_log_exception.h"

namespace trelvox {
namespace fs = std::filesystem;
namespace {

// The output a failure to write one concerns: the page when the conversion named it, otherwise the
// CSV file (a write that fails names no file; the page goes beside the CSV file anyway).
const fs::path& refusedOutput(const ConversionOutcome& outcome, std::string_view detail) {
  if (outcome.page && detail.starts_with(displayPath(*outcome.page))) return *outcome.page;
  return outcome.output;
}

using SystemReasonOf = std::function<SystemReason(const fs::path&)>;

// Runs `request` on the outcome's log and fills in how that went.
std::optional<ConversionResult> run(ConversionOutcome& outcome, const ConversionRequest& request,
                                    Separators separators, Language language,
                                    const SystemReasonOf& systemReason) {
  try {
    LogConverter converter(separators);
    converter.open(outcome.log, request);
    ConversionCounts counts;
    counts.sensors = converter.sensorCount();
    ConversionResult result = converter.convert();
    counts.records = result.rows;
    counts.trailingBytes = result.trailingBytes;
    outcome.failure.reset();
    outcome.linesBelow = convertedLines(counts, language);
    outcome.health = healthGist(*result.health, separators.decimal, language);
    return result;
  } catch (const TelemetryLogException& e) {
    const fs::path& refused = refusedOutput(outcome, e.what());
    // Asked first: looking at the files below may leave the system's last error changed.
    const SystemReason reason = systemReason(refused);
    outcome.failure = e.messageId();
    outcome.health.reset();
    // A limits file's fault names the file, line and column itself.
    outcome.linesBelow = e.limitsFault()
                             ? limitsFaultText(*e.limitsFault(), language)
                             : failureReason(e.messageId(), outcome.log, refused, reason, language);
  }
  return std::nullopt;
}

}  // namespace

std::optional<ConversionOutcome> missingInfoFile(const fs::path& chosenLog, Language language) {
  std::error_code error;
  if (fs::is_regular_file(logFilesOf(chosenLog).info, error)) {
    return std::nullopt;
  }
  constexpr MessageId kFailure = MessageId::kInfoFileNotFound;
  return ConversionOutcome{
      chosenLog, {}, kFailure, failureReason(kFailure, chosenLog, {}, {}, language)};
}

std::optional<ConversionResult> convertLog(ConversionOutcome& outcome,
                                           LogConverter::ExistingOutput existing,
                                           Separators separators, Language language,
                                           const SystemReasonOf& systemReason) {
  ConversionRequest request;
  request.path(OutputFormat::kCsv) = outcome.output;
  request.existing = existing;
  // The dialog checks the flight's health on every conversion.
  request.summary = true;
  if (outcome.page) {
    request.path(OutputFormat::kHtml) = outcome.page;
    request.pageLanguage = pageLanguageOf(language);
  }
  return run(outcome, request, separators, language, systemReason);
}

std::optional<ConversionResult> readKeptLog(ConversionOutcome& outcome, Separators separators,
                                            Language language, const SystemReasonOf& systemReason) {
  outcome.kept = true;
  ConversionRequest request;
  request.summary = true;
  return run(outcome, request, separators, language, systemReason);
}

}  // namespace trelvox
