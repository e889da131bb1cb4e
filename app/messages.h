#pragma once

#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "conversion/message_id.h"
#include "outputs/health/health_text.h"
#include "outputs/report/html_report_output.h"

namespace trelvox {

enum class Language { kEnglish, kGerman, kJapanese };

// One value put into a message: the text that replaces "{name}".
struct MessageValue {
  std::string_view name;
  std::string_view text;
};

// The UTF-8 text of message `id` in `language`; empty for an unknown id.
std::string_view message(MessageId id, Language language);

// Message `id` with each "{name}" replaced by its value's text; the values' texts are taken as they
// are, so a file name holding braces stays intact.
std::string formatMessage(MessageId id, Language language,
                          std::initializer_list<MessageValue> values);

// The numbers of all texts of the table, in table order.
std::vector<MessageId> messageIds();

// The language of a POSIX locale name such as "de_DE.UTF-8" or a Windows one such as "ja-JP";
// English for anything else.
Language languageFromLocaleName(std::string_view name);

// The flight report's page speaks the language of the messages.
PageLanguage pageLanguageOf(Language language);

// The text shown after a successful conversion: the output's file name followed by message 103.
std::string successMessage(std::string_view outputFileName, Language language);

// The words of the health check's block in the summary and its line in the dialog; the checks of
// the whole log in the report page's words for them.
HealthLabels healthLabels(Language language);

}  // namespace trelvox
