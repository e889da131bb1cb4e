#include "app/windows/conversion_commands.h"

#include <shellapi.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <vector>

#include "app/windows/conversion_outcome.h"
#include "app/windows/drop_plan.h"
#include "app/windows/drop_summary.h"
#include "app/windows/file_choices.h"
#include "app/windows/file_dialogs.h"
#include "app/windows/folder_pages.h"
#include "app/windows/message_box.h"
#include "app/windows/outcome_texts.h"
#include "app/windows/system_codes.h"
#include "app/windows/text_encoding.h"
#include "app/windows/user_environment.h"

namespace trelvox {
namespace fs = std::filesystem;
namespace {

using ExistingOutput = LogConverter::ExistingOutput;

bool hasNoRoomLeft(const fs::path& folder) {
  ULARGE_INTEGER available{};
  return GetDiskFreeSpaceExW(folder.c_str(), &available, nullptr, nullptr) &&
         available.QuadPart == 0;
}

// Why an existing CSV file cannot be replaced: another program (a spreadsheet, say) holds it open
// without letting others delete it. 0 when nothing holds it, or when it does not exist.
unsigned long replaceRefusalCode(const fs::path& output) {
  const HANDLE file =
      CreateFileW(output.c_str(), DELETE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                  nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file != INVALID_HANDLE_VALUE) {
    CloseHandle(file);
    return 0;
  }
  const DWORD code = GetLastError();
  return code == ERROR_FILE_NOT_FOUND || code == ERROR_PATH_NOT_FOUND ? 0 : code;
}

// Why the conversion failed on `output` (the CSV file or the page), from what the system left on
// this thread, which ran every file operation of the conversion. The C runtime's codes are read
// first: looking at the output's disk and asking the output again may change them.
SystemReason whyConversionFailed(const fs::path& output, Language language) {
  const FileFailureClues clues{.runtimeCode = _doserrno,
                               .runtimeErrno = errno,
                               .diskFull = hasNoRoomLeft(output.parent_path()),
                               .replaceRefusal = replaceRefusalCode(output)};
  const unsigned long code = systemCodeOf(clues);
  return systemReasonFor(code, code == 0 ? std::string() : systemErrorText(code, language));
}

// Both codes are cleared before each conversion, so that a failure is never explained by an older
// one.
void forgetSystemCodes() {
  _doserrno = 0;
  errno = 0;
}

std::optional<ConversionResult> convert(const ShellContext& shell, ConversionOutcome& outcome,
                                        ExistingOutput existing) {
  forgetSystemCodes();
  return convertLog(
      outcome, existing, shell.separators, shell.language,
      [&](const fs::path& refused) { return whyConversionFailed(refused, shell.language); });
}

// Converts one planned drop, filling in how it went, and adds it to its folder's page.
void convertDropped(HWND owner, const ShellContext& shell, ConversionOutcome& outcome,
                    FolderPages& pages) {
  std::optional<ConversionResult> result = convert(shell, outcome, ExistingOutput::kRefuse);
  if (outcome.failure == MessageId::kOutputExists) {
    if (!askYesNo(owner, widen(replaceQuestion(outcome.output, shell.language)))) {
      forgetSystemCodes();
      pages.addKept(outcome, shell.separators, [&](const fs::path& refused) {
        return whyConversionFailed(refused, shell.language);
      });
      return;
    }
    result = convert(shell, outcome, ExistingOutput::kReplace);
  }
  pages.add(outcome, result);
}

// The dropped folders' logbook pages, leaving out each existing one the user chose to keep.
std::vector<fs::path> pagesToWrite(HWND owner, const ShellContext& shell,
                                   std::span<const fs::path> dropped) {
  std::vector<fs::path> pages = logbookPagesOf(dropped);
  std::erase_if(pages, [&](const fs::path& page) {
    std::error_code error;
    return fs::exists(page, error) &&
           !askYesNo(owner, widen(replaceQuestion(page, shell.language)));
  });
  return pages;
}

void showOutcome(HWND owner, const ShellContext& shell, const ConversionOutcome& outcome,
                 bool pageOpened = true) {
  showMessage(owner, widen(openOutcomeText(outcome, shell.language, pageOpened)),
              needsALook(outcome) || !pageOpened ? MB_ICONWARNING : MB_ICONINFORMATION);
}

// Hands the page to the default browser. The system shows no box of its own when there is none:
// the outcome's message says so.
bool openInBrowser(const fs::path& page) {
  SHELLEXECUTEINFOW execute{};
  execute.cbSize = sizeof(execute);
  execute.fMask = SEE_MASK_FLAG_NO_UI | SEE_MASK_NOASYNC;
  execute.lpVerb = L"open";
  execute.lpFile = page.c_str();
  execute.nShow = SW_SHOWNORMAL;
  return ShellExecuteExW(&execute) != FALSE;
}

// One message for everything dropped; when it wrote logbook pages, it ends in the offer to open
// them, and Yes hands each to the default browser.
void showDropOutcome(HWND owner, const ShellContext& shell, std::span<const ConversionOutcome> logs,
                     std::span<const ConversionOutcome> pageOutcomes) {
  const UINT icon = dropNeedsALook(logs, pageOutcomes) ? MB_ICONWARNING : MB_ICONINFORMATION;
  const std::string text = dropOutcomeText(logs, pageOutcomes, shell.language);
  const std::vector<fs::path> pages = writtenPages(pageOutcomes);
  if (pages.empty()) {
    showMessage(owner, widen(text), icon);
    return;
  }
  const std::string_view offer = message(MessageId::kOpenLogbookQuestion, shell.language);
  if (!askYesNo(owner, widen(text + '\n' + std::string(offer)), icon)) return;
  for (const fs::path& page : pages) {
    if (!openInBrowser(page)) {
      showMessage(owner, widen(pageNotOpenedLines(page, shell.language)), MB_ICONWARNING);
    }
  }
}

// Asks for the log and for the CSV file as the Open command does; nothing when the user
// cancelled or the log's information file is missing (which it has then reported).
std::optional<ConversionOutcome> askForConversion(HWND owner, const ShellContext& shell) {
  const std::optional<fs::path> log =
      askOpenPath(owner, narrow(shell.resources.string(MessageId::kOpenFilter)), L"KLD",
                  openDialogFolder(rememberedLogFolder()));
  if (!log) return std::nullopt;
  rememberLogFolder(log->parent_path());
  if (const std::optional<ConversionOutcome> missing = missingInfoFile(*log, shell.language)) {
    showOutcome(owner, shell, *missing);
    return std::nullopt;
  }
  const std::optional<fs::path> output = askSavePath(
      owner, narrow(shell.resources.string(MessageId::kSaveFilter)), L"csv", proposeSaveName(*log));
  if (!output) return std::nullopt;
  return ConversionOutcome{*log, *output, std::nullopt, {}};
}

}  // namespace

void runOpenCommand(HWND owner, const ShellContext& shell) {
  std::optional<ConversionOutcome> outcome = askForConversion(owner, shell);
  if (!outcome) return;
  // The save dialog has already asked before replacing a file.
  convert(shell, *outcome, ExistingOutput::kReplace);
  showOutcome(owner, shell, *outcome);
}

void runReportCommand(HWND owner, const ShellContext& shell) {
  std::optional<ConversionOutcome> outcome = askForConversion(owner, shell);
  if (!outcome) return;
  outcome->page = reportPageBeside(outcome->output);
  // The save dialog asked about the CSV file only.
  for (const fs::path& existing : sideFilesToReplace(*outcome)) {
    if (!askYesNo(owner, widen(replaceQuestion(existing, shell.language)))) return;
  }
  convert(shell, *outcome, ExistingOutput::kReplace);
  const bool pageOpened = outcome->failure || openInBrowser(*outcome->page);
  showOutcome(owner, shell, *outcome, pageOpened);
}

void convertDroppedFiles(HWND owner, const ShellContext& shell, std::span<const fs::path> dropped) {
  const std::vector<fs::path> pageFiles = pagesToWrite(owner, shell, dropped);
  FolderPages pages(pageFiles, shell.language, shell.separators.decimal);
  std::vector<ConversionOutcome> logs = planDrop(dropped);
  for (ConversionOutcome& outcome : logs) {
    if (!outcome.failure) convertDropped(owner, shell, outcome, pages);
  }
  forgetSystemCodes();
  const std::vector<ConversionOutcome> written = pages.write(
      [&](const fs::path& refused) { return whyConversionFailed(refused, shell.language); });
  // Nothing to say when the user kept every CSV file and no page was to be written.
  const bool allKept =
      std::ranges::all_of(logs, [](const ConversionOutcome& o) { return o.kept && !o.failure; });
  if (!logs.empty() && !(allKept && written.empty())) showDropOutcome(owner, shell, logs, written);
}

}  // namespace trelvox
