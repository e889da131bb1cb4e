#include "app/messages.h"

#include <algorithm>
#include <array>

namespace trelvox {
namespace {

struct Message {
  int id;
  std::array<std::string_view, 3> texts;
};

constexpr Message kMessages[] = {
#define TRELVOX_MESSAGE(id, english, german, japanese) {id, {english, german, japanese}},
#include "app/message_table.inc"
#undef TRELVOX_MESSAGE
};

}  // namespace

std::string_view message(int id, Language language) {
  for (const Message& m : kMessages) {
    if (m.id == id) return m.texts[static_cast<std::size_t>(language)];
  }
  return {};
}

std::string formatMessage(int id, Language language, std::initializer_list<MessageValue> values) {
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

std::vector<int> messageIds() {
  std::vector<int> ids;
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
  text += message(kGenerated, language);
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
  // The table holds the words in the order of HealthLabels' members.
  int id = kHealthTitle;
  const auto next = [&] { return message(id++, language); };
  HealthLabels labels;
  for (std::string_view* field : {&labels.health, &labels.verdict, &labels.events,
                                  &labels.limitsFile, &labels.noLimitsFile, &labels.notChecked}) {
    *field = next();
  }
  for (std::string_view& verdict : labels.verdicts) verdict = next();
  for (std::string_view& check : labels.checks) check = next();
  for (std::string_view& direction : labels.directions) direction = next();
  for (std::string_view& worst : labels.worst) worst = next();
  labels.cells = next();
  labels.bytes = next();
  labels.andMore = next();
  return labels;
}

}  // namespace trelvox
