#pragma once

#include <string>
#include <string_view>

namespace trelvox {

// UTF-8 (the texts of the message table and of the core) to and from Windows' UTF-16.
std::wstring widen(std::string_view utf8);
std::string narrow(std::wstring_view wide);

}  // namespace trelvox
