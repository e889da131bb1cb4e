#include "app/windows/ui_description.h"

#include "app/windows/about_dlg.h"
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

std::string stringTableCheck(const ShellContext& shell) {
  std::string differing;
  for (const MessageId id : messageIds()) {
    if (shell.resources.string(static_cast<UINT>(id)) != widen(message(id, shell.language))) {
      differing += ' ' + std::to_string(static_cast<int>(id));
    }
  }
  return differing.empty() ? "matches the message table" : "differs in" + differing;
}

std::string sizeText(LONG width, LONG height) {
  return std::to_string(width) + 'x' + std::to_string(height);
}

// "NAME=TEXT" and "NAME-size=needs WxH has WxH": the text of a static control, the room its text
// takes as the control lays it out, and the room the control has.
std::string describeText(HWND dialog, int id, const std::string& name) {
  const HWND text = GetDlgItem(dialog, id);
  RECT room{};
  GetClientRect(text, &room);
  const SIZE needed = textExtent(text, room.right);
  return name + '=' + windowText(text) + '\n' + name + "-size=needs " +
         sizeText(needed.cx, needed.cy) + " has " + sizeText(room.right, room.bottom) + '\n';
}

// "NAME=needs WxH has WxH": the room a button's one-line text takes and the room inside the
// button's frame and focus rectangle.
std::string describeButtonRoom(HWND dialog, int id, const std::string& name) {
  constexpr LONG kFrame = 4;
  const HWND button = GetDlgItem(dialog, id);
  RECT room{};
  GetClientRect(button, &room);
  const SIZE needed = textExtent(button, std::nullopt);
  return name + "=needs " + sizeText(needed.cx, needed.cy) + " has " +
         sizeText(room.right - 2 * kFrame, room.bottom - 2 * kFrame) + '\n';
}

}  // namespace

std::string describeAboutBox(HWND about) {
  return "about-title=" + windowText(about) + '\n' +
         describeText(about, IDC_ABOUT_VERSION, "about-version") +
         describeText(about, IDC_ABOUT_NOTICE, "about-notice");
}

std::string describeMainWindow(HWND window, const ShellContext& shell) {
  std::string description;
  description += "title=" + windowText(window) + '\n';
  description += "button=" + windowText(GetDlgItem(window, IDC_OPEN)) + '\n';
  description += describeButtonRoom(window, IDC_OPEN, "button-size");
  description += "report-button=" + windowText(GetDlgItem(window, IDC_REPORT)) + '\n';
  description += describeButtonRoom(window, IDC_REPORT, "report-button-size");
  description += "menu=" + menuText(GetMenu(window)) + '\n';
  description +=
      "system-menu-item=" + menuItemText(GetSystemMenu(window, FALSE), IDM_ABOUTBOX, MF_BYCOMMAND) +
      '\n';
  description += "string-table=" + stringTableCheck(shell) + '\n';
  return description;
}

}  // namespace trelvox
