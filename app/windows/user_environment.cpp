#include "app/windows/user_environment.h"

#include <windows.h>
// shellapi.h needs the types of windows.h.
#include <shellapi.h>

#include <cwchar>
#include <cwctype>

#include "app/windows/dialog_language.h"
#include "app/windows/text_encoding.h"

namespace trelvox {
namespace {

constexpr const wchar_t* kSettingsKey = L"Software\\Trelvox";
constexpr const wchar_t* kLogFolderValue = L"LastLogFolder";

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

std::filesystem::path rememberedLogFolder() {
  DWORD size = 0;
  if (RegGetValueW(HKEY_CURRENT_USER, kSettingsKey, kLogFolderValue, RRF_RT_REG_SZ, nullptr,
                   nullptr, &size) != ERROR_SUCCESS) {
    return {};
  }
  std::wstring folder(size / sizeof(wchar_t), L'\0');
  if (RegGetValueW(HKEY_CURRENT_USER, kSettingsKey, kLogFolderValue, RRF_RT_REG_SZ, nullptr,
                   folder.data(), &size) != ERROR_SUCCESS) {
    return {};
  }
  folder.resize(wcsnlen(folder.c_str(), folder.size()));
  return folder;
}

void rememberLogFolder(const std::filesystem::path& folder) {
  const std::wstring& text = folder.native();
  RegSetKeyValueW(HKEY_CURRENT_USER, kSettingsKey, kLogFolderValue, REG_SZ, text.c_str(),
                  static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
}

std::string systemErrorText(unsigned long code, Language language) {
  constexpr DWORD kFlags = FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                           FORMAT_MESSAGE_IGNORE_INSERTS | FORMAT_MESSAGE_MAX_WIDTH_MASK;
  for (const DWORD textLanguage : {static_cast<DWORD>(langIdOf(language)), DWORD{0}}) {
    wchar_t* text = nullptr;
    const DWORD length = FormatMessageW(kFlags, nullptr, code, textLanguage,
                                        reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    if (length == 0) continue;
    std::wstring line(text, length);
    LocalFree(text);
    // The system ends its texts with a blank where a line break was.
    while (!line.empty() && iswspace(line.back())) line.pop_back();
    return narrow(line);
  }
  return {};
}

std::vector<std::string> commandLineArguments() {
  int count = 0;
  wchar_t** arguments = CommandLineToArgvW(GetCommandLineW(), &count);
  std::vector<std::string> utf8;
  for (int i = 1; i < count; ++i) utf8.push_back(narrow(arguments[i]));
  LocalFree(arguments);
  return utf8;
}

}  // namespace trelvox
