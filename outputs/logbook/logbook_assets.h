#pragma once

#include <string_view>

// The logbook page's own script, style and texts, embedded into the program by the build
// (cmake/embed_file.cmake); it shares the chart library with the report page.
namespace trelvox::logbook_assets {

extern const std::string_view kLogbookScript;
extern const std::string_view kLogbookStyle;
extern const std::string_view kLogbookTexts;

}  // namespace trelvox::logbook_assets
