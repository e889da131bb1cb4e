#include "app/cli/command_line.h"

#include <CLI/CLI.hpp>
#include <cctype>
#include <filesystem>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "app/cli/help_formatter.h"
#include "app/version.h"
#include "conversion/log_converter.h"
#include "conversion/log_files.h"
#include "conversion/path_text.h"
#include "conversion/telemetry_log_exception.h"

namespace trelvox {
namespace fs = std::filesystem;
namespace {

struct Options {
  std::vector<std::string> logs;
  std::string output;
  Separators separators;
  Language language = Language::kEnglish;
  bool force = false;
};

enum ExitStatus { kSuccess = 0, kFailure = 1, kUsageError = 2 };

// Characters that field texts themselves contain (digits, signs, blanks, the '.' and ':' of
// positions and times) would make a separator ambiguous, and line ends or NUL would break rows.
constexpr std::string_view kNotAListSeparator = "-+ .:/\r\n";
constexpr std::string_view kNotADecimalSeparator = "-+ :/;\r\n\t";

CLI::Validator separatorCheck(std::string_view refused) {
  return CLI::Validator(
      [refused](const std::string& value) -> std::string {
        const bool single = value.size() == 1;
        const unsigned char c = single ? static_cast<unsigned char>(value[0]) : 0;
        if (!single || c == 0 || std::isalnum(c) || refused.find(value[0]) != std::string::npos) {
          return "must be one character that no field contains, such as ; , or |";
        }
        return {};
      },
      "CHAR");
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

// Converts one log; returns whether it succeeded.
bool convertOne(const Options& options, const fs::path& log, std::ostream& out, std::ostream& err) {
  const fs::path output =
      options.output.empty() ? fs::path(basePathOf(log)) += ".csv" : pathFromUtf8(options.output);
  try {
    LogConverter converter(options.separators);
    converter.open(basePathOf(log), output,
                   options.force ? LogConverter::ExistingOutput::kReplace
                                 : LogConverter::ExistingOutput::kRefuse);
    converter.convert();
    out << successMessage(displayPath(output.filename()), options.language) << '\n';
    return true;
  } catch (const TelemetryLogException& e) {
    err << displayPath(log) << ": " << message(static_cast<int>(e.messageId()), options.language)
        << " (" << e.what() << ")\n";
    return false;
  }
}

}  // namespace

int runCommandLine(int argc, const char* const* argv, const CommandLineDefaults& defaults,
                   std::ostream& out, std::ostream& err) {
  Options options;
  options.separators = defaults.separators;
  options.language = defaults.language;

  CLI::App app("Converts telemetry flight logs (NAME.KLD with NAME.KLI) into CSV files.",
               programName(argc, argv));
  app.formatter(std::make_shared<HelpFormatter>(kHelpExamples));
  app.add_option("LOG.KLD", options.logs, "data files to convert")->required();
  app.add_option("-o,--output", options.output,
                 "CSV file to write (one log only; default NAME.csv)")
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
  app.add_flag("-f,--force", options.force, "overwrite an existing CSV file");
  const std::map<std::string, Language> languages{
      {"en", Language::kEnglish}, {"de", Language::kGerman}, {"ja", Language::kJapanese}};
  std::string languageCode;
  app.add_option("--lang", languageCode, "language of the messages (default from the locale)")
      ->check(CLI::IsMember({"en", "de", "ja"}))
      ->option_text("en|de|ja");
  // Set last, so that the help lists them last.
  app.set_help_flag("-h,--help", "show this help and exit");
  app.set_version_flag("--version", std::string("trelvox ") + TRELVOX_VERSION,
                       "show the version and exit");

  try {
    app.parse(argc, argv);
    if (!languageCode.empty()) options.language = languages.at(languageCode);
    if (!options.output.empty() && options.logs.size() > 1) {
      throw CLI::ValidationError("--output", "takes one log only");
    }
    // A chosen decimal separator brings its usual list separator unless that is chosen too.
    if (!decimalSeparator.empty()) {
      options.separators.decimal = decimalSeparator[0];
      options.separators.list = options.separators.decimal == ',' ? ';' : ',';
    }
    if (!listSeparator.empty()) options.separators.list = listSeparator[0];
    if (options.separators.list == options.separators.decimal) {
      throw CLI::ValidationError("--separator", "must differ from the decimal separator");
    }
  } catch (const CLI::ParseError& e) {
    const int status = app.exit(e, out, err);
    return status == 0 ? kSuccess : kUsageError;
  }

  bool allConverted = true;
  for (const std::string& log : options.logs) {
    allConverted = convertOne(options, pathFromUtf8(log), out, err) && allConverted;
  }
  return allConverted ? kSuccess : kFailure;
}

}  // namespace trelvox
