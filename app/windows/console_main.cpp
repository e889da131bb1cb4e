// trelvox-cli.exe: the command line on Windows. Takes its arguments as UTF-16 from the system and
// hands them on as UTF-8, so that file names in any script work whatever the ANSI code page, and
// prints UTF-8.
#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <cstdio>
#include <iostream>
#include <string>
#include <vector>

#include "app/cli/command_line.h"
#include "app/windows/user_environment.h"
#include "conversion/output_files.h"

namespace {

// Ctrl+C, Ctrl+Break and closing the console end the program, as SIGINT and SIGTERM do elsewhere,
// without leaving the files it began under a temporary name behind (a long log's CSV runs to
// gigabytes). The system calls this on a thread of its own while the conversion goes on. Windows
// removes no file that is open, so every file of the C runtime is closed before any is removed,
// and only once the list of unfinished files is locked: a file the conversion began between the
// closing and the locking would be open still, and stay behind. A write the conversion tries
// after the closing fails, and it then waits on the list, which stays locked. The process then
// ends at once, as Ctrl+C ends it by default.
BOOL WINAPI endLeavingNothingBehind(DWORD event) {
  if (event != CTRL_C_EVENT && event != CTRL_BREAK_EVENT && event != CTRL_CLOSE_EVENT) {
    return FALSE;
  }
  trelvox::removeUnfinishedFiles([] { _fcloseall(); });
  TerminateProcess(GetCurrentProcess(), STATUS_CONTROL_C_EXIT);
  return TRUE;
}

}  // namespace

int main() {
  SetConsoleCtrlHandler(endLeavingNothingBehind, TRUE);
  SetConsoleOutputCP(CP_UTF8);
  // "-o -" sends the CSV through standard output: its CR LF row ends must pass unchanged, not
  // become CR CR LF.
  _setmode(_fileno(stdout), _O_BINARY);
  const std::vector<std::string> arguments = trelvox::commandLineArguments();
  std::vector<const char*> argv{"trelvox-cli"};
  for (const std::string& argument : arguments) argv.push_back(argument.c_str());
  const trelvox::CommandLineDefaults defaults{trelvox::separatorsFromUserLocale(),
                                              trelvox::userInterfaceLanguage()};
  return trelvox::runCommandLine(static_cast<int>(argv.size()), argv.data(), defaults, std::cout,
                                 std::cerr);
}
