#include "app/cli/help_formatter.h"

#include <algorithm>
#include <utility>

namespace trelvox {
namespace {

// Wide enough for "  --logbook-page FILE" and two blanks, narrow enough for the texts to fit 80
// columns.
constexpr std::size_t kOptionColumnWidth = 23;

std::string padded(std::string text, std::size_t width) {
  text.resize(std::max(width, text.size() + 1), ' ');
  return text;
}

}  // namespace

HelpFormatter::HelpFormatter(std::vector<HelpExample> examples) : examples_(std::move(examples)) {
  column_width(kOptionColumnWidth);
}

std::string HelpFormatter::make_help(const CLI::App* app, std::string name,
                                     CLI::AppFormatMode mode) const {
  return make_usage(app, name) + make_description(app) + make_groups(app, mode) + '\n' +
         make_footer(app);
}

// "Usage: trelvox [options] LOG.KLD|FOLDER..."
std::string HelpFormatter::make_usage(const CLI::App* app, std::string name) const {
  std::string usage = "Usage: " + name + " [options]";
  for (const CLI::Option* positional :
       app->get_options([](const CLI::Option* option) { return option->get_positional(); })) {
    usage += ' ' + make_option_usage(positional);
  }
  return usage + '\n';
}

// "-o, --output" rather than "-o,--output".
std::string HelpFormatter::make_option_name(const CLI::Option* option, bool positional) const {
  std::string name = CLI::Formatter::make_option_name(option, positional);
  for (std::size_t comma = name.find(','); comma != std::string::npos;
       comma = name.find(',', comma + 2)) {
    name.insert(comma + 1, " ");
  }
  return name;
}

std::string HelpFormatter::make_footer(const CLI::App* app) const {
  std::vector<std::string> commands;
  std::size_t width = kOptionColumnWidth;
  for (const HelpExample& example : examples_) {
    commands.push_back("  " + app->get_name() + ' ' + example.arguments);
    width = std::max(width, commands.back().size() + 2);
  }
  std::string footer = "Examples:\n";
  for (std::size_t k = 0; k < examples_.size(); ++k) {
    footer += padded(commands[k], width) + examples_[k].effect + '\n';
  }
  return footer;
}

}  // namespace trelvox
