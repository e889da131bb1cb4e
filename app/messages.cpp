#include "app/messages.h"

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

}  // namespace trelvox
