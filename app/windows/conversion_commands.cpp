#include "app/windows/conversion_commands.h"

#include <algorithm>
#include <vector>

#include "app/windows/file_dialogs.h"
#include "app/windows/message_box.h"
#include "app/windows/shell_logic.h"
#include "app/windows/text_encoding.h"
#include "conversion/log_converter.h"
#include "conversion/log_files.h"
#include "conversion/path_text.h"

namespace trelvox {
namespace fs = std::filesystem;
namespace {

void convert(const ShellContext& shell, const fs::path& log, const fs::path& output,
             LogConverter::ExistingOutput existing) {
  LogConverter converter(shell.separators);
  converter.open(basePathOf(log), output, existing);
  converter.convert();
}

// Converts one planned drop, filling in its failure. Returns false when the user chose to keep an
// existing CSV file, so that the log is left out of the report.
bool convertDropped(HWND owner, const ShellContext& shell, DropOutcome& outcome) {
  try {
    convert(shell, outcome.log, outcome.output, LogConverter::ExistingOutput::kRefuse);
    return true;
  } catch (const TelemetryLogException& e) {
    if (e.messageId() != MessageId::kOutputExists) {
      outcome.failure = e.messageId();
      return true;
    }
  }
  const std::wstring question =
      outcome.output.filename().wstring() + widen(message(kReplaceOutputQuestion, shell.language));
  if (!askYesNo(owner, question)) return false;
  try {
    convert(shell, outcome.log, outcome.output, LogConverter::ExistingOutput::kReplace);
  } catch (const TelemetryLogException& e) {
    outcome.failure = e.messageId();
  }
  return true;
}

}  // namespace

void runOpenCommand(HWND owner, const ShellContext& shell) {
  const std::optional<fs::path> log =
      askOpenPath(owner, narrow(shell.resources.string(kOpenFilter)), L"KLD");
  if (!log) return;
  const std::optional<fs::path> output = askSavePath(
      owner, narrow(shell.resources.string(kSaveFilter)), L"csv", proposeSaveName(*log));
  if (!output) return;
  try {
    // The save dialog has already asked before replacing a file.
    convert(shell, *log, *output, LogConverter::ExistingOutput::kReplace);
    showMessage(owner, widen(successMessage(displayPath(output->filename()), shell.language)),
                MB_ICONINFORMATION);
  } catch (const TelemetryLogException& e) {
    showMessage(owner, shell.resources.string(static_cast<UINT>(e.messageId())), MB_ICONWARNING);
  }
}

void convertDroppedFiles(HWND owner, const ShellContext& shell, std::span<const fs::path> dropped) {
  std::vector<DropOutcome> reported;
  for (DropOutcome& outcome : planDrop(dropped)) {
    if (outcome.failure || convertDropped(owner, shell, outcome)) reported.push_back(outcome);
  }
  if (reported.empty()) return;
  const bool allConverted =
      std::ranges::none_of(reported, [](const DropOutcome& o) { return o.failure.has_value(); });
  showMessage(owner, widen(dropReport(reported, shell.language)),
              allConverted ? MB_ICONINFORMATION : MB_ICONWARNING);
}

}  // namespace trelvox
