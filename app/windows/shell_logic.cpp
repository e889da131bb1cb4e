#include "app/windows/shell_logic.h"

#include <algorithm>

#include "conversion/ascii_case.h"
#include "conversion/log_files.h"
#include "conversion/path_text.h"

namespace trelvox {
namespace fs = std::filesystem;
namespace {

constexpr std::uint16_t kPrimaryLanguageMask = 0x03FF;

// The file named in a failure's reason, with the system's words for what went wrong when it gave
// any.
std::string refusedFile(const fs::path& file, std::string_view systemReason) {
  std::string line = displayPath(file);
  if (!systemReason.empty()) (line += ": ") += systemReason;
  return line;
}

std::string withLinesBelow(std::string_view firstLine, std::string_view below) {
  std::string text(firstLine);
  if (!below.empty()) (text += '\n') += below;
  return text;
}

// The output a failure to write one concerns: the page when the conversion named it, otherwise the
// CSV file (a write that fails names no file; the page goes beside the CSV file anyway).
const fs::path& refusedOutput(const ConversionOutcome& outcome, std::string_view detail) {
  if (outcome.page && detail.starts_with(displayPath(*outcome.page))) return *outcome.page;
  return outcome.output;
}

bool sharesLines(const ControlBox& a, const ControlBox& b) {
  return a.top < b.bottom && b.top < a.bottom;
}

bool extensionIs(const fs::path& path, std::u8string_view wanted) {
  return equalIgnoringAsciiCase(path.extension().u8string(), wanted);
}

}  // namespace

Language languageFromLangId(std::uint16_t langId) {
  switch (langId & kPrimaryLanguageMask) {
    case kLangIdGerman& kPrimaryLanguageMask:
      return Language::kGerman;
    case kLangIdJapanese& kPrimaryLanguageMask:
      return Language::kJapanese;
    default:
      return Language::kEnglish;
  }
}

std::uint16_t langIdOf(Language language) {
  switch (language) {
    case Language::kGerman:
      return kLangIdGerman;
    case Language::kJapanese:
      return kLangIdJapanese;
    case Language::kEnglish:
      break;
  }
  return kLangIdEnglish;
}

char separatorFromLocaleText(std::u16string_view localeText, char fallback) {
  if (localeText.empty() || localeText.front() == u'\0' || localeText.front() > 0x7F) {
    return fallback;
  }
  return static_cast<char>(localeText.front());
}

std::vector<FileTypeFilter> splitFilter(std::string_view filter) {
  std::vector<FileTypeFilter> filters;
  while (!filter.empty()) {
    const std::size_t descriptionEnd = filter.find('|');
    if (descriptionEnd == 0 || descriptionEnd == std::string_view::npos) break;
    const std::size_t patternEnd = filter.find('|', descriptionEnd + 1);
    const std::size_t patternLength =
        (patternEnd == std::string_view::npos ? filter.size() : patternEnd) - descriptionEnd - 1;
    if (patternLength > 0) {
      filters.push_back({std::string(filter.substr(0, descriptionEnd)),
                         std::string(filter.substr(descriptionEnd + 1, patternLength))});
    }
    if (patternEnd == std::string_view::npos) break;
    filter.remove_prefix(patternEnd + 1);
  }
  return filters;
}

SaveProposal proposeSaveName(const fs::path& chosenLog) {
  const fs::path base = basePathOf(chosenLog);
  return {base.parent_path(), base.filename()};
}

std::optional<fs::path> openDialogFolder(const fs::path& remembered) {
  std::error_code error;
  if (remembered.empty() || !fs::is_directory(remembered, error)) return std::nullopt;
  return remembered;
}

fs::path reportPageBeside(const fs::path& csv) { return fs::path(csv).replace_extension(".html"); }

std::optional<ConversionOutcome> missingInfoFile(const fs::path& chosenLog, Language language) {
  std::error_code error;
  if (fs::is_regular_file(logFilesOf(chosenLog).info, error)) {
    return std::nullopt;
  }
  constexpr MessageId kFailure = MessageId::kInfoFileNotFound;
  return ConversionOutcome{
      chosenLog, {}, kFailure, failureReason(kFailure, chosenLog, {}, {}, language)};
}

void convertLog(ConversionOutcome& outcome, LogConverter::ExistingOutput existing,
                Separators separators, Language language,
                const std::function<std::string(const fs::path&)>& systemReason) {
  try {
    ConversionRequest request;
    request.csv = outcome.output;
    request.existing = existing;
    // The dialog checks the flight's health on every conversion.
    request.summary = true;
    if (outcome.page) {
      request.html = outcome.page;
      request.pageLanguage = pageLanguageOf(language);
    }
    LogConverter converter(separators);
    converter.open(outcome.log, request);
    ConversionCounts counts;
    counts.sensors = converter.sensorCount();
    const ConversionResult result = converter.convert();
    counts.records = result.rows;
    outcome.failure.reset();
    outcome.linesBelow = convertedLines(counts, language) + '\n' +
                         healthLine(*result.health, separators.decimal, language);
  } catch (const TelemetryLogException& e) {
    const fs::path& refused = refusedOutput(outcome, e.what());
    // Asked first: looking at the files below may leave the system's last error changed.
    const std::string reason = systemReason(refused);
    outcome.failure = e.messageId();
    // A limits file's fault names the file, line and column itself.
    outcome.linesBelow = e.messageId() == MessageId::kLimitsFileFault
                             ? std::string(e.what())
                             : failureReason(e.messageId(), outcome.log, refused, reason, language);
  }
}

std::string convertedLines(const ConversionCounts& counts, Language language) {
  const std::string records = std::to_string(counts.records);
  const std::string sensors = std::to_string(counts.sensors);
  std::string lines =
      formatMessage(kConvertedCounts, language, {{"records", records}, {"sensors", sensors}});
  if (counts.records == 0) (lines += '\n') += message(kNoRecords, language);
  if (counts.sensors == 0) (lines += '\n') += message(kNoSensor, language);
  return lines;
}

std::string healthLine(const HealthReport& health, char decimalSeparator, Language language) {
  const HealthLabels labels = healthLabels(language);
  std::string line(labels.health);
  line.append(": ").append(labels.verdicts[static_cast<std::size_t>(health.verdict)]);
  const auto isRed = [](const HealthEvent& event) { return event.severity == Severity::kRed; };
  const auto red = std::ranges::find_if(health.events, isRed);
  const auto first = red != health.events.end() ? red : health.events.begin();
  if (first != health.events.end()) {
    line.append(", ").append(healthEventText(*first, labels, decimalSeparator));
  }
  return line;
}

std::string failureReason(MessageId failure, const fs::path& log, const fs::path& output,
                          std::string_view systemReason, Language language) {
  const LogFiles files = logFilesOf(log);
  switch (failure) {
    case MessageId::kInfoFileNotFound:
      return formatMessage(kLookedFor, language, {{"file", displayPath(files.info)}});
    case MessageId::kCannotReadFile:
      // The data file, also when the information file was the one chosen or dropped.
      return refusedFile(files.data, systemReason);
    case MessageId::kCannotCreateOutput:
      if (isOneOfTheLogsFiles(output, log)) {
        return formatMessage(kOneOfTheLogsFiles, language,
                             {{"file", displayPath(output.filename())}});
      }
      return refusedFile(output, systemReason);
    case MessageId::kOutputExists:
      return refusedFile(output, systemReason);
    case MessageId::kLimitsFileFault:
      break;
  }
  return {};
}

std::string openOutcomeText(const ConversionOutcome& outcome, Language language, bool pageOpened) {
  if (outcome.failure) {
    return withLinesBelow(message(static_cast<int>(*outcome.failure), language),
                          outcome.linesBelow);
  }
  std::string written = successMessage(displayPath(outcome.output.filename()), language);
  if (outcome.page) {
    (written += '\n') += successMessage(displayPath(outcome.page->filename()), language);
    if (!pageOpened) (written += '\n') += message(kPageNotOpened, language);
  }
  return withLinesBelow(written, outcome.linesBelow);
}

bool isLogFile(const fs::path& path) {
  return extensionIs(path, u8".KLD") || extensionIs(path, u8".KLI");
}

fs::path droppedLogOutput(const fs::path& log) {
  fs::path output = basePathOf(log);
  output += ".csv";
  return output;
}

std::vector<ConversionOutcome> planDrop(std::span<const fs::path> dropped) {
  std::vector<ConversionOutcome> plan;
  std::vector<fs::path> bases;
  for (const fs::path& path : dropped) {
    if (!isLogFile(path)) {
      plan.push_back({path, {}, MessageId::kCannotReadFile});
      continue;
    }
    const fs::path base = basePathOf(path);
    if (std::ranges::find(bases, base) != bases.end()) continue;
    bases.push_back(base);
    plan.push_back({path, droppedLogOutput(path), std::nullopt});
  }
  return plan;
}

std::string dropReport(std::span<const ConversionOutcome> outcomes, Language language) {
  std::string report;
  for (const ConversionOutcome& outcome : outcomes) {
    if (!report.empty()) report += '\n';
    const std::string firstLine =
        outcome.failure ? displayPath(outcome.log.filename()) + ": " +
                              std::string(message(static_cast<int>(*outcome.failure), language))
                        : successMessage(displayPath(outcome.output.filename()), language);
    report += withLinesBelow(firstLine, outcome.linesBelow);
  }
  return report;
}

TextRoom roomForTexts(std::span<const DialogText> texts, std::span<const ControlBox> others,
                      int clientWidth, int margin) {
  TextRoom room;
  std::vector<int> reach;
  for (const DialogText& text : texts) {
    int right = clientWidth;
    for (const ControlBox& other : others) {
      if (other.left >= text.box.left && sharesLines(text.box, other)) {
        right = std::min(right, other.left);
      }
    }
    reach.push_back(right - margin);
    room.addedWidth = std::max(room.addedWidth, text.box.left + text.textWidth - reach.back());
  }
  for (const int right : reach) room.textRights.push_back(right + room.addedWidth);
  for (const ControlBox& other : others) {
    const bool rightOfAText = std::ranges::any_of(
        texts, [&](const DialogText& text) { return other.left > text.box.left; });
    room.otherShifts.push_back(rightOfAText ? room.addedWidth : 0);
  }
  return room;
}

}  // namespace trelvox
