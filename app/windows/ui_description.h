#pragma once

#include <windows.h>

#include <string>

#include "app/windows/shell_context.h"

namespace trelvox {

// The program's self-check of its user interface, for tests that cannot read a window's contents
// from outside: the texts the shown main window really carries (title, both buttons with the room
// their texts need and have, menus, the added system-menu item), and whether every string resource
// of the chosen language equals the message table the command line uses. One "name=value" line
// each, UTF-8.
std::string describeMainWindow(HWND window, const ShellContext& shell);

// The About box as shown: its title, and for its version and notice the text, the room the text
// takes as its control lays it out and the room the control has ("needs WxH has WxH", pixels).
std::string describeAboutBox(HWND about);

}  // namespace trelvox
