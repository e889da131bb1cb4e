#include "app/messages.h"

#include <algorithm>
#include <array>

#include "outputs/health/log_checks.h"
#include "outputs/report/page_texts.h"

namespace trelvox {
namespace {

struct Message {
  MessageId id;
  std::array<std::string_view, 3> texts;
};

constexpr Message kMessages[] = {
#define TRELVOX_MESSAGE(id, english, german, japanese) {MessageId{id}, {english, german, japanese}},
#include "app/message_table.inc"
#undef TRELVOX_MESSAGE
};

}  // namespace

std::string_view message(MessageId id, Language language) {
  for (const Message& m : kMessages) {
    if (m.id == id) return m.texts[static_cast<std::size_t>(language)];
  }
  return {};
}

std::string formatMessage(MessageId id, Language language,
                          std::initializer_list<MessageValue> values) {
  std::string_view rest = message(id, language);
  std::string text;
  while (!rest.empty()) {
    const std::size_t open = rest.find('{');
    const std::size_t close = rest.find('}', open);
    if (close == std::string_view::npos) break;
    text += rest.substr(0, open);
    const std::string_view name = rest.substr(open + 1, close - open - 1);
    const auto value = std::ranges::find(values, name, &MessageValue::name);
    text += value == values.end() ? rest.substr(open, close - open + 1) : value->text;
    rest.remove_prefix(close + 1);
  }
  text += rest;
  return text;
}

std::vector<MessageId> messageIds() {
  std::vector<MessageId> ids;
  for (const Message& m : kMessages) ids.push_back(m.id);
  return ids;
}

Language languageFromLocaleName(std::string_view name) {
  if (name.starts_with("de")) return Language::kGerman;
  if (name.starts_with("ja")) return Language::kJapanese;
  return Language::kEnglish;
}

std::string successMessage(std::string_view outputFileName, Language language) {
  std::string text(outputFileName);
  text += message(MessageId::kGenerated, language);
  return text;
}

PageLanguage pageLanguageOf(Language language) {
  switch (language) {
    case Language::kGerman:
      return PageLanguage::kGerman;
    case Language::kJapanese:
      return PageLanguage::kJapanese;
    case Language::kEnglish:
      break;
  }
  return PageLanguage::kEnglish;
}

HealthLabels healthLabels(Language language) {
  const auto text = [language](MessageId id) { return message(id, language); };
  HealthLabels labels{
      .health = text(MessageId::kHealthTitle),
      .verdict = text(MessageId::kHealthVerdict),
      .events = text(MessageId::kHealthEvents),
      .limitsFile = text(MessageId::kHealthLimitsFile),
      .noLimitsFile = text(MessageId::kHealthNoLimitsFile),
      .notChecked = text(MessageId::kHealthNotChecked),
      .verdicts = {text(MessageId::kVerdictNone), text(MessageId::kVerdictGreen),
                   text(MessageId::kVerdictAmber), text(MessageId::kVerdictRed)},
      .verdictWords = {},
      .checks = {},
      .directions = {text(MessageId::kHealthBelow), text(MessageId::kHealthAbove)},
      .worst = {text(MessageId::kHealthLowest), text(MessageId::kHealthHighest)},
      .cells = text(MessageId::kHealthCells),
      .bytes = text(MessageId::kHealthBytes),
      .andMore = text(MessageId::kHealthAndMore),
  };
  const PageLanguage pageLanguage = pageLanguageOf(language);
  labels.listSeparator = pageText("listSeparator", pageLanguage);
  labels.colon = pageText("colon", pageLanguage);
  labels.limitPattern = pageText("limitPattern", pageLanguage);
  labels.asidePattern = pageText("asidePattern", pageLanguage);
  for (const HealthVerdict verdict :
       {HealthVerdict::kNone, HealthVerdict::kGreen, HealthVerdict::kAmber, HealthVerdict::kRed}) {
    labels.verdictWords[static_cast<std::size_t>(verdict)] = verdictWords(verdict, pageLanguage);
  }
  for (const LogCheckRow& check : logChecks()) {
    labels.checks[check.name] = checkWords(check.name, pageLanguage);
  }
  return labels;
}

}  // namespace trelvox
