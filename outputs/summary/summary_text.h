#pragma once

#include <array>
#include <string>
#include <string_view>

#include "outputs/summary/flight_summary.h"

namespace trelvox {

// The words of the summary in the reader's language; the shell chooses them.
struct SummaryLabels {
  std::string_view slot;
  std::string_view smallest;
  std::string_view largest;
  std::string_view last;
  std::string_view flight;
  std::string_view records;
  std::string_view duration;
  std::string_view stepsOverOneSecond;
  std::string_view longestStep;
  std::string_view backwards;
  std::string_view trailingBytes;
  // One per FactKind, in its order.
  std::array<std::string_view, kFactKinds> facts;
  // "Flights: 2, air time 0:03:12"
  std::string_view flights{};
  std::string_view airTime{};
};

// The readable summary of `--summary`: per sensor each item's smallest, largest and last reading
// with its unit ("---" where there is none), then the flight, each fact naming its sensor, and the
// flights within the log with their air time where a height or a speed tells them.
std::string summaryText(const FlightSummary& summary, const SummaryLabels& labels,
                        char decimalSeparator);

}  // namespace trelvox
