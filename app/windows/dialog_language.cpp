#include "app/windows/dialog_language.h"

namespace trelvox {
namespace {

constexpr std::uint16_t kPrimaryLanguageMask = 0x03FF;

}  // namespace

Language languageFromLangId(std::uint16_t langId) {
  switch (langId & kPrimaryLanguageMask) {
    case kLangIdGerman& kPrimaryLanguageMask:
      return Language::kGerman;
    case kLangIdJapanese& kPrimaryLanguageMask:
      return Language::kJapanese;
    default:
      return Language::kEnglish;
  }
}

std::uint16_t langIdOf(Language language) {
  switch (language) {
    case Language::kGerman:
      return kLangIdGerman;
    case Language::kJapanese:
      return kLangIdJapanese;
    case Language::kEnglish:
      break;
  }
  return kLangIdEnglish;
}

char separatorFromLocaleText(std::u16string_view localeText, char fallback) {
  if (localeText.empty() || localeText.front() == u'\0' || localeText.front() > 0x7F) {
    return fallback;
  }
  return static_cast<char>(localeText.front());
}

}  // namespace trelvox
