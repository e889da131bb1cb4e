#pragma once

#include <windows.h>

#include <string>

#include "app/windows/shell_context.h"

namespace trelvox {

// The program's self-check of its user interface, for tests that cannot read a window's contents
// from outside: the texts the shown main window really carries (title, button, menus, the added
// system-menu item), whether every string resource of the chosen language equals the message
// table the command line uses, and the About box's version line. One "name=value" line each,
// UTF-8.
std::string describeMainWindow(HWND window, const ShellContext& shell);

}  // namespace trelvox
