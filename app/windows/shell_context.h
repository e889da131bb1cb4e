#pragma once

#include "app/messages.h"
#include "app/windows/localized_resources.h"
#include "outputs/text/separators.h"

namespace trelvox {

// What every part of the dialog program works with: the resources and message language chosen at
// start, and the separators read from the user's locale at start.
struct ShellContext {
  const LocalizedResources& resources;
  Language language;
  Separators separators;
};

}  // namespace trelvox
