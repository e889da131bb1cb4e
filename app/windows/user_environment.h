#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "app/messages.h"
#include "outputs/text/separators.h"

namespace trelvox {

// What the Windows programs take from the user's settings and their own start.

// The list and decimal separators of the user-default locale, read once at program start; the
// defaults "," and "." stay where the locale cannot be read or its character is not one byte.
Separators separatorsFromUserLocale();

// The language of the user interface: English, German or Japanese.
Language userInterfaceLanguage();

// The folder of the log last opened in the dialog program, kept for the user across runs under
// HKEY_CURRENT_USER\Software\Trelvox; empty when there is none.
std::filesystem::path rememberedLogFolder();
void rememberLogFolder(const std::filesystem::path& folder);

// The system's own words for its error `code` (such as ERROR_ACCESS_DENIED) in `language`, or
// in the system's language when it has none in that one; one line, empty when unknown.
std::string systemErrorText(unsigned long code, Language language);

// The program's arguments (without the program itself) as UTF-8, whatever the ANSI code page.
std::vector<std::string> commandLineArguments();

}  // namespace trelvox
