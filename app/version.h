#pragma once

namespace trelvox {

inline constexpr const char* kVersion = "1.12.0";

}  // namespace trelvox
