#include "outputs/report/page_texts.h"

#include <nlohmann/json.hpp>
#include <string>

#include "outputs/report/report_assets.h"

namespace trelvox {
namespace {

// Read once; the texts handed out point into it.
const nlohmann::json& pageTexts() {
  static const nlohmann::json texts = nlohmann::json::parse(report_assets::kPageTexts);
  return texts;
}

}  // namespace

std::string_view languageCode(PageLanguage language) {
  switch (language) {
    case PageLanguage::kGerman:
      return "de";
    case PageLanguage::kJapanese:
      return "ja";
    case PageLanguage::kEnglish:
      break;
  }
  return "en";
}

std::string_view pageText(std::string_view key, PageLanguage language) {
  const nlohmann::json& texts = pageTexts().at(std::string(languageCode(language)));
  const auto text = texts.find(std::string(key));
  return text != texts.end() && text->is_string() ? text->get_ref<const std::string&>()
                                                  : std::string_view();
}

std::string_view checkWords(std::string_view check, PageLanguage language) {
  return pageText(std::string("check.").append(check), language);
}

std::string_view verdictWords(HealthVerdict verdict, PageLanguage language) {
  return pageText(std::string("verdict.").append(verdictName(verdict)), language);
}

}  // namespace trelvox
