#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace trelvox {

// The dialog program. Started plainly it shows the main window until that closes; started with
// file names (log files dropped onto the program's icon) it converts them and ends.
//   Trelvox.exe --ui-check en|de|ja DESCRIPTION ABOUT-DESCRIPTION   shows the main window in that
//   language and writes what it shows to DESCRIPTION (see describeMainWindow); once the About box
//   is opened, writes what that shows to ABOUT-DESCRIPTION (describeAboutBox) and closes both a
//   little later; for tests.
class CTrelvoxApp {
 public:
  int run(HINSTANCE instance, const std::vector<std::string>& arguments);
};

}  // namespace trelvox
