#pragma once

// The report page's texts (page_texts.json) as the program reads them, for the shells to say what
// the page says in the same words.

#include <string_view>

#include "outputs/report/report_page.h"

namespace trelvox {

// The page's text under `key` in `language`; empty where it has none.
std::string_view pageText(std::string_view key, PageLanguage language);

// The words of a check of the whole log, by its name: one place, in three languages, for the page,
// the summary and the dialog.
std::string_view checkWords(std::string_view check, PageLanguage language);

}  // namespace trelvox
