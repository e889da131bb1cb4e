#pragma once

#include <sstream>
#include <string>
#include <vector>

#include "app/cli/command_line.h"

namespace trelvox {

// What a user sees of one command-line run: the exit code and both streams.
struct CliRun {
  int status;
  std::string out;
  std::string err;
};

inline CliRun run(std::vector<std::string> arguments, Language language = Language::kEnglish,
                  const std::string& program = "trelvox") {
  arguments.insert(arguments.begin(), program);
  std::vector<const char*> argv;
  for (const std::string& a : arguments) argv.push_back(a.c_str());
  std::ostringstream out;
  std::ostringstream err;
  const int status = runCommandLine(static_cast<int>(argv.size()), argv.data(),
                                    CommandLineDefaults{Separators{}, language}, out, err);
  return {status, out.str(), err.str()};
}

}  // namespace trelvox
