#pragma once

#include <windows.h>

#include <optional>

#include "app/windows/localized_resources.h"

namespace trelvox {

// The About box (template 100): the program's icon, version and notice, and an OK button. Its
// texts get the room their font needs, whatever font the system gives the dialog.
class CAboutDlg {
 public:
  explicit CAboutDlg(const LocalizedResources& resources) : resources_(resources) {}

  void doModal(HWND owner) const;

 private:
  static INT_PTR CALLBACK dialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

  const LocalizedResources& resources_;
};

// The size in pixels that the text of the static control `text` takes in the control's font:
// in one line, or wrapped into lines of at most `wrapWidth` pixels as the control wraps it.
SIZE textExtent(HWND text, std::optional<int> wrapWidth);

}  // namespace trelvox
