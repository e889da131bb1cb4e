// trelvox-dialog-driver.exe: works Trelvox.exe's windows as a user would, for the wine checks,
// which have no other way to type into a dialog or to read a message box. It runs the steps it is
// given in order, stopping at the first that fails:
//   open              presses the main window's Open button
//   report            presses the main window's Report button
//   about             chooses Help > Version in the main window
//   choose PATH       in the file dialog that comes up, enters PATH and confirms it ("-" takes the
//                     proposed name); prints the dialog's title and the name it proposed
//   box               prints the caption and the text of the message box that comes up
//   answer ID         presses button ID (1 OK, 6 Yes, 7 No) of the message box that is up
//   icon              prints where the message box that is up shows its icon, as "icon LEFT TOP
//                     WIDTH HEIGHT" in pixels of the box's window, for a check of its colours
//   close             closes the main window
//   hold PATH         opens PATH sharing it with no one, as a spreadsheet holds its file, until
//                     the driver ends
//   run LINE          starts the command line LINE as Explorer starts a verb's, without waiting
//   texts TITLE       prints the texts of the shown controls of the window whose title begins with
//                     TITLE (such as the setup program's), in the order of the window's children
//   press TITLE ID    presses button ID of that window (the setup's 1 Next, 2 Cancel)
//   toggle TITLE N    in that window, ticks or clears option N (from 0) of its tree of options, as
//                     the space bar does
// Each step waits up to half a minute for its window; when that does not come it prints the message
// boxes and file dialogs that are up instead, and fails.
#include <windows.h>
// After windows.h.
#include <commctrl.h>

#include <array>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "app/windows/text_encoding.h"
#include "resources/resource.h"

namespace trelvox {
namespace {

// Control ids of the system's dialogs: the file name field of the file dialogs, the text of a
// message box.
constexpr int kFileNameField = 0x480;
constexpr int kMessageBoxText = 0xFFFF;
// A bound for a stuck dialog, not a speed check: on a loaded two-core CI machine wine once took
// more than 30 s to show the Report's first dialog.
constexpr int kWaitMilliseconds = 90000;
constexpr int kPollMilliseconds = 100;

enum class Kind { kMainWindow, kFileDialog, kMessageBox };

std::wstring textOf(HWND window) {
  wchar_t text[4096]{};
  SendMessageW(window, WM_GETTEXT, std::size(text), reinterpret_cast<LPARAM>(text));
  return text;
}

std::optional<Kind> kindOf(HWND window) {
  wchar_t className[16]{};
  GetClassNameW(window, className, static_cast<int>(std::size(className)));
  if (!IsWindowVisible(window) || std::wstring(className) != L"#32770") return std::nullopt;
  if (GetDlgItem(window, IDC_OPEN) != nullptr) return Kind::kMainWindow;
  if (GetDlgItem(window, kFileNameField) != nullptr) return Kind::kFileDialog;
  if (GetDlgItem(window, kMessageBoxText) != nullptr) return Kind::kMessageBox;
  return std::nullopt;
}

// The shown dialogs of each kind.
struct Found {
  std::array<std::vector<HWND>, 3> windows;
  const std::vector<HWND>& of(Kind kind) const { return windows[static_cast<std::size_t>(kind)]; }
};

Found topLevelDialogs() {
  Found found;
  EnumWindows(
      [](HWND window, LPARAM foundPointer) -> BOOL {
        if (const std::optional<Kind> kind = kindOf(window)) {
          reinterpret_cast<Found*>(foundPointer)
              ->windows[static_cast<std::size_t>(*kind)]
              .push_back(window);
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&found));
  return found;
}

void print(const std::wstring& text) { std::fputs((narrow(text) + '\n').c_str(), stdout); }

// Waits for a window of kind `wanted`. When none comes, prints the message box or file dialog
// that is up instead.
std::optional<HWND> waitFor(Kind wanted) {
  for (int waited = 0; waited < kWaitMilliseconds; waited += kPollMilliseconds) {
    const Found found = topLevelDialogs();
    if (!found.of(wanted).empty()) return found.of(wanted).front();
    Sleep(kPollMilliseconds);
  }
  const Found found = topLevelDialogs();
  for (const Kind other : {Kind::kFileDialog, Kind::kMessageBox}) {
    for (const HWND window : found.of(other)) {
      print(L"instead: " + textOf(window));
      const HWND text = GetDlgItem(window, kMessageBoxText);
      if (text != nullptr) print(textOf(text));
    }
  }
  print(L"timed out");
  return std::nullopt;
}

void press(HWND dialog, int id) {
  PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

// Waits until `dialog` has gone, or until a message box has come up over it (such as the question
// whether to replace a file), so that the next step never finds the window this one closed.
bool waitUntilGone(HWND dialog) {
  for (int waited = 0; waited < kWaitMilliseconds; waited += kPollMilliseconds) {
    if (!IsWindow(dialog) || !IsWindowVisible(dialog)) return true;
    const Found found = topLevelDialogs();
    for (const HWND box : found.of(Kind::kMessageBox)) {
      if (box != dialog) return true;
    }
    Sleep(kPollMilliseconds);
  }
  print(L"still open: " + textOf(dialog));
  return false;
}

bool choose(const std::wstring& path) {
  const std::optional<HWND> dialog = waitFor(Kind::kFileDialog);
  if (!dialog) return false;
  const HWND field = GetDlgItem(*dialog, kFileNameField);
  print(textOf(*dialog));
  print(textOf(field));
  if (path != L"-") SendMessageW(field, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()));
  press(*dialog, IDOK);
  return waitUntilGone(*dialog);
}

bool showBox() {
  const std::optional<HWND> box = waitFor(Kind::kMessageBox);
  if (!box) return false;
  print(textOf(*box));
  print(textOf(GetDlgItem(*box, kMessageBoxText)));
  return true;
}

// The icon is the box's one static control that shows an icon; its id differs between systems.
HWND iconOf(HWND box) {
  struct Search {
    HWND found = nullptr;
  } search;
  EnumChildWindows(
      box,
      [](HWND child, LPARAM searchPointer) -> BOOL {
        if ((GetWindowLongW(child, GWL_STYLE) & SS_TYPEMASK) != SS_ICON) return TRUE;
        reinterpret_cast<Search*>(searchPointer)->found = child;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

bool printIcon() {
  const std::optional<HWND> box = waitFor(Kind::kMessageBox);
  if (!box) return false;
  const HWND icon = iconOf(*box);
  if (icon == nullptr || !IsWindowVisible(icon)) {
    print(L"no icon");
    return false;
  }
  RECT boxRect{};
  RECT iconRect{};
  GetWindowRect(*box, &boxRect);
  GetWindowRect(icon, &iconRect);
  print(L"icon " + std::to_wstring(iconRect.left - boxRect.left) + L" " +
        std::to_wstring(iconRect.top - boxRect.top) + L" " +
        std::to_wstring(iconRect.right - iconRect.left) + L" " +
        std::to_wstring(iconRect.bottom - iconRect.top));
  return true;
}

// The handle is left for the system to close when the driver ends.
bool hold(const std::wstring& path) {
  const HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file != INVALID_HANDLE_VALUE) return true;
  print(L"cannot hold " + path);
  return false;
}

bool run(std::wstring commandLine) {
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &process)) {
    print(L"cannot run " + commandLine);
    return false;
  }
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return true;
}

// The shown top-level window whose title begins with `title`: the setup's title adds each page's
// name after a colon.
HWND windowTitled(const std::wstring& title) {
  struct Search {
    const std::wstring& title;
    HWND found = nullptr;
  } search{title};
  EnumWindows(
      [](HWND window, LPARAM searchPointer) -> BOOL {
        auto& s = *reinterpret_cast<Search*>(searchPointer);
        if (!IsWindowVisible(window) || !textOf(window).starts_with(s.title)) return TRUE;
        s.found = window;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

std::optional<HWND> waitForTitle(const std::wstring& title) {
  for (int waited = 0; waited < kWaitMilliseconds; waited += kPollMilliseconds) {
    if (const HWND window = windowTitled(title)) return window;
    Sleep(kPollMilliseconds);
  }
  print(L"no window titled " + title);
  return std::nullopt;
}

bool printTexts(const std::wstring& title) {
  const std::optional<HWND> window = waitForTitle(title);
  if (!window) return false;
  print(textOf(*window));
  EnumChildWindows(
      *window,
      [](HWND child, LPARAM) -> BOOL {
        if (!IsWindowVisible(child)) return TRUE;
        const std::wstring text = textOf(child);
        if (!text.empty()) print(text);
        return TRUE;
      },
      0);
  return true;
}

bool pressIn(const std::wstring& title, int id) {
  const std::optional<HWND> window = waitForTitle(title);
  if (!window) return false;
  press(*window, id);
  return true;
}

HWND childOfClass(HWND window, const wchar_t* className) {
  struct Search {
    const wchar_t* className;
    HWND found = nullptr;
  } search{className};
  EnumChildWindows(
      window,
      [](HWND child, LPARAM searchPointer) -> BOOL {
        auto& s = *reinterpret_cast<Search*>(searchPointer);
        wchar_t name[32]{};
        GetClassNameW(child, name, static_cast<int>(std::size(name)));
        if (std::wstring(name) != s.className || !IsWindowVisible(child)) return TRUE;
        s.found = child;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

bool toggleOption(const std::wstring& title, int index) {
  const std::optional<HWND> window = waitForTitle(title);
  if (!window) return false;
  HWND tree = nullptr;
  for (int waited = 0; tree == nullptr && waited < kWaitMilliseconds; waited += kPollMilliseconds) {
    tree = childOfClass(*window, WC_TREEVIEWW);
    if (tree == nullptr) Sleep(kPollMilliseconds);
  }
  auto item = tree == nullptr ? LPARAM{0} : SendMessageW(tree, TVM_GETNEXTITEM, TVGN_ROOT, 0);
  for (int i = 0; i < index && item != 0; ++i) {
    item = SendMessageW(tree, TVM_GETNEXTITEM, TVGN_NEXT, item);
  }
  if (item == 0) {
    print(L"no option " + std::to_wstring(index) + L" in " + title);
    return false;
  }
  SendMessageW(tree, TVM_SELECTITEM, TVGN_CARET, item);
  SendMessageW(tree, WM_CHAR, VK_SPACE, 0);
  return true;
}

// Runs one step, taking its value from `next` when it has one; false when it failed.
bool runStep(const std::wstring& step, std::vector<std::wstring>::const_iterator& next,
             std::vector<std::wstring>::const_iterator end) {
  const auto value = [&] { return next == end ? std::wstring() : *next++; };
  if (step == L"choose") return choose(value());
  if (step == L"box") return showBox();
  if (step == L"icon") return printIcon();
  if (step == L"hold") return hold(value());
  if (step == L"run") return run(value());
  if (step == L"texts") return printTexts(value());
  if (step == L"press" || step == L"toggle") {
    const std::wstring title = value();
    const int number = std::stoi(value());
    return step == L"press" ? pressIn(title, number) : toggleOption(title, number);
  }
  const std::optional<HWND> window =
      waitFor(step == L"answer" ? Kind::kMessageBox : Kind::kMainWindow);
  if (!window) return false;
  if (step == L"answer") {
    press(*window, std::stoi(value()));
    return waitUntilGone(*window);
  }
  if (step == L"open") {
    press(*window, IDC_OPEN);
  } else if (step == L"report") {
    press(*window, IDC_REPORT);
  } else if (step == L"about") {
    press(*window, ID_APP_ABOUT);
  } else if (step == L"close") {
    press(*window, IDCANCEL);
  } else {
    print(L"unknown step: " + step);
    return false;
  }
  return true;
}

int run(const std::vector<std::wstring>& arguments) {
  for (auto next = arguments.begin(); next != arguments.end();) {
    const std::wstring& step = *next++;
    if (!runStep(step, next, arguments.end())) return 1;
  }
  return 0;
}

}  // namespace
}  // namespace trelvox

int wmain(int argc, wchar_t** argv) {
  return trelvox::run(std::vector<std::wstring>(argv + 1, argv + argc));
}
