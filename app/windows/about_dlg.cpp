#include "app/windows/about_dlg.h"

#include "resources/resource.h"

namespace trelvox {

void CAboutDlg::doModal(HWND owner) const {
  DialogBoxIndirectParamW(resources_.instance(), resources_.dialogTemplate(IDD_ABOUTBOX), owner,
                          dialogProc, 0);
}

INT_PTR CALLBACK CAboutDlg::dialogProc(HWND window, UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG:
      return TRUE;
    case WM_COMMAND:
      if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
        EndDialog(window, LOWORD(wParam));
        return TRUE;
      }
      break;
    default:
      break;
  }
  return FALSE;
}

}  // namespace trelvox
