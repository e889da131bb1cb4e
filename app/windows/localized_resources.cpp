#include "app/windows/localized_resources.h"

#include "app/windows/dialog_language.h"

namespace trelvox {

const void* LocalizedResources::find(LPCWSTR type, UINT id) const {
  for (const LANGID language : {language_, static_cast<LANGID>(kLangIdEnglish)}) {
    const HRSRC found = FindResourceExW(instance_, type, MAKEINTRESOURCEW(id), language);
    if (found != nullptr) return LockResource(LoadResource(instance_, found));
  }
  return nullptr;
}

std::wstring LocalizedResources::string(UINT id) const {
  // Strings are stored sixteen to a block, each as its length followed by its UTF-16 units.
  constexpr UINT kStringsPerBlock = 16;
  const auto* entry = static_cast<const WCHAR*>(find(RT_STRING, id / kStringsPerBlock + 1));
  if (entry == nullptr) return {};
  for (UINT skipped = 0; skipped < id % kStringsPerBlock; ++skipped) entry += 1 + *entry;
  return std::wstring(entry + 1, *entry);
}

HMENU LocalizedResources::loadMenu(UINT id) const {
  const void* menu = find(RT_MENU, id);
  return menu == nullptr ? nullptr : LoadMenuIndirectW(menu);
}

const DLGTEMPLATE* LocalizedResources::dialogTemplate(UINT id) const {
  return static_cast<const DLGTEMPLATE*>(find(RT_DIALOG, id));
}

}  // namespace trelvox
