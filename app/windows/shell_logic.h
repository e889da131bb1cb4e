#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "app/messages.h"
#include "conversion/log_converter.h"
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

// Where the Open dialog starts: in the remembered folder of the last log opened, while that
// folder still exists (a memory card may have gone); otherwise where the system starts it.
std::optional<std::filesystem::path> openDialogFolder(const std::filesystem::path& remembered);

// How the conversion of one log ended, or is to be tried.
struct ConversionOutcome {
  std::filesystem::path log;         // the file chosen or dropped
  std::filesystem::path output;      // the CSV file
  std::optional<MessageId> failure;  // empty: converted (or still to convert)
  std::string linesBelow{};          // what was converted, or why it failed
  // The Report command's HTML page of the flight, written with the CSV file.
  std::optional<std::filesystem::path> page{};
};

// Where the Report command writes the page: beside the CSV file, under its name with ".html".
std::filesystem::path reportPageBeside(const std::filesystem::path& csv);

// The failure to report when the information file that the log `chosenLog` needs is missing,
// looked for as the conversion looks for it; nothing when it is there. The Open command checks
// this as soon as the log is chosen, so that the user learns of it before being asked where to
// save.
std::optional<ConversionOutcome> missingInfoFile(const std::filesystem::path& chosenLog,
                                                 Language language);

// Converts the outcome's log into its CSV file (and its page, in the message language, when it
// has one) and fills in how that went: the failure, if any,
// and the lines below the message. `systemReason` is asked right after a failure for the system's
// own words, in the user's language, on the file operation that failed (empty when it has none),
// given the output that failure concerns: the page when it was the page's, else the CSV file.
void convertLog(ConversionOutcome& outcome, LogConverter::ExistingOutput existing,
                Separators separators, Language language,
                const std::function<std::string(const std::filesystem::path&)>& systemReason);

// What one conversion converted: its data records and the sensors besides the receiver.
struct ConversionCounts {
  std::uint64_t records = 0;
  int sensors = 0;
};

// The lines below the success message: how many records and sensors were converted, and, when
// there were none of either, a line saying so.
std::string convertedLines(const ConversionCounts& counts, Language language);

// The line below those: the health check's verdict and its first red event, else its first amber
// one ("Health: red, 0:01:40.0–0:01:40.5  red  RECEIVER BATTERY below 4.4 V ...").
std::string healthLine(const HealthReport& health, char decimalSeparator, Language language);

// The line below a failure's message that says why converting `log` into `output` failed: the
// information file looked for, that the CSV file is one of the log's own files, or the file the
// system refused (the data file, or the output: the CSV file or the page) with the system's own
// words for it (`systemReason`; may be empty).
std::string failureReason(MessageId failure, const std::filesystem::path& log,
                          const std::filesystem::path& output, std::string_view systemReason,
                          Language language);

// The text shown after the Open or Report command's conversion: the CSV file's name followed by
// message 103 (and the same for the page when there is one; then, unless `pageOpened`, that the
// browser could not show it), or the failure's message; then the outcome's lines below.
std::string openOutcomeText(const ConversionOutcome& outcome, Language language,
                            bool pageOpened = true);

// A file dropped onto the program or its window is converted beside itself when it is a log file
// (either file of the pair, any case of the extension); the CSV takes the log's base name.
bool isLogFile(const std::filesystem::path& path);
std::filesystem::path droppedLogOutput(const std::filesystem::path& log);

// What to do with a set of dropped files, in the order dropped: one entry per log pair to convert
// (dropping NAME.KLD and NAME.KLI together converts NAME once), and for a file that is no log an
// entry that already failed with "Cannot read file.", so that the user learns why nothing came of
// it.
std::vector<ConversionOutcome> planDrop(std::span<const std::filesystem::path> dropped);

// The text shown after converting dropped logs: for each log the success message, or
// "LOG: message" when it failed, followed by its lines below.
std::string dropReport(std::span<const ConversionOutcome> outcomes, Language language);

// A control's place in a dialog, in pixels of the dialog's client area.
struct ControlBox {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
};

// A one-line text of a dialog and the width of its text in the font the control draws with.
struct DialogText {
  ControlBox box;
  int textWidth = 0;
};

// How a dialog makes room for texts that its template made too narrow for the font the system
// gives it. A text may reach the nearest other control to its right that shares its lines, or
// else the dialog's right edge, in either case less `margin`. When that is not enough the dialog
// grows by `addedWidth`, which moves the right edge and every other control right of a text's
// start (`otherShifts`, in the order given) to the right. Each text then gets all the room it
// may reach (`textRights`, in the order given).
struct TextRoom {
  int addedWidth = 0;
  std::vector<int> textRights;
  std::vector<int> otherShifts;
};
TextRoom roomForTexts(std::span<const DialogText> texts, std::span<const ControlBox> others,
                      int clientWidth, int margin);

}  // namespace trelvox
