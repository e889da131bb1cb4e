#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "app/messages.h"
#include "conversion/telemetry_log_exception.h"

namespace trelvox {

// The decisions of the Windows dialog program that need no Windows call, kept apart so that they
// are built and tested on every platform. The Win32 code only carries their results to the system.

// Windows language identifiers of the three resource languages.
inline constexpr std::uint16_t kLangIdEnglish = 0x0409;
inline constexpr std::uint16_t kLangIdGerman = 0x0407;
inline constexpr std::uint16_t kLangIdJapanese = 0x0411;

// The resource language for a user-interface language id: any German or Japanese variant picks
// that language (Austrian German too), everything else English.
Language languageFromLangId(std::uint16_t langId);
std::uint16_t langIdOf(Language language);

// The separator a locale text gives: its first character when that is one byte (ASCII), otherwise
// `fallback`. Windows reports such texts as UTF-16.
char separatorFromLocaleText(std::u16string_view localeText, char fallback);

// One entry of a file dialog's type list.
struct FileTypeFilter {
  std::string description;
  std::string pattern;
};

// Splits a filter text of the form "Description|*.ext|...||" into its pairs; the list ends at an
// empty description or at the end of the text, and a description without a pattern is dropped.
std::vector<FileTypeFilter> splitFilter(std::string_view filter);

// Where the save dialog opens after the log `chosenLog` was picked: the log's folder, with the
// log's name without extension as the proposed file name.
struct SaveProposal {
  std::filesystem::path folder;
  std::filesystem::path fileName;
};
SaveProposal proposeSaveName(const std::filesystem::path& chosenLog);

// A file dropped onto the program or its window is converted beside itself when it is a log file
// (either file of the pair, any case of the extension); the CSV takes the log's base name.
bool isLogFile(const std::filesystem::path& path);
std::filesystem::path droppedLogOutput(const std::filesystem::path& log);

// How the conversion of one dropped log ended, or is to be tried.
struct DropOutcome {
  std::filesystem::path log;
  std::filesystem::path output;
  std::optional<MessageId> failure;  // empty: converted (or still to convert)
};

// What to do with a set of dropped files, in the order dropped: one entry per log pair to convert
// (dropping NAME.KLD and NAME.KLI together converts NAME once), and for a file that is no log an
// entry that already failed with "Cannot read file.", so that the user learns why nothing came of
// it.
std::vector<DropOutcome> planDrop(std::span<const std::filesystem::path> dropped);

// The text shown after converting dropped logs: one line per log, the success message for those
// converted and "LOG: message" for the others.
std::string dropReport(std::span<const DropOutcome> outcomes, Language language);

}  // namespace trelvox
