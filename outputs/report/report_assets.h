#pragma once

#include <string_view>

// The report page's assets, embedded into the program by the build (cmake/embed_file.cmake): the
// chart library uPlot (from npm, see package.json), the script and style the report page shares
// with the logbook page, and the page's own script, style and texts.
namespace trelvox::report_assets {

extern const std::string_view kChartScript;
extern const std::string_view kChartStyle;
extern const std::string_view kBaseScript;
extern const std::string_view kBaseStyle;
extern const std::string_view kPageScript;
extern const std::string_view kPageStyle;
extern const std::string_view kPageTexts;

}  // namespace trelvox::report_assets
