#pragma once

#include <cstddef>
#include <span>
#include <string>

#include "app/messages.h"
#include "app/windows/conversion_outcome.h"

namespace trelvox {

// The most logs a drop's box names one by one, and the most lines they may take together (a
// failure that stopped several logs alike brings its reason's lines).
inline constexpr std::size_t kLogsNamedInBox = 5;
inline constexpr std::size_t kLinesOfNamedLogs = 10;
// The most logbook pages a drop's box names one by one.
inline constexpr std::size_t kPagesNamedInBox = 2;

// The text shown after a drop. One log dropped alone is said as the Open command says it (its name
// before a failure). Several logs, or a folder, get a box that fits the screen however many logs
// there were: one line of totals (converted, green, amber, red, failed), a line of the existing CSV
// files kept when there were any; after a blank line the logs that need a look, red first, then
// failed, then amber, each on one line with its first event or its failure ("… and 3 more" for
// the rest; a failure that stopped several logs for the same reason is said once, with their
// number and the reason); after another each logbook page written, or why it could not be.
std::string dropOutcomeText(std::span<const ConversionOutcome> logs,
                            std::span<const ConversionOutcome> pages, Language language);

// Whether a drop's box should show the warning icon: a log or page failed, or a flight is amber or
// red.
bool dropNeedsALook(std::span<const ConversionOutcome> logs,
                    std::span<const ConversionOutcome> pages);

}  // namespace trelvox
