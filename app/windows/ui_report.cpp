#include "app/windows/ui_report.h"

#include "app/windows/text_encoding.h"
#include "resources/resource.h"

namespace trelvox {
namespace {

std::string windowText(HWND window) {
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
  text.resize(
      static_cast<std::size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
  return narrow(text);
}

std::string menuItemText(HMENU menu, UINT item, UINT flag) {
  wchar_t text[128]{};
  const int length = GetMenuStringW(menu, item, text, static_cast<int>(std::size(text)), flag);
  return narrow(std::wstring_view(text, static_cast<std::size_t>(length)));
}

// "&File[&Open|E&xit] &Help[&Version]"
std::string menuText(HMENU menu) {
  std::string text;
  for (int k = 0; k < GetMenuItemCount(menu); ++k) {
    if (!text.empty()) text += ' ';
    text += menuItemText(menu, static_cast<UINT>(k), MF_BYPOSITION);
    const HMENU popup = GetSubMenu(menu, k);
    if (popup == nullptr) continue;
    text += '[';
    for (int item = 0; item < GetMenuItemCount(popup); ++item) {
      if (item > 0) text += '|';
      text += menuItemText(popup, static_cast<UINT>(item), MF_BYPOSITION);
    }
    text += ']';
  }
  return text;
}

// The dialog procedure of a box that is only read, never used.
INT_PTR CALLBACK leaveToTheSystem(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

// The About box's version line, read from a copy of the box that is never shown.
std::string aboutBoxVersion(HWND owner, const ShellContext& shell) {
  const HWND about = CreateDialogIndirectParamW(shell.resources.instance(),
                                                shell.resources.dialogTemplate(IDD_ABOUTBOX), owner,
                                                leaveToTheSystem, 0);
  if (about == nullptr) return {};
  const std::string text = windowText(GetDlgItem(about, IDC_ABOUT_VERSION));
  DestroyWindow(about);
  return text;
}

std::string stringTableCheck(const ShellContext& shell) {
  std::string differing;
  for (const int id : messageIds()) {
    if (shell.resources.string(static_cast<UINT>(id)) != widen(message(id, shell.language))) {
      differing += ' ' + std::to_string(id);
    }
  }
  return differing.empty() ? "matches the message table" : "differs in" + differing;
}

}  // namespace

std::string describeMainWindow(HWND window, const ShellContext& shell) {
  std::string report;
  report += "title=" + windowText(window) + '\n';
  report += "button=" + windowText(GetDlgItem(window, IDC_OPEN)) + '\n';
  report += "menu=" + menuText(GetMenu(window)) + '\n';
  report +=
      "system-menu-item=" + menuItemText(GetSystemMenu(window, FALSE), IDM_ABOUTBOX, MF_BYCOMMAND) +
      '\n';
  report += "string-table=" + stringTableCheck(shell) + '\n';
  report += "about-box=" + aboutBoxVersion(window, shell) + '\n';
  return report;
}

}  // namespace trelvox
