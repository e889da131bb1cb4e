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
  std::filesystem::path log;     // the file chosen or dropped
  std::filesystem::path output;  // the CSV file
  // The message number of the failure (a MessageId of the conversion, or the dialog's own, such
  // as a dropped file that is no log); empty: converted (or still to convert).
  std::optional<MessageId> failure;
  std::string linesBelow{};  // what was converted, or why it failed
  // The Report command's HTML page of the flight, written with the CSV file.
  std::optional<std::filesystem::path> page{};
};

// Where the Report command writes the page: beside the CSV file, under its name with ".html".
std::filesystem::path reportPageBeside(const std::filesystem::path& csv);

// The files besides the CSV file (the page) that the conversion would replace. The Save dialog
// asks only about the CSV file: the dialog asks about each of these before anything is written.
std::vector<std::filesystem::path> sideFilesToReplace(const ConversionOutcome& outcome);

// The question asked before an existing `file` is replaced: its name, then message 202.
std::string replaceQuestion(const std::filesystem::path& file, Language language);

// The failure to report when the information file that the log `chosenLog` needs is missing,
// looked for as the conversion looks for it; nothing when it is there. The Open command checks
// this as soon as the log is chosen, so that the user learns of it before being asked where to
// save.
std::optional<ConversionOutcome> missingInfoFile(const std::filesystem::path& chosenLog,
                                                 Language language);

// Windows' codes for the failures the dialog tells apart (as winerror.h numbers them).
inline constexpr unsigned long kSystemSharingViolation = 32;
inline constexpr unsigned long kSystemLockViolation = 33;
inline constexpr unsigned long kSystemDiskFull = 112;

// What a failed conversion left behind about why, read on the thread that converted the log (where
// every file operation of that log runs) right after the failure.
struct FileFailureClues {
  // The system's code the C runtime kept for its last call that failed (_doserrno), and the C
  // runtime's own number for it (errno); both 0 when no C runtime call failed.
  unsigned long runtimeCode = 0;
  int runtimeErrno = 0;
  // The output's disk has no room left.
  bool diskFull = false;
  // The system's code when the output, asked again, refuses to be replaced (another program holds
  // it open); 0 when it does not.
  unsigned long replaceRefusal = 0;
};

// The system's code for a failure: the C runtime's when it kept one; a full disk when the C runtime
// says so, or when one of its calls failed without a code (a short write) and the disk says so;
// else (such as a failure to name the finished file, outside the C runtime) why the output refuses
// to be replaced. 0 when nothing tells.
unsigned long systemCodeOf(const FileFailureClues& clues);

// The system's reason for a failed file operation: its own words in the user's language, and
// whether the file is held open by another program, which the user can do something about.
struct SystemReason {
  std::string words;
  bool heldOpen = false;
};
SystemReason systemReasonFor(unsigned long code, std::string words);

// Converts the outcome's log into its CSV file (and its page, in the message language, when it
// has one) and fills in how that went: the failure, if any,
// and the lines below the message. `systemReason` is asked right after a failure for the system's
// reason for the file operation that failed (empty when it has none), given the output that
// failure concerns: the page when it was the page's, else the CSV file.
void convertLog(ConversionOutcome& outcome, LogConverter::ExistingOutput existing,
                Separators separators, Language language,
                const std::function<SystemReason(const std::filesystem::path&)>& systemReason);

// What one conversion converted: its data records, the sensors besides the receiver, and the bytes
// after the last whole record.
struct ConversionCounts {
  std::uint64_t records = 0;
  int sensors = 0;
  std::uint64_t trailingBytes = 0;
};

// The lines below the success message: how many records and sensors were converted; when there
// were none of either, a line saying so; and when the data file ends in part of a record, that the
// log may have been cut off.
std::string convertedLines(const ConversionCounts& counts, Language language);

// The line below those: the health check's verdict and its first red event, else its first amber
// one ("Health: red, 0:01:40.0–0:01:40.5  red  RECEIVER BATTERY below 4.4 V ...").
std::string healthLine(const HealthReport& health, char decimalSeparator, Language language);

// The line below a failure's message that says why converting `log` into `output` failed: the
// information file looked for, that the CSV file is one of the log's own files, or the file the
// system refused (the data file, or the output: the CSV file or the page) with the system's own
// words for it (`systemReason`; may be empty), and for a file another program holds open a line
// telling the user to close it there.
std::string failureReason(MessageId failure, const std::filesystem::path& log,
                          const std::filesystem::path& output, const SystemReason& systemReason,
                          Language language);

// The widest path a message box shows whole, in columns: an ASCII character takes one, any other
// two (CJK characters are about twice as wide; an accented letter only shortens a path a little
// sooner). A box grows with its longest line, and a path does not wrap, so a longer path would
// push the box past the screen's edges: 100 columns stay within 800 pixels.
inline constexpr std::size_t kWidestPathInBox = 100;

// `path` as a message box shows it: whole when it is at most `widest` columns wide, else with
// folders in the middle replaced by "..." so that it is, keeping the start (the drive or root and
// the first folder) and the file name whole; only a file name wider than that on its own is
// wider.
std::string pathForBox(const std::filesystem::path& path, std::size_t widest = kWidestPathInBox);

// The text shown after the Open or Report command's conversion: the CSV file's name followed by
// message 103 (and the same for the page when there is one; then, unless `pageOpened`, that the
// browser could not show it), or the failure's message; then the outcome's lines below.
std::string openOutcomeText(const ConversionOutcome& outcome, Language language,
                            bool pageOpened = true);

// A file dropped onto the program or its window is converted beside itself when it is a log file
// (either file of the pair, any case of the extension); the CSV takes the log's base name.
bool isLogFile(const std::filesystem::path& path);
std::filesystem::path droppedLogOutput(const std::filesystem::path& log);

// What to do with a set of dropped files and folders, in the order dropped: one entry per log to
// convert, a folder standing for the logs (.KLD, any case) in it as on the command line, each log
// once however it was named (dropping NAME.KLD and NAME.KLI together converts NAME once). A file
// that is no log, or a folder without any, gets an entry that already failed and says so, so that
// the user learns why nothing came of it.
std::vector<ConversionOutcome> planDrop(std::span<const std::filesystem::path> dropped);

// The text shown after converting dropped logs: for each log the success message, or
// "LOG: message" when it failed, followed by its lines below.
std::string dropOutcomeText(std::span<const ConversionOutcome> outcomes, Language language);

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
