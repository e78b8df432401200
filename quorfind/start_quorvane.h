#pragma once

// Run Quorvane and Update the Current List: Quorfind starts the quorvane
// program that sits beside its own executable (else the one on PATH),
// detached, plainly or with "auto" and the saved list to rebuild.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/interaction.h"
#include "quorfind/settings.h"

namespace quor::find {

inline constexpr std::string_view kQuorvaneNotFound =
    "Quorvane was not found!\nMake sure quorfind is being run from the same folder as quorvane";
inline constexpr std::string_view kQuorfindTitle = "Quorfind";

// The quorvane executable: in ownFolder when there is one there, else the
// first on PATH; empty when there is none.
std::optional<std::filesystem::path> quorvaneExecutable(const std::filesystem::path& ownFolder);

// The argument vectors of the two commands. Update rebuilds the saved list
// of the current list path (its file name cut before the first "."), or
// with "auto" alone when the list is not the own list or has no name.
std::vector<std::string> runQuorvaneCommand(const std::filesystem::path& quorvane);
std::vector<std::string> updateListCommand(const std::filesystem::path& quorvane, ListType type,
                                           std::string_view currentListPath);

// Starts the command; shows "Quorvane was not found!" when quorvane cannot
// be found or started. ownFolder is the folder of the running executable.
bool runQuorvane(Interaction& ui, const std::filesystem::path& ownFolder);
bool updateCurrentList(Interaction& ui, const std::filesystem::path& ownFolder, ListType type,
                       std::string_view currentListPath);

}  // namespace quor::find
