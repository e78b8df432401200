#pragma once

// Starting other programs: an argument vector is started as it stands,
// never through a shell (a caller that wants one asks for shellCommand).
// The program runs detached in its own session, with standard input from
// /dev/null, and is not waited for.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/result.h"

namespace quor::platform {

// The file a program name stands for: a name holding "/" as it stands (when
// it is an executable file), else the first executable file of that name in
// a folder of PATH. Empty when there is none.
std::optional<std::filesystem::path> findExecutable(std::string_view name);

// What execv needs to run argv: the program file argv[0] stands for (as
// findExecutable says) and the arguments as pointers into argv, ending in a
// null pointer, so argv must outlive it. Fails, with the reason, when argv is
// empty or the program is not found.
struct ExecRequest {
    std::filesystem::path file;
    std::vector<char*> args;
};
Result<ExecRequest> execRequest(const std::vector<std::string>& argv);

// Starts argv[0] (looked up as findExecutable says) with argv, detached.
// Fails, with the reason, when argv is empty, the program is not found, or
// it cannot be executed; success means the program is running.
Status startDetached(const std::vector<std::string>& argv);

// The argument vector that runs command with /bin/sh -c.
std::vector<std::string> shellCommand(std::string_view command);

}  // namespace quor::platform
