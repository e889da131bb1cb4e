// trelvox: the command line. Reads the user's locale for separators and message language, then
// hands the arguments to the command-line runner.
#include <clocale>
#include <cstdlib>
#include <cstring>
#include <iostream>

#include "app/cli/command_line.h"

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

}  // namespace

int main(int argc, char** argv) {
  std::setlocale(LC_ALL, "");
  const trelvox::CommandLineDefaults defaults{separatorsFromLocale(), languageFromEnvironment()};
  // Numbers in the CSV never depend on the locale beyond the two separators.
  std::setlocale(LC_NUMERIC, "C");
  return trelvox::runCommandLine(argc, argv, defaults, std::cout, std::cerr);
}
