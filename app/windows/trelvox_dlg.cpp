#include "app/windows/trelvox_dlg.h"

#include <shellapi.h>

#include <filesystem>
#include <vector>

#include "app/windows/about_dlg.h"
#include "app/windows/conversion_commands.h"
#include "resources/resource.h"

namespace trelvox {
namespace {

// Posted once the dialog is set up, so that its first appearance is over when it is handled.
constexpr UINT kShownMessage = WM_APP;

HICON loadIcon(HINSTANCE instance, int widthMetric, int heightMetric) {
  return static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(IDR_MAINFRAME), IMAGE_ICON,
                                       GetSystemMetrics(widthMetric),
                                       GetSystemMetrics(heightMetric), LR_DEFAULTCOLOR));
}

std::vector<std::filesystem::path> droppedPaths(HDROP drop) {
  std::vector<std::filesystem::path> paths;
  const UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
  for (UINT k = 0; k < count; ++k) {
    std::wstring path(DragQueryFileW(drop, k, nullptr, 0) + 1, L'\0');
    path.resize(DragQueryFileW(drop, k, path.data(), static_cast<UINT>(path.size())));
    paths.emplace_back(path);
  }
  return paths;
}

}  // namespace

CTrelvoxDlg::CTrelvoxDlg(const ShellContext& shell)
    : shell_(shell),
      bigIcon_(loadIcon(shell.resources.instance(), SM_CXICON, SM_CYICON)),
      smallIcon_(loadIcon(shell.resources.instance(), SM_CXSMICON, SM_CYSMICON)) {}

CTrelvoxDlg::~CTrelvoxDlg() {
  if (bigIcon_ != nullptr) DestroyIcon(bigIcon_);
  if (smallIcon_ != nullptr) DestroyIcon(smallIcon_);
}

INT_PTR CTrelvoxDlg::doModal(std::function<void(HWND)> onShown) {
  onShown_ = std::move(onShown);
  return DialogBoxIndirectParamW(shell_.resources.instance(),
                                 shell_.resources.dialogTemplate(IDD_TRELVOX_DIALOG), nullptr,
                                 dialogProc, reinterpret_cast<LPARAM>(this));
}

INT_PTR CALLBACK CTrelvoxDlg::dialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    SetWindowLongPtrW(window, DWLP_USER, lParam);
    reinterpret_cast<CTrelvoxDlg*>(lParam)->window_ = window;
  }
  auto* dialog = reinterpret_cast<CTrelvoxDlg*>(GetWindowLongPtrW(window, DWLP_USER));
  return dialog == nullptr ? FALSE : dialog->handleMessage(message, wParam, lParam);
}

INT_PTR CTrelvoxDlg::handleMessage(UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG:
      onInitDialog();
      return TRUE;
    case kShownMessage:
      onShown_(window_);
      return TRUE;
    case WM_COMMAND:
      return onCommand(LOWORD(wParam));
    case WM_SYSCOMMAND:
      if ((wParam & 0xFFF0) != IDM_ABOUTBOX) return FALSE;
      showAbout();
      return TRUE;
    case WM_DROPFILES:
      onDropFiles(reinterpret_cast<HDROP>(wParam));
      return TRUE;
    case WM_QUERYDRAGICON:
      return reinterpret_cast<INT_PTR>(bigIcon_);
    default:
      return FALSE;
  }
}

void CTrelvoxDlg::onInitDialog() {
  // The template names the menu by number only, which the system would load in the thread's
  // language: put the chosen language's menu in its place.
  const HMENU templateMenu = GetMenu(window_);
  SetMenu(window_, shell_.resources.loadMenu(IDR_MAINFRAME));
  if (templateMenu != nullptr) DestroyMenu(templateMenu);
  addReportCommand();

  const std::wstring aboutText = shell_.resources.string(MessageId::kMenuAboutText);
  const HMENU systemMenu = GetSystemMenu(window_, FALSE);
  if (systemMenu != nullptr && !aboutText.empty()) {
    AppendMenuW(systemMenu, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(systemMenu, MF_STRING, IDM_ABOUTBOX, aboutText.c_str());
  }
  SendMessageW(window_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(bigIcon_));
  SendMessageW(window_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon_));
  if (onShown_) PostMessageW(window_, kShownMessage, 0, 0);
}

// The Report texts are in the message table only: the button gets its text, and the File menu
// its entry after Open.
void CTrelvoxDlg::addReportCommand() {
  SetDlgItemTextW(window_, IDC_REPORT, shell_.resources.string(MessageId::kReportButton).c_str());
  const HMENU fileMenu = GetSubMenu(GetMenu(window_), 0);
  if (fileMenu == nullptr) return;
  InsertMenuW(fileMenu, 1, MF_BYPOSITION | MF_STRING, ID_FILE_REPORT,
              shell_.resources.string(MessageId::kReportMenuItem).c_str());
}

bool CTrelvoxDlg::onCommand(WORD id) {
  switch (id) {
    case IDC_OPEN:
    case ID_FILE_OPEN:
      runOpenCommand(window_, shell_);
      return true;
    case IDC_REPORT:
    case ID_FILE_REPORT:
      runReportCommand(window_, shell_);
      return true;
    case ID_APP_ABOUT:
      showAbout();
      return true;
    case ID_APP_EXIT:
      EndDialog(window_, IDOK);
      return true;
    case IDCANCEL:
      EndDialog(window_, IDCANCEL);
      return true;
    default:
      // Enter (IDOK) does not close the window: it has no OK button.
      return false;
  }
}

void CTrelvoxDlg::onDropFiles(HDROP drop) {
  const std::vector<std::filesystem::path> paths = droppedPaths(drop);
  DragFinish(drop);
  convertDroppedFiles(window_, shell_, paths);
}

void CTrelvoxDlg::showAbout() { CAboutDlg(shell_.resources).doModal(window_); }

}  // namespace trelvox
