// Writes the flight report of a log as a conversion with --report does, for trying the page out and
// for the browser test, with links the command line would not make:
//   make_report [--lang en|de|ja] [--csv FILE] [--link LABEL=FILE]... LOG.KLD REPORT.html
// --csv writes the CSV in the same pass (as a conversion with a report would); --link adds a link
// to a side file. The date shown is the data file's modification time (UTC).
#include <chrono>
#include <cstdio>
#include <iostream>
#include <string>
#include <string_view>
#include <vector>

#include "conversion/log_files.h"
#include "conversion/output_files.h"
#include "conversion/path_text.h"
#include "conversion/record_loop.h"
#include "conversion/telemetry_log_exception.h"
#include "outputs/csv/csv_output.h"
#include "outputs/report/html_report_output.h"

namespace {

namespace fs = std::filesystem;
using namespace trelvox;

struct Arguments {
  ReportOptions report;
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
      if (!parseLanguage(argv[++i], arguments.report.language)) return false;
    } else if (argument == "--csv" && hasValue) {
      arguments.csv = argv[++i];
    } else if (argument == "--link" && hasValue) {
      const std::string link = argv[++i];
      const auto equals = link.find('=');
      if (equals == std::string::npos) return false;
      arguments.report.links.push_back({link.substr(0, equals), link.substr(equals + 1)});
    } else {
      files.emplace_back(argument);
    }
  }
  if (files.size() != 2) return false;
  arguments.log = files[0];
  arguments.page = files[1];
  return true;
}

std::string modificationDate(const fs::path& file) {
  const auto written = std::chrono::file_clock::to_sys(fs::last_write_time(file));
  const auto day = std::chrono::floor<std::chrono::days>(written);
  const std::chrono::year_month_day date(day);
  const std::chrono::hh_mm_ss time(std::chrono::floor<std::chrono::minutes>(written - day));
  char text[32];
  std::snprintf(text, sizeof text, "%04d-%02u-%02u %02d:%02d UTC", static_cast<int>(date.year()),
                static_cast<unsigned>(date.month()), static_cast<unsigned>(date.day()),
                static_cast<int>(time.hours().count()), static_cast<int>(time.minutes().count()));
  return text;
}

void writeReport(Arguments& arguments) {
  const fs::path base = basePathOf(pathFromUtf8(arguments.log));
  FileSource info;
  FileSource data;
  const fs::path dataPath = companionFile(base, ".KLD");
  if (!info.open(companionFile(base, ".KLI")) || !data.open(dataPath)) {
    throw std::runtime_error("cannot open the log " + arguments.log);
  }
  const SlotMap map = readSlotMap(info);
  arguments.report.logName = displayPath(dataPath.filename());
  arguments.report.logDate = modificationDate(dataPath);

  FileSink page;
  FileSink csvFile;
  if (!page.open(pathFromUtf8(arguments.page))) throw std::runtime_error("cannot create the page");
  HtmlReportOutput report(page, arguments.report);
  CsvOutput csv(csvFile, Separators{',', '.'});
  std::vector<LogOutput*> outputs{&report};
  if (!arguments.csv.empty()) {
    if (!csvFile.open(pathFromUtf8(arguments.csv)))
      throw std::runtime_error("cannot create the CSV");
    outputs.push_back(&csv);
  }
  runRecordLoop(map, data, outputs);
  page.close();
  if (!arguments.csv.empty()) csvFile.close();
}

}  // namespace

int main(int argc, char** argv) {
  Arguments arguments;
  if (!parseArguments(argc, argv, arguments)) {
    std::cerr << "usage: make_report [--lang en|de|ja] [--csv FILE] [--link LABEL=FILE]... "
                 "LOG.KLD REPORT.html\n";
    return 2;
  }
  try {
    writeReport(arguments);
  } catch (const std::exception& e) {
    std::cerr << "make_report: " << e.what() << '\n';
    return 1;
  }
  return 0;
}
