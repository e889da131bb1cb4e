#include "app/windows/user_environment.h"

#include <windows.h>
// shellapi.h needs the types of windows.h.
#include <shellapi.h>

#include "app/windows/shell_logic.h"
#include "app/windows/text_encoding.h"

namespace trelvox {
namespace {

char localeSeparator(LCTYPE item, char fallback) {
  wchar_t text[16]{};
  const int length =
      GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, item, text, static_cast<int>(std::size(text)));
  if (length <= 1) return fallback;
  return separatorFromLocaleText(std::u16string(text, text + length - 1), fallback);
}

}  // namespace

Separators separatorsFromUserLocale() {
  Separators separators;
  separators.list = localeSeparator(LOCALE_SLIST, separators.list);
  separators.decimal = localeSeparator(LOCALE_SDECIMAL, separators.decimal);
  return separators;
}

Language userInterfaceLanguage() { return languageFromLangId(GetUserDefaultUILanguage()); }

std::vector<std::string> commandLineArguments() {
  int count = 0;
  wchar_t** arguments = CommandLineToArgvW(GetCommandLineW(), &count);
  std::vector<std::string> utf8;
  for (int i = 1; i < count; ++i) utf8.push_back(narrow(arguments[i]));
  LocalFree(arguments);
  return utf8;
}

}  // namespace trelvox
