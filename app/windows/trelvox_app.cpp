#include "app/windows/trelvox_app.h"

#include <commctrl.h>
#include <objbase.h>

#include <cstdio>
#include <filesystem>
#include <optional>

#include "app/windows/conversion_commands.h"
#include "app/windows/dialog_language.h"
#include "app/windows/trelvox_dlg.h"
#include "app/windows/ui_description.h"
#include "app/windows/user_environment.h"
#include "conversion/path_text.h"

namespace trelvox {
namespace {

constexpr UINT kUiCheckTimer = 1;
constexpr UINT kUiCheckTickMilliseconds = 200;
// How long the About box stays for the screenshot once described, and how long the check waits
// for it to be opened before it gives up.
constexpr DWORD kAboutShownMilliseconds = 2000;
constexpr DWORD kAboutAwaitedMilliseconds = 30000;
constexpr const wchar_t* kUiCheckProperty = L"trelvox-ui-check";

std::optional<Language> languageFromCode(const std::string& code) {
  if (code == "en") return Language::kEnglish;
  if (code == "de") return Language::kGerman;
  if (code == "ja") return Language::kJapanese;
  return std::nullopt;
}

void writeFile(const std::filesystem::path& path, const std::string& text) {
  std::FILE* file = _wfopen(path.c_str(), L"wb");
  if (file == nullptr) return;
  std::fwrite(text.data(), 1, text.size(), file);
  std::fclose(file);
}

// The visible window that `owner` owns, such as its About box; none when there is none.
HWND ownedWindow(HWND owner) {
  struct Search {
    HWND owner;
    HWND found = nullptr;
  } search{owner};
  EnumThreadWindows(
      GetCurrentThreadId(),
      [](HWND window, LPARAM searchPointer) -> BOOL {
        auto& s = *reinterpret_cast<Search*>(searchPointer);
        if (GetWindow(window, GW_OWNER) != s.owner || !IsWindowVisible(window)) return TRUE;
        s.found = window;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

// What --ui-check does once the main window has appeared: it waits for the About box to be
// opened (from outside, as a user would), describes it, and a little later closes it and the
// main window.
struct UiCheck {
  std::filesystem::path aboutDescription;
  DWORD started = GetTickCount();
  DWORD aboutDescribed = 0;
};

void CALLBACK uiCheckTick(HWND window, UINT, UINT_PTR, DWORD now) {
  auto& check = *static_cast<UiCheck*>(GetPropW(window, kUiCheckProperty));
  const HWND about = ownedWindow(window);
  if (about != nullptr && check.aboutDescribed == 0) {
    writeFile(check.aboutDescription, describeAboutBox(about));
    check.aboutDescribed = now;
    return;
  }
  const bool shownLongEnough =
      about != nullptr && now - check.aboutDescribed >= kAboutShownMilliseconds;
  if (!shownLongEnough && now - check.started < kAboutAwaitedMilliseconds) return;
  KillTimer(window, kUiCheckTimer);
  RemovePropW(window, kUiCheckProperty);
  if (about != nullptr) EndDialog(about, IDOK);
  EndDialog(window, IDCANCEL);
}

int runUiCheck(HINSTANCE instance, const std::string& languageCode,
               const std::filesystem::path& mainDescription,
               const std::filesystem::path& aboutDescription) {
  const std::optional<Language> language = languageFromCode(languageCode);
  if (!language) return 2;
  const LocalizedResources resources(instance, langIdOf(*language));
  const ShellContext shell{resources, *language, separatorsFromUserLocale()};
  UiCheck check{aboutDescription};
  CTrelvoxDlg dialog(shell);
  dialog.doModal([&](HWND window) {
    writeFile(mainDescription, describeMainWindow(window, shell));
    SetPropW(window, kUiCheckProperty, &check);
    SetTimer(window, kUiCheckTimer, kUiCheckTickMilliseconds, uiCheckTick);
  });
  return 0;
}

}  // namespace

int CTrelvoxApp::run(HINSTANCE instance, const std::vector<std::string>& arguments) {
  INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES};
  InitCommonControlsEx(&controls);
  // The file dialogs are COM objects and want a single-threaded apartment.
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);

  int status = 0;
  if (arguments.size() == 4 && arguments[0] == "--ui-check") {
    status =
        runUiCheck(instance, arguments[1], pathFromUtf8(arguments[2]), pathFromUtf8(arguments[3]));
  } else {
    const Language language = userInterfaceLanguage();
    const LocalizedResources resources(instance, langIdOf(language));
    const ShellContext shell{resources, language, separatorsFromUserLocale()};
    if (arguments.empty()) {
      CTrelvoxDlg(shell).doModal();
    } else {
      std::vector<std::filesystem::path> dropped;
      for (const std::string& argument : arguments) dropped.push_back(pathFromUtf8(argument));
      convertDroppedFiles(nullptr, shell, dropped);
    }
  }
  CoUninitialize();
  return status;
}

}  // namespace trelvox

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  return trelvox::CTrelvoxApp().run(instance, trelvox::commandLineArguments());
}
