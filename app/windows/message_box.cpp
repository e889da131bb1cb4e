#include "app/windows/message_box.h"

#include <filesystem>

namespace trelvox {

std::wstring programName() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length < path.size()) {
      path.resize(length);
      break;
    }
    path.resize(path.size() * 2);
  }
  return std::filesystem::path(path).stem().wstring();
}

void showMessage(HWND owner, const std::wstring& text, UINT icon) {
  MessageBoxW(owner, text.c_str(), programName().c_str(), MB_OK | icon);
}

bool askYesNo(HWND owner, const std::wstring& text, UINT icon) {
  return MessageBoxW(owner, text.c_str(), programName().c_str(), MB_YESNO | icon) == IDYES;
}

}  // namespace trelvox
