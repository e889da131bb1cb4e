#include "app/windows/dialog_decisions.h"

#include <algorithm>
#include <cerrno>
#include <set>

#include "app/log_list.h"
#include "conversion/log_files.h"
#include "conversion/path_text.h"
#include "values/ascii_case.h"

namespace trelvox {
namespace fs = std::filesystem;
namespace {

constexpr std::uint16_t kPrimaryLanguageMask = 0x03FF;

// The file named in a failure's reason, with the system's words for what went wrong when it gave
// any, and what to do about a file held open.
std::string refusedFile(const fs::path& file, const SystemReason& systemReason, Language language) {
  std::string line = pathForBox(file);
  if (!systemReason.words.empty()) (line += ": ") += systemReason.words;
  if (systemReason.heldOpen) (line += '\n') += message(MessageId::kCloseHeldFile, language);
  return line;
}

// The columns a UTF-8 character starting with `lead` takes in a box (see kWidestPathInBox).
std::size_t columnsOf(unsigned char lead) { return lead < 0x80 ? 1 : 2; }

bool continuesACharacter(char byte) { return (static_cast<unsigned char>(byte) & 0xC0) == 0x80; }

std::size_t columnsOf(std::string_view text) {
  std::size_t columns = 0;
  for (const char byte : text) {
    if (!continuesACharacter(byte)) columns += columnsOf(static_cast<unsigned char>(byte));
  }
  return columns;
}

bool isSeparator(char c) { return c == '/' || c == '\\'; }

// Where the start of a path that pathForBox keeps ends: after the root or drive and the first
// folder with its separator ("Z:\\logs\\", "/home/"); the text's end when it has no such folder.
std::size_t keptStartEnd(std::string_view text) {
  const auto separatorFrom = [&](std::size_t from) {
    return static_cast<std::size_t>(
        std::find_if(text.begin() + static_cast<std::ptrdiff_t>(from), text.end(), isSeparator) -
        text.begin());
  };
  std::size_t end = separatorFrom(0);
  const bool afterRootOrDrive = end == 0 || (end < text.size() && text[end - 1] == ':');
  if (afterRootOrDrive) end = separatorFrom(end + 1);
  return std::min(end + 1, text.size());
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

std::vector<fs::path> sideFilesToReplace(const ConversionOutcome& outcome) {
  std::vector<fs::path> existing;
  std::error_code error;
  if (outcome.page && fs::exists(*outcome.page, error)) existing.push_back(*outcome.page);
  return existing;
}

std::string replaceQuestion(const fs::path& file, Language language) {
  return displayPath(file.filename()) +
         std::string(message(MessageId::kReplaceOutputQuestion, language));
}

unsigned long systemCodeOf(const FileFailureClues& clues) {
  if (clues.runtimeCode != 0) return clues.runtimeCode;
  const bool runtimeFailedWithoutCode = clues.runtimeErrno != 0;
  if (clues.runtimeErrno == ENOSPC || (runtimeFailedWithoutCode && clues.diskFull)) {
    return kSystemDiskFull;
  }
  return clues.replaceRefusal;
}

SystemReason systemReasonFor(unsigned long code, std::string words) {
  return {std::move(words), code == kSystemSharingViolation || code == kSystemLockViolation};
}

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
                const std::function<SystemReason(const fs::path&)>& systemReason) {
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
    counts.trailingBytes = result.trailingBytes;
    outcome.failure.reset();
    outcome.linesBelow = convertedLines(counts, language) + '\n' +
                         healthLine(*result.health, separators.decimal, language);
  } catch (const TelemetryLogException& e) {
    const fs::path& refused = refusedOutput(outcome, e.what());
    // Asked first: looking at the files below may leave the system's last error changed.
    const SystemReason reason = systemReason(refused);
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
  std::string lines = formatMessage(MessageId::kConvertedCounts, language,
                                    {{"records", records}, {"sensors", sensors}});
  if (counts.records == 0) (lines += '\n') += message(MessageId::kNoRecords, language);
  if (counts.sensors == 0) (lines += '\n') += message(MessageId::kNoSensor, language);
  if (counts.trailingBytes != 0) {
    const std::string bytes = std::to_string(counts.trailingBytes);
    (lines += '\n') += formatMessage(MessageId::kCutOff, language, {{"bytes", bytes}});
  }
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
                          const SystemReason& systemReason, Language language) {
  const LogFiles files = logFilesOf(log);
  switch (failure) {
    case MessageId::kInfoFileNotFound:
      return formatMessage(MessageId::kLookedFor, language, {{"file", pathForBox(files.info)}});
    case MessageId::kCannotReadFile:
      // The data file, also when the information file was the one chosen or dropped.
      return refusedFile(files.data, systemReason, language);
    case MessageId::kCannotCreateOutput:
      if (isOneOfTheLogsFiles(output, log)) {
        return formatMessage(MessageId::kOneOfTheLogsFiles, language,
                             {{"file", displayPath(output.filename())}});
      }
      return refusedFile(output, systemReason, language);
    case MessageId::kOutputExists:
      return refusedFile(output, systemReason, language);
    default:
      break;
  }
  return {};
}

std::string pathForBox(const fs::path& path, std::size_t widest) {
  const std::string text = displayPath(path);
  if (columnsOf(text) <= widest) return text;
  const std::size_t startEnd = keptStartEnd(text);
  const std::size_t nameStart = text.find_last_of("/\\") + 1;
  if (startEnd >= nameStart) return text;
  const std::string_view start(text.data(), startEnd);
  const std::string ellipsis = std::string("...") + text[startEnd - 1];
  // The end: the file name, and as many folders before it as leave the whole within `widest`.
  const std::size_t fixed = columnsOf(start) + columnsOf(ellipsis);
  std::size_t endStart = nameStart;
  while (endStart > startEnd) {
    std::size_t folderStart = endStart - 1;
    while (folderStart > startEnd && !isSeparator(text[folderStart - 1])) --folderStart;
    if (fixed + columnsOf(std::string_view(text).substr(folderStart)) > widest) break;
    endStart = folderStart;
  }
  return std::string(start) + ellipsis + text.substr(endStart);
}

std::string openOutcomeText(const ConversionOutcome& outcome, Language language, bool pageOpened) {
  if (outcome.failure) {
    return withLinesBelow(message(*outcome.failure, language), outcome.linesBelow);
  }
  std::string written = successMessage(displayPath(outcome.output.filename()), language);
  if (outcome.page) {
    (written += '\n') += successMessage(displayPath(outcome.page->filename()), language);
    if (!pageOpened) (written += '\n') += message(MessageId::kPageNotOpened, language);
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
  std::set<fs::path> dataFiles;
  for (const fs::path& path : dropped) {
    std::error_code error;
    if (!isLogFile(path) && !fs::is_directory(path, error)) {
      plan.push_back({path, {}, MessageId::kNotALog});
      continue;
    }
    const NamedLogs named = logsNamedBy({displayPath(path)}, false);
    for (const FolderWithoutLogs& folder : named.foldersWithoutLogs) {
      plan.push_back({folder.folder, {}, MessageId::kNoLogInFolder, folder.readFailure});
    }
    for (const fs::path& log : named.logs) {
      if (dataFiles.insert(resolvedPath(logFilesOf(log).data)).second) {
        plan.push_back({log, droppedLogOutput(log), std::nullopt});
      }
    }
  }
  return plan;
}

std::string dropOutcomeText(std::span<const ConversionOutcome> outcomes, Language language) {
  std::string text;
  for (const ConversionOutcome& outcome : outcomes) {
    if (!text.empty()) text += '\n';
    const std::string firstLine =
        outcome.failure ? displayPath(outcome.log.filename()) + ": " +
                              std::string(message(*outcome.failure, language))
                        : successMessage(displayPath(outcome.output.filename()), language);
    text += withLinesBelow(firstLine, outcome.linesBelow);
  }
  return text;
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
