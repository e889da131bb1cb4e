#include "app/windows/trelvox_app.h"

#include <commctrl.h>
#include <objbase.h>

#include <cstdio>
#include <filesystem>
#include <optional>

#include "app/windows/conversion_commands.h"
#include "app/windows/shell_logic.h"
#include "app/windows/trelvox_dlg.h"
#include "app/windows/ui_report.h"
#include "app/windows/user_environment.h"
#include "conversion/path_text.h"

namespace trelvox {
namespace {

constexpr UINT kUiCheckTimer = 1;
constexpr UINT kUiCheckShownMilliseconds = 8000;

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

void CALLBACK closeAfterCheck(HWND window, UINT, UINT_PTR, DWORD) {
  KillTimer(window, kUiCheckTimer);
  EndDialog(window, IDCANCEL);
}

int runUiCheck(HINSTANCE instance, const std::string& languageCode,
               const std::filesystem::path& reportPath) {
  const std::optional<Language> language = languageFromCode(languageCode);
  if (!language) return 2;
  const LocalizedResources resources(instance, langIdOf(*language));
  const ShellContext shell{resources, *language, separatorsFromUserLocale()};
  CTrelvoxDlg dialog(shell);
  dialog.doModal([&](HWND window) {
    writeFile(reportPath, describeMainWindow(window, shell));
    SetTimer(window, kUiCheckTimer, kUiCheckShownMilliseconds, closeAfterCheck);
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
  if (arguments.size() == 3 && arguments[0] == "--ui-check") {
    status = runUiCheck(instance, arguments[1], pathFromUtf8(arguments[2]));
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
