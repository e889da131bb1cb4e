#pragma once

#include <string>
#include <vector>

#include "app/messages.h"
#include "outputs/csv/separators.h"

namespace trelvox {

// What the Windows programs take from the user's settings and their own start.

// The list and decimal separators of the user-default locale, read once at program start; the
// defaults "," and "." stay where the locale cannot be read or its character is not one byte.
Separators separatorsFromUserLocale();

// The language of the user interface: English, German or Japanese.
Language userInterfaceLanguage();

// The program's arguments (without the program itself) as UTF-8, whatever the ANSI code page.
std::vector<std::string> commandLineArguments();

}  // namespace trelvox
