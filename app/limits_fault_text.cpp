#include "app/limits_fault_text.h"

#include <algorithm>
#include <array>
#include <utility>

#include "outputs/text/decimal_text.h"

namespace trelvox {
namespace {

using Kind = LimitsFaultKind;

// The words of each kind of fault but a syntax error, which no hint fits.
constexpr std::array<std::pair<Kind, MessageId>, 17> kFaultMessages{{
    {Kind::kCannotRead, MessageId::kLimitsCannotRead},
    {Kind::kDecimalComma, MessageId::kLimitsDecimalComma},
    {Kind::kMissingQuote, MessageId::kLimitsMissingQuote},
    {Kind::kUnknownKey, MessageId::kLimitsUnknownKey},
    {Kind::kUnknownName, MessageId::kLimitsUnknownName},
    {Kind::kNotATable, MessageId::kLimitsNotATable},
    {Kind::kNotTrueOrFalse, MessageId::kLimitsNotTrueOrFalse},
    {Kind::kNotCheckNames, MessageId::kLimitsNotCheckNames},
    {Kind::kNotText, MessageId::kLimitsNotText},
    {Kind::kNotWholeNumber, MessageId::kLimitsNotWholeNumber},
    {Kind::kNotNumber, MessageId::kLimitsNotNumber},
    {Kind::kNotAmberAndRed, MessageId::kLimitsNotAmberAndRed},
    {Kind::kTooLarge, MessageId::kLimitsTooLarge},
    {Kind::kNegative, MessageId::kLimitsNegative},
    {Kind::kRedNotLower, MessageId::kLimitsRedNotLower},
    {Kind::kRedNotHigher, MessageId::kLimitsRedNotHigher},
    {Kind::kLimitLacksKey, MessageId::kLimitsLimitLacksKey},
}};

MessageId messageOf(const LimitsFault& fault) {
  if (fault.kind == Kind::kUnknownKey && fault.nearest) return MessageId::kLimitsUnknownKeyNearest;
  return std::ranges::find(kFaultMessages, fault.kind, &std::pair<Kind, MessageId>::first)->second;
}

// `gap`, `clock_back`: the names as the file writes them, listed as the language lists.
std::string choicesText(const std::vector<std::string>& choices, Language language) {
  const std::string_view separator = language == Language::kJapanese ? "、" : ", ";
  std::string text;
  for (const std::string& choice : choices) {
    if (!text.empty()) text += separator;
    (text += '`').append(choice) += '`';
  }
  return text;
}

// What is wrong, without where: the parser's own words for a syntax error no hint fits.
std::string faultWords(const LimitsFault& fault, Language language) {
  // The parser's words are English and end without a full stop.
  if (fault.kind == Kind::kSyntax) return fault.written + ".";
  const std::string choices = choicesText(fault.choices, language);
  const std::string amber = decimalText(fault.amber.value());
  const std::string red = decimalText(fault.red.value());
  const std::string lowest = std::to_string(fault.lowest);
  const std::string highest = std::to_string(fault.highest);
  return formatMessage(messageOf(fault), language,
                       {{"file", fault.file},
                        {"key", fault.key},
                        {"written", fault.written},
                        {"suggestion", fault.suggestion},
                        {"nearest", fault.nearest.value_or("")},
                        {"choices", choices},
                        {"amber", amber},
                        {"red", red},
                        {"lowest", lowest},
                        {"highest", highest}});
}

}  // namespace

std::string limitsFaultText(const LimitsFault& fault, Language language) {
  std::string text = faultWords(fault, language);
  if (fault.line > 0) {
    const std::string line = std::to_string(fault.line);
    const std::string column = std::to_string(fault.column);
    text =
        formatMessage(MessageId::kLimitsFaultPlace, language,
                      {{"file", fault.file}, {"line", line}, {"column", column}, {"fault", text}});
  }
  return text.append(message(MessageId::kNothingConverted, language));
}

}  // namespace trelvox
