#pragma once

namespace trelvox {

// The number of every text of the message table (app/message_table.inc), which the Windows string
// table uses too. The core names the failures a conversion reports by them; the shells turn them
// into words in the user's language.
enum class MessageId : int {
  kMenuAboutText = 101,
  kOpenFilter = 102,
  kGenerated = 103,
  kInfoFileNotFound = 104,
  kCannotReadFile = 105,
  kCannotCreateOutput = 106,
  kSaveFilter = 132,
  kOutputExists = 201,
  // Asked before a dropped log's CSV file or the Report command's page replaces an existing file;
  // follows the file name.
  kReplaceOutputQuestion = 202,
  // The lines below a message that say why a conversion failed or what it converted. They name
  // what they are about with {file}, {records} and {sensors} (see formatMessage).
  kLookedFor = 203,
  kOneOfTheLogsFiles = 204,
  kConvertedCounts = 205,
  kNoRecords = 206,
  kNoSensor = 207,
  // The dialog's Report button and its File menu entry, and the line said when the page it wrote
  // could not be shown.
  kReportButton = 208,
  kReportMenuItem = 209,
  kPageNotOpened = 210,
  // The dialog's lines below a message: a data file that ends in part of a record ({bytes}), a
  // file held open by another program, a dropped file that is no log and a dropped folder without
  // any.
  kCutOff = 211,
  kCloseHeldFile = 212,
  kNotALog = 213,
  kNoLogInFolder = 214,
  // Asked below a drop's outcome when it wrote a dropped folder's logbook page.
  kOpenLogbookQuestion = 215,
  // The dialog's boxes after a conversion: the verdict's line ({verdict}); after a drop of several
  // logs, the totals, the logs whose existing CSV file was kept ({count}), a failure that stopped
  // several logs alike ({failure}) and one log's line ({log}, {what}); below a page no browser
  // could show, where it is ({file}).
  kHealthVerdictLine = 216,
  kDropTotals = 217,
  kKeptCount = 218,
  kSharedFailure = 219,
  kOpenByHand = 220,
  kLogLine = 221,
  // A limits file the health check cannot use; the lines below name the file, line, column and
  // fault (see limitsFaultText).
  kLimitsFileFault = 301,
  // The words of the health check's reports (see healthLabels); the checks' own words are the
  // report page's.
  kHealthTitle = 302,
  kHealthVerdict = 303,
  kHealthEvents = 304,
  kHealthLimitsFile = 305,
  kHealthNoLimitsFile = 306,
  kHealthNotChecked = 307,
  kVerdictNone = 308,
  kVerdictGreen = 309,
  kVerdictAmber = 310,
  kVerdictRed = 311,
  kHealthBelow = 317,
  kHealthAbove = 318,
  kHealthLowest = 319,
  kHealthHighest = 320,
  kHealthCells = 321,
  kHealthBytes = 322,
  kHealthAndMore = 323,
  // A limits file's fault: where it is ({file}, {line}, {column}) and what ({fault}), then that
  // nothing was converted; each kind of fault in its own words, with the key ({key}), what was
  // written and what was meant ({written}, {suggestion}), the nearest known key ({nearest}), the
  // names or keys there are ({choices}), the amber and red values ({amber}, {red}) and a range
  // ({lowest}, {highest}).
  kLimitsFaultPlace = 330,
  kNothingConverted = 331,
  kLimitsDecimalComma = 332,
  kLimitsMissingQuote = 333,
  kLimitsUnknownKeyNearest = 334,
  kLimitsUnknownKey = 335,
  kLimitsRedNotLower = 336,
  kLimitsRedNotHigher = 337,
  kLimitsNotATable = 338,
  kLimitsNotTrueOrFalse = 339,
  kLimitsNotCheckNames = 340,
  kLimitsNotText = 341,
  kLimitsNotWholeNumber = 342,
  kLimitsNotNumber = 343,
  kLimitsNotAmberAndRed = 344,
  kLimitsTooLarge = 345,
  kLimitsNegative = 346,
  kLimitsUnknownName = 347,
  kLimitsLimitLacksKey = 348,
  kLimitsCannotRead = 349,
};

}  // namespace trelvox
