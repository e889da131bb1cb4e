// Writes the flight report of a log as a conversion with --report does, under any name, for trying
// the page out and for the browser test:
//   make_report [--lang en|de|ja] [--csv FILE] LOG.KLD REPORT.html
// --csv writes the CSV in the same pass, as a conversion with a report would. The date shown is
// the data file's modification date; a limits file beside the log is read as the program reads it.
#include <iostream>
#include <string>
#include <string_view>
#include <vector>

#include "conversion/log_converter.h"
#include "conversion/path_text.h"
#include "conversion/telemetry_log_exception.h"

namespace {

using namespace trelvox;

struct Arguments {
  PageLanguage language = PageLanguage::kEnglish;
  std::string csv;
  std::string log;
  std::string page;
};

bool parseLanguage(std::string_view code, PageLanguage& language) {
  if (code == "en")
    language = PageLanguage::kEnglish;
  else if (code == "de")
    language = PageLanguage::kGerman;
  else if (code == "ja")
    language = PageLanguage::kJapanese;
  else
    return false;
  return true;
}

bool parseArguments(int argc, char** argv, Arguments& arguments) {
  std::vector<std::string> files;
  for (int i = 1; i < argc; ++i) {
    const std::string_view argument = argv[i];
    const bool hasValue = i + 1 < argc;
    if (argument == "--lang" && hasValue) {
      if (!parseLanguage(argv[++i], arguments.language)) return false;
    } else if (argument == "--csv" && hasValue) {
      arguments.csv = argv[++i];
    } else {
      files.emplace_back(argument);
    }
  }
  if (files.size() != 2) return false;
  arguments.log = files[0];
  arguments.page = files[1];
  return true;
}

void writeReport(const Arguments& arguments) {
  ConversionRequest request;
  request.path(OutputFormat::kHtml) = pathFromUtf8(arguments.page);
  if (!arguments.csv.empty()) request.path(OutputFormat::kCsv) = pathFromUtf8(arguments.csv);
  request.pageLanguage = arguments.language;
  LogConverter converter{Separators{}};
  converter.open(pathFromUtf8(arguments.log), request);
  converter.convert();
}

}  // namespace

int main(int argc, char** argv) {
  Arguments arguments;
  if (!parseArguments(argc, argv, arguments)) {
    std::cerr << "usage: make_report [--lang en|de|ja] [--csv FILE] LOG.KLD REPORT.html\n";
    return 2;
  }
  try {
    writeReport(arguments);
  } catch (const TelemetryLogException& e) {
    std::cerr << "make_report: failure " << static_cast<int>(e.messageId()) << " (" << e.what()
              << (e.reason() ? ": " + e.reason().message() : std::string()) << ")\n";
    return 1;
  }
  return 0;
}
