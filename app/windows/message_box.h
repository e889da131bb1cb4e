#pragma once

#include <windows.h>

#include <string>

namespace trelvox {

// The program's name as message boxes show it: its file name without extension ("Trelvox").
std::wstring programName();

// Shows `text` with an OK button and `icon` (MB_ICONINFORMATION or MB_ICONWARNING).
void showMessage(HWND owner, const std::wstring& text, UINT icon);

// Asks a yes/no question, with the warning icon unless told another; returns whether the answer
// was yes.
bool askYesNo(HWND owner, const std::wstring& text, UINT icon = MB_ICONWARNING);

}  // namespace trelvox
