#pragma once

// The report page's texts (page_texts.json) as the program reads them, for the shells to say what
// the page says in the same words.

#include <string_view>

#include "outputs/health/health_event.h"
#include "outputs/report/report_page.h"

namespace trelvox {

// The page's language as its texts and its html element name it: "en", "de", "ja".
std::string_view languageCode(PageLanguage language);

// The page's text under `key` in `language`; empty where it has none.
std::string_view pageText(std::string_view key, PageLanguage language);

// The words of a check of the whole log, by its name: one place, in three languages, for the page,
// the summary and the dialog.
std::string_view checkWords(std::string_view check, PageLanguage language);

// What a health verdict means to the pilot ("worth a look"), in the same words everywhere.
std::string_view verdictWords(HealthVerdict verdict, PageLanguage language);

}  // namespace trelvox
