// trelvox: the command line. Reads the user's locale for separators and message language, then
// hands the arguments to the command-line runner.
#include <pthread.h>

#include <clocale>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <thread>

#include "app/cli/command_line.h"
#include "conversion/output_files.h"

namespace {

trelvox::Language languageFromEnvironment() {
  for (const char* variable : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
    const char* value = std::getenv(variable);
    if (value != nullptr && *value != '\0') return trelvox::languageFromLocaleName(value);
  }
  return trelvox::Language::kEnglish;
}

// The decimal separator of LC_NUMERIC; the list separator follows it (";" beside a decimal comma).
// A separator that is not one byte leaves the default.
trelvox::Separators separatorsFromLocale() {
  trelvox::Separators separators;
  const std::lconv* conventions = std::localeconv();
  if (conventions != nullptr && std::strlen(conventions->decimal_point) == 1) {
    separators.decimal = conventions->decimal_point[0];
  }
  if (separators.decimal == ',') separators.list = ';';
  return separators;
}

// Ctrl+C, a kill or a closed terminal would end the process with its hidden, unfinished files
// (a long log's CSV runs to gigabytes) left behind. Those signals go to one thread instead, which
// removes the files and then ends the process by the same signal. A signal the caller ignores
// (nohup) stays ignored. Called before any other thread starts: threads inherit the mask.
void removeUnfinishedFilesOnStopSignals() {
  sigset_t stops;
  sigemptyset(&stops);
  for (const int signal : {SIGINT, SIGTERM, SIGHUP}) {
    struct sigaction action {};
    if (sigaction(signal, nullptr, &action) == 0 && action.sa_handler != SIG_IGN) {
      sigaddset(&stops, signal);
    }
  }
  if (pthread_sigmask(SIG_BLOCK, &stops, nullptr) != 0) return;
  std::thread([stops] {
    int signal = 0;
    if (sigwait(&stops, &signal) != 0) return;
    trelvox::removeUnfinishedFiles();
    // The signal was left at its default action, which ends the process once it is let through.
    pthread_sigmask(SIG_UNBLOCK, &stops, nullptr);
    std::raise(signal);
  }).detach();
}

}  // namespace

int main(int argc, char** argv) {
  removeUnfinishedFilesOnStopSignals();
  // A reader that goes away early (`trelvox -o - ... | head`) would end the process by SIGPIPE
  // with its unfinished files left behind. Ignored, the write fails like any other failed write:
  // the run removes what it had begun and says it failed.
  std::signal(SIGPIPE, SIG_IGN);
  std::setlocale(LC_ALL, "");
  const trelvox::CommandLineDefaults defaults{separatorsFromLocale(), languageFromEnvironment()};
  // Numbers in the CSV never depend on the locale beyond the two separators.
  std::setlocale(LC_NUMERIC, "C");
  return trelvox::runCommandLine(argc, argv, defaults, std::cout, std::cerr);
}
