#pragma once

#include <windows.h>

#include <filesystem>
#include <optional>
#include <string_view>

#include "app/windows/file_choices.h"

namespace trelvox {

// The system's open-file and save-file dialogs. `filter` is a filter text of the message table
// ("Description|*.ext||"); the result is the chosen full path, or nothing when cancelled. The
// open dialog starts in `startFolder` when one is given.
std::optional<std::filesystem::path> askOpenPath(
    HWND owner, std::string_view filter, const wchar_t* defaultExtension,
    const std::optional<std::filesystem::path>& startFolder);

// The save dialog opens in the proposal's folder with its file name filled in and asks before it
// replaces an existing file.
std::optional<std::filesystem::path> askSavePath(HWND owner, std::string_view filter,
                                                 const wchar_t* defaultExtension,
                                                 const SaveProposal& proposal);

}  // namespace trelvox
