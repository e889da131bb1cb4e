#pragma once

#include <string>

#include "app/messages.h"
#include "outputs/health/limits_fault.h"

namespace trelvox {

// A limits file's fault in `language`, ending in that nothing was converted: "trelvox.toml,
// line 3, column 1: unknown key `belw`; did you mean `below`? Nothing was converted." The one text
// of a fault for the command line and the dialog.
std::string limitsFaultText(const LimitsFault& fault, Language language);

}  // namespace trelvox
