#pragma once

#include <windows.h>

#include <functional>

#include "app/windows/shell_context.h"

namespace trelvox {

// The main window (template 102): the Open and Report buttons, the File and Help menus, the About
// item of the system menu, and log files dropped onto it. Modal; the program ends when it closes.
class CTrelvoxDlg {
 public:
  explicit CTrelvoxDlg(const ShellContext& shell);
  ~CTrelvoxDlg();
  CTrelvoxDlg(const CTrelvoxDlg&) = delete;
  CTrelvoxDlg& operator=(const CTrelvoxDlg&) = delete;

  // Runs the dialog until it is closed. `onShown`, when given, is called once with the window
  // after it first appears.
  INT_PTR doModal(std::function<void(HWND)> onShown = {});

 private:
  static INT_PTR CALLBACK dialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  INT_PTR handleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  void onInitDialog();
  void addReportCommand();
  bool onCommand(WORD id);
  void onDropFiles(HDROP drop);
  void showAbout();

  const ShellContext& shell_;
  HICON bigIcon_;
  HICON smallIcon_;
  HWND window_ = nullptr;
  std::function<void(HWND)> onShown_;
};

}  // namespace trelvox
