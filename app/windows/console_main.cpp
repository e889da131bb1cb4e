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

int main() {
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
