#pragma once

#include <windows.h>

#include <filesystem>
#include <span>

#include "app/windows/shell_context.h"

namespace trelvox {

// The Open command: asks for the log, then for the CSV file, converts and shows the outcome.
// Cancelling either dialog ends it silently.
void runOpenCommand(HWND owner, const ShellContext& shell);

// The Report command: as Open, and the flight's HTML page is written beside the CSV file and
// opened in the default browser. An existing page is replaced only when the user says so (No
// writes nothing); a browser that cannot be started is said below the success.
void runReportCommand(HWND owner, const ShellContext& shell);

// Converts dropped log files, and the logs in dropped folders, beside themselves (NAME.csv next to
// NAME.KLD), asking before an existing CSV is replaced, and shows one message for all of them,
// saying of anything else dropped that it is no log. A dropped folder also gets logbook.html over
// its logs (asked before an older one is replaced), which the message offers to open.
void convertDroppedFiles(HWND owner, const ShellContext& shell,
                         std::span<const std::filesystem::path> dropped);

}  // namespace trelvox
