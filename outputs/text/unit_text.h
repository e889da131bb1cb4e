#pragma once

#include <string>

namespace trelvox {

// An item's unit in UTF-8. The item tables carry units as the maker's files do, with the degree
// signs in Shift-JIS; texts for readers (summary, JSON) need them in UTF-8.
std::string unitInUtf8(const char* unit);

}  // namespace trelvox
