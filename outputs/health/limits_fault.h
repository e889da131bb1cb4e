#pragma once

// A fault in a limits file, told as parts rather than words: the shells say it in the user's
// language.

#include <cstdint>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "values/tracked_reading.h"

namespace trelvox {

// What is wrong, and which of the fault's parts say more about it.
enum class LimitsFaultKind : std::uint8_t {
  kCannotRead,      // the file as a whole
  kSyntax,          // written: the parser's own words, when no hint below fits
  kDecimalComma,    // written: the number with its comma; suggestion: with a point
  kMissingQuote,    // written: the text without its quotes; suggestion: in quotes
  kUnknownKey,      // key; nearest when one is close, else choices: the table's keys
  kUnknownName,     // key (quantity, off); written: the name; choices: the names there are
  kNotATable,       // key; suggestion: its heading
  kNotTrueOrFalse,  // key
  kNotCheckNames,   // key
  kNotText,         // key
  kNotWholeNumber,  // key; lowest, highest (also a whole number outside them)
  kNotNumber,       // key
  kNotAmberAndRed,  // key: not [amber] or [amber, red]
  kTooLarge,        // key: beyond 10^12 or more than 9 decimals
  kNegative,        // key
  kRedNotLower,     // key; amber, red
  kRedNotHigher,    // key; amber, red
  kLimitLacksKey,   // choices: the keys of which a [[limit]] needs one
};

// Line and column count from 1; both are 0 for a fault of the file as a whole.
struct LimitsFault {
  LimitsFaultKind kind = LimitsFaultKind::kSyntax;
  std::string file{};
  int line = 0;
  int column = 0;
  std::string key{};
  std::string written{};
  std::string suggestion{};
  std::optional<std::string> nearest{};
  std::vector<std::string> choices{};
  Reading amber{};
  Reading red{};
  int lowest = 0;
  int highest = 0;
};

// Thrown by the limits file's reader; what() is the file's name as the user gave it.
class LimitsFileFault : public std::runtime_error {
 public:
  explicit LimitsFileFault(LimitsFault fault)
      : std::runtime_error(fault.file),
        fault_(std::make_shared<const LimitsFault>(std::move(fault))) {}

  const LimitsFault& fault() const { return *fault_; }
  // Shared, so that copying the exception cannot throw.
  const std::shared_ptr<const LimitsFault>& shared() const { return fault_; }

 private:
  std::shared_ptr<const LimitsFault> fault_;
};

}  // namespace trelvox
