#pragma once

#include <cstdint>
#include <string_view>

#include "app/messages.h"

namespace trelvox {

// Windows language identifiers of the three resource languages.
inline constexpr std::uint16_t kLangIdEnglish = 0x0409;
inline constexpr std::uint16_t kLangIdGerman = 0x0407;
inline constexpr std::uint16_t kLangIdJapanese = 0x0411;

// The resource language for a user-interface language id: any German or Japanese variant picks
// that language (Austrian German too), everything else English.
Language languageFromLangId(std::uint16_t langId);
std::uint16_t langIdOf(Language language);

// The separator a locale text gives: its first character when that is one byte (ASCII), otherwise
// `fallback`. Windows reports such texts as UTF-16.
char separatorFromLocaleText(std::u16string_view localeText, char fallback);

}  // namespace trelvox
