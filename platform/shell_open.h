#pragma once

// "open" of the desktop shell: the desktop's default application for a file
// or address, through xdg-open.

#include <string>
#include <string_view>
#include <vector>

#include "common/result.h"

namespace quor::platform {

// A path as one argument that no program can read as an option: a path
// beginning with "-" gets "./" in front.
std::string pathArgument(std::string_view path);

// The argument vector of "open" for target.
std::vector<std::string> shellOpenCommand(std::string_view target);

// Starts the desktop's default application for target, detached. Fails when
// xdg-open cannot be started.
Status shellOpen(std::string_view target);

}  // namespace quor::platform
