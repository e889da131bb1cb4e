#pragma once

#include <windows.h>

#include "app/windows/localized_resources.h"

namespace trelvox {

// The About box (template 100): the program's icon, version and notice, and an OK button.
class CAboutDlg {
 public:
  explicit CAboutDlg(const LocalizedResources& resources) : resources_(resources) {}

  void doModal(HWND owner) const;

 private:
  static INT_PTR CALLBACK dialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

  const LocalizedResources& resources_;
};

}  // namespace trelvox
