#pragma once

#include <ostream>

#include "app/messages.h"
#include "outputs/text/separators.h"

namespace trelvox {

// What the command line takes from the user's environment; options override it.
struct CommandLineDefaults {
  Separators separators;
  Language language = Language::kEnglish;
};

// Runs `trelvox [options] LOG.KLD|FOLDER...`: converts each log to CSV, reports one line per log
// and returns the exit status (0 all converted, 1 some failed, 2 usage error).
int runCommandLine(int argc, const char* const* argv, const CommandLineDefaults& defaults,
                   std::ostream& out, std::ostream& err);

}  // namespace trelvox
