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

// Starts Run Quorvane's command, detached; shows "Quorvane was not found!"
// when quorvane cannot be found or started. ownFolder is the folder of the
// running executable.
[[nodiscard]] bool runQuorvane(Interaction& user, const std::filesystem::path& ownFolder);

// The command of Update the Current List with the quorvane of ownFolder;
// nothing when there is no quorvane.
std::optional<std::vector<std::string>> updateCurrentListCommand(
    const std::filesystem::path& ownFolder, ListType type, std::string_view currentListPath);

inline constexpr std::string_view kListNotRebuilt = "The list could not be rebuilt.";

// What the user is told when the run of Update the Current List ended
// without rebuilding the list; nothing when exitStatus is 0. The text is
// kListNotRebuilt and the reason: the last lines the run wrote on standard
// error (made printable, without the program's name, the first letter
// made a capital), or, when it wrote
// none, what its status means. exitStatus is nothing when the run did not
// end by itself (a signal ended it).
std::optional<std::string> updateFailureText(std::optional<int> exitStatus,
                                             std::string_view errorOutput);

}  // namespace quor::find
