#pragma once

// "open" of the desktop shell: the desktop's default application for a file
// or address, through xdg-open (or gio, where only it is installed).

#include <chrono>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/result.h"

namespace quor::platform {

// The programs that hand a file to the desktop's default application.
enum class Opener { XdgOpen, Gio };

// How long "open" waits for the opener to say that it could not open a
// file. Openers hand the file over and end within it; xdg-open on a desktop
// it does not know waits for the application instead, which is then taken
// as opened.
inline constexpr std::chrono::milliseconds kOpenPatience{1500};

// A path as one argument that no program can read as an option: a path
// beginning with "-" gets "./" in front.
std::string pathArgument(std::string_view path);

// The argument vector of "open" for target with opener.
std::vector<std::string> shellOpenCommand(std::string_view target, Opener opener = Opener::XdgOpen);

// The opener installed on this system: xdg-open, else gio; empty when
// neither is.
std::optional<Opener> installedOpener();

// Why opener could not open a file, from its exit status (not 0).
std::string openFailureReason(Opener opener, int exitStatus);

// Starts the desktop's default application for target, detached. Fails, with
// a reason the user can act on, when target is a path that does not exist,
// when no opener is installed, or when the opener ends within patience with
// a failure (no application for the type, the application missing). Any
// other outcome counts as opened.
Status shellOpen(std::string_view target, std::chrono::milliseconds patience = kOpenPatience);

}  // namespace quor::platform
