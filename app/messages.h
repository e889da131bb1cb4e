#pragma once

#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "outputs/report/html_report_output.h"
#include "outputs/summary/summary_text.h"

namespace trelvox {

enum class Language { kEnglish, kGerman, kJapanese };

// Numbers of the texts in the message table (the Windows string table uses the same numbers).
inline constexpr int kMenuAboutText = 101;
inline constexpr int kOpenFilter = 102;
inline constexpr int kGenerated = 103;
inline constexpr int kInfoFileNotFound = 104;
inline constexpr int kCannotReadFile = 105;
inline constexpr int kCannotCreateOutput = 106;
inline constexpr int kSaveFilter = 132;
inline constexpr int kOutputExists = 201;
// Asked before a dropped log's CSV file or the Report command's page replaces an existing file;
// follows the file name.
inline constexpr int kReplaceOutputQuestion = 202;
// The lines below a message that say why a conversion failed or what it converted. They name
// what they are about with {file}, {records} and {sensors} (see formatMessage).
inline constexpr int kLookedFor = 203;
inline constexpr int kOneOfTheLogsFiles = 204;
inline constexpr int kConvertedCounts = 205;
inline constexpr int kNoRecords = 206;
inline constexpr int kNoSensor = 207;
// The dialog's Report button and its File menu entry, and the line said when the page it wrote
// could not be shown.
inline constexpr int kReportButton = 208;
inline constexpr int kReportMenuItem = 209;
inline constexpr int kPageNotOpened = 210;
// The dialog's lines below a message: a data file that ends in part of a record ({bytes}), a file
// held open by another program, a dropped file that is no log and a dropped folder without any.
inline constexpr int kCutOff = 211;
inline constexpr int kCloseHeldFile = 212;
inline constexpr int kNotALog = 213;
inline constexpr int kNoLogInFolder = 214;

// A limits file the health check cannot use; its detail names the file, line, column and fault.
inline constexpr int kLimitsFileFault = 301;
// The words of the health check's reports, from kHealthTitle to kHealthAndMore (see healthLabels).
inline constexpr int kHealthTitle = 302;
inline constexpr int kHealthAndMore = 323;

// One value put into a message: the text that replaces "{name}".
struct MessageValue {
  std::string_view name;
  std::string_view text;
};

// The UTF-8 text of message `id` in `language`; empty for an unknown id.
std::string_view message(int id, Language language);

// Message `id` with each "{name}" replaced by its value's text; the values' texts are taken as they
// are, so a file name holding braces stays intact.
std::string formatMessage(int id, Language language, std::initializer_list<MessageValue> values);

// The numbers of all texts of the table, in table order.
std::vector<int> messageIds();

// The language of a POSIX locale name such as "de_DE.UTF-8" or a Windows one such as "ja-JP";
// English for anything else.
Language languageFromLocaleName(std::string_view name);

// The flight report's page speaks the language of the messages.
PageLanguage pageLanguageOf(Language language);

// The text shown after a successful conversion: the output's file name followed by message 103.
std::string successMessage(std::string_view outputFileName, Language language);

// The words of the health check's block in the summary and its line in the dialog.
HealthLabels healthLabels(Language language);

}  // namespace trelvox
