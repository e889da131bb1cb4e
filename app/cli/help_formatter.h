#pragma once

#include <CLI/CLI.hpp>
#include <string>
#include <vector>

namespace trelvox {

// One closing example of --help: the arguments after the program's name and what they do.
struct HelpExample {
  std::string arguments;
  std::string effect;
};

// Lays out --help as plain lines: the usage line, the purpose, one line per option
// ("-o, --output FILE" and what it does, the value's name from the option's option_text) and the
// closing examples.
class HelpFormatter : public CLI::Formatter {
 public:
  explicit HelpFormatter(std::vector<HelpExample> examples);

  std::string make_help(const CLI::App* app, std::string name,
                        CLI::AppFormatMode mode) const override;
  std::string make_usage(const CLI::App* app, std::string name) const override;
  std::string make_option_name(const CLI::Option* option, bool positional) const override;
  std::string make_footer(const CLI::App* app) const override;

 private:
  std::vector<HelpExample> examples_;
};

}  // namespace trelvox
