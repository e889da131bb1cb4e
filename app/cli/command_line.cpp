#include "app/cli/command_line.h"

#include <CLI/CLI.hpp>
#include <algorithm>
#include <cctype>
#include <charconv>
#include <chrono>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>
#include <thread>
#include <utility>
#include <vector>

#include "app/cli/batch.h"
#include "app/cli/help_formatter.h"
#include "app/log_list.h"
#include "app/messages.h"
#include "app/version.h"
#include "conversion/output_table.h"

namespace trelvox {
namespace fs = std::filesystem;
namespace {

// The arguments as given; folders and the date are read once parsing is done.
struct Options {
  BatchOptions batch;
  std::vector<std::string> logs;
  bool recursive = false;
  std::string date;
};

enum ExitStatus { kSuccess = 0, kFailure = 1, kUsageError = 2 };

// Characters that field texts themselves contain (digits, signs, blanks, the '.' and ':' of
// positions and times, the '(' '_' '%' of names and units) would make a separator ambiguous, and
// line ends or NUL would break rows. Bytes from 0x80 up are left to the units' code page.
constexpr std::string_view kNotAListSeparator = "-+ .:/()_%\r\n";
constexpr std::string_view kNotADecimalSeparator = "-+ :/;\r\n\t";

CLI::Validator separatorCheck(std::string_view refused) {
  return CLI::Validator(
      [refused](const std::string& value) -> std::string {
        const bool single = value.size() == 1;
        const unsigned char c = single ? static_cast<unsigned char>(value[0]) : 0;
        if (!single || c == 0 || c >= 0x80 || std::isalnum(c) ||
            refused.find(value[0]) != std::string::npos) {
          return "must be one character that no field contains, such as ; , or |";
        }
        return {};
      },
      "CHAR");
}

// The number written with exactly the digits text[from, from + count).
std::optional<unsigned> digitsAt(const std::string& text, std::size_t from, std::size_t count) {
  unsigned value = 0;
  for (std::size_t i = from; i < from + count; ++i) {
    if (!std::isdigit(static_cast<unsigned char>(text[i]))) return std::nullopt;
    value = value * 10 + static_cast<unsigned>(text[i] - '0');
  }
  return value;
}

// "YYYY-MM-DD" as a date; nothing for any other text or a day that does not exist. Year 0 does
// not exist either in the calendar of the track files' times.
std::optional<std::chrono::year_month_day> parseDate(const std::string& text) {
  if (text.size() != 10 || text[4] != '-' || text[7] != '-') return std::nullopt;
  const auto year = digitsAt(text, 0, 4);
  const auto month = digitsAt(text, 5, 2);
  const auto day = digitsAt(text, 8, 2);
  if (!year || *year == 0 || !month || !day) return std::nullopt;
  const std::chrono::year_month_day date{std::chrono::year(static_cast<int>(*year)),
                                         std::chrono::month(*month), std::chrono::day(*day)};
  if (!date.ok()) return std::nullopt;
  return date;
}

// A count of logs to convert at once: a whole number from 1 up.
CLI::Validator jobsCheck() {
  return CLI::Validator(
      [](const std::string& text) -> std::string {
        unsigned jobs = 0;
        const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), jobs);
        if (error == std::errc::result_out_of_range) return "is too large";
        if (error != std::errc() || end != text.data() + text.size() || jobs == 0) {
          return "must be a whole number of at least 1";
        }
        return {};
      },
      "N");
}

// A file name: an empty one (an unset variable in a script) would pass for no option at all.
CLI::Validator fileNameCheck() {
  return CLI::Validator(
      [](const std::string& text) { return text.empty() ? "must name a file" : std::string(); },
      "FILE");
}

// Whether anything is asked for besides the CSV, which --no-csv drops.
bool asksForMoreThanTheCsv(const BatchOptions& batch) {
  return !batch.sideFiles.empty() || batch.summary || !batch.logbook.empty() ||
         !batch.logbookPage.empty();
}

// "--json, --gpx, --kml, --report, --summary, --logbook or --logbook-page"
std::string optionsBesideTheCsv() {
  std::string list;
  for (const OutputRow& row : kOutputTable) {
    if (!row.option.empty()) list.append(row.option).append(", ");
  }
  return list + "--summary, --logbook or --logbook-page";
}

// The name the help shows the program under: "trelvox", or "trelvox-cli" on Windows.
std::string programName(int argc, const char* const* argv) {
  const std::string name = argc > 0 ? fs::path(argv[0]).filename().string() : std::string();
  return name.empty() ? "trelvox" : name;
}

const std::vector<HelpExample> kHelpExamples{
    {"flight.KLD", "writes flight.csv beside the log"},
    {"-f --decimal , a.KLD b.KLD", "decimal commas; replaces a.csv, b.csv"},
};

}  // namespace

int runCommandLine(int argc, const char* const* argv, const CommandLineDefaults& defaults,
                   std::ostream& out, std::ostream& err) {
  Options options;
  options.batch.jobs = std::max(1u, std::thread::hardware_concurrency());
  options.batch.version = TRELVOX_VERSION;
  options.batch.separators = defaults.separators;
  options.batch.language = defaults.language;

  CLI::App app("Converts telemetry flight logs (NAME.KLD with NAME.KLI) into CSV files.",
               programName(argc, argv));
  app.formatter(std::make_shared<HelpFormatter>(kHelpExamples));
  app.add_option("LOG.KLD|FOLDER", options.logs, "data files, or folders of them, to convert")
      ->required();
  app.add_option("-o,--output", options.batch.output,
                 "CSV file to write, - for standard output (one log only)")
      ->check(fileNameCheck())
      ->option_text("FILE");
  std::string listSeparator;
  std::string decimalSeparator;
  app.add_option("--separator", listSeparator,
                 "list separator (default \",\" or \";\" with a decimal comma)")
      ->check(separatorCheck(kNotAListSeparator))
      ->option_text("C");
  app.add_option("--decimal", decimalSeparator, "decimal separator (default from the locale)")
      ->check(separatorCheck(kNotADecimalSeparator))
      ->option_text("C");
  app.add_flag("-f,--force", options.batch.force, "overwrite existing output files");
  const std::map<std::string, Language> languages{
      {"en", Language::kEnglish}, {"de", Language::kGerman}, {"ja", Language::kJapanese}};
  std::string languageCode;
  app.add_option("--lang", languageCode, "language of the messages (default from the locale)")
      ->check(CLI::IsMember({"en", "de", "ja"}))
      ->option_text("en|de|ja");
  app.add_flag("--summary", options.batch.summary, "print a summary of each log's flight");
  for (const OutputRow& row : kOutputTable) {
    if (row.option.empty()) continue;
    app.add_flag_callback(
        std::string(row.option),
        [&options, format = row.format] { options.batch.sideFiles.insert(format); },
        std::string(row.help));
  }
  app.add_flag("--units", options.batch.unitsRow, "add a fourth header row with each unit");
  app.add_flag("--flat", options.batch.flatCsv,
               "write the CSV for analysis tools (one header row)");
  app.add_flag("--no-csv", options.batch.noCsv, "write no CSV, only what other options ask for");
  app.add_option("--logbook", options.batch.logbook,
                 "write one CSV row per converted log to FILE (- to stdout)")
      ->check(fileNameCheck())
      ->option_text("FILE");
  app.add_option("--logbook-page", options.batch.logbookPage,
                 "write one page over every log converted to FILE.html")
      ->check(fileNameCheck())
      ->option_text("FILE");
  app.add_option("--limits", options.batch.limits,
                 "health check limits (default: trelvox.toml by the log)")
      ->check(fileNameCheck())
      ->option_text("FILE");
  app.add_option("--date", options.date, "date of the flights, for track times and the logbook")
      ->check(CLI::Validator(
          [](const std::string& text) -> std::string {
            return parseDate(text) ? std::string() : "must be a date as YYYY-MM-DD";
          },
          "YYYY-MM-DD"))
      ->option_text("YYYY-MM-DD");
  app.add_flag("-r,--recursive", options.recursive, "take logs from subfolders of folders too");
  app.add_option("-j,--jobs", options.batch.jobs, "logs converted at once (default: the cores)")
      ->check(jobsCheck())
      ->option_text("N");
  // Set last, so that the help lists them last.
  app.set_help_flag("-h,--help", "show this help and exit");
  app.set_version_flag("--version", std::string("trelvox ") + TRELVOX_VERSION,
                       "show the version and exit");

  try {
    app.parse(argc, argv);
    if (!languageCode.empty()) options.batch.language = languages.at(languageCode);
    NamedLogs named = logsNamedBy(options.logs, options.recursive);
    options.batch.logs = std::move(named.logs);
    options.batch.foldersWithoutLogs = std::move(named.foldersWithoutLogs);
    // One argument, as well as one log: a log named twice is still more than -o stands for.
    const bool oneLog = options.logs.size() == 1 && options.batch.logs.size() <= 1;
    if (!options.batch.output.empty() && !oneLog) {
      throw CLI::ValidationError("--output", "takes one log only");
    }
    if (!options.batch.output.empty() && options.batch.noCsv) {
      throw CLI::ValidationError("--output", "cannot go with --no-csv");
    }
    if (options.batch.output == kStandardOutput && options.batch.logbook == kStandardOutput) {
      throw CLI::ValidationError("--logbook", "cannot go to standard output with the CSV");
    }
    if (options.batch.noCsv && !asksForMoreThanTheCsv(options.batch)) {
      throw CLI::ValidationError("--no-csv", "needs " + optionsBesideTheCsv() + ": nothing to do");
    }
    // A chosen decimal separator brings its usual list separator unless that is chosen too.
    if (!decimalSeparator.empty()) {
      options.batch.separators.decimal = decimalSeparator[0];
      options.batch.separators.list = options.batch.separators.decimal == ',' ? ';' : ',';
    }
    if (!listSeparator.empty()) options.batch.separators.list = listSeparator[0];
    if (options.batch.separators.list == options.batch.separators.decimal) {
      throw CLI::ValidationError("--separator", "must differ from the decimal separator");
    }
  } catch (const CLI::ParseError& e) {
    const int status = app.exit(e, out, err);
    return status == 0 ? kSuccess : kUsageError;
  }

  if (!options.date.empty()) options.batch.date = parseDate(options.date);
  return runBatch(options.batch, out, err) ? kSuccess : kFailure;
}

}  // namespace trelvox
