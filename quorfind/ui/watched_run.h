#pragma once

// A program run whose end is awaited without waiting: Update the Current
// List starts quorvane this way and learns, when the run ends, whether the
// list was rebuilt, while the search window stays live.

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace quor::find::ui {

// How a watched run ended: its exit status (nothing when a signal ended it)
// and the last kKeptErrorOutput bytes it wrote on standard error.
struct RunEnd {
    std::optional<int> exitStatus;
    std::string errorOutput;
};

inline constexpr std::size_t kKeptErrorOutput = 64 * 1024;

// Starts argv (argv[0] is the program's path) in a session of its own, with
// standard input and output on /dev/null and standard error in an unlinked
// temporary file, and calls ended from the event loop when it has ended.
// The run goes on when this program ends first (it is never killed, and its
// standard error never breaks). False, and ended never called, when it
// could not be started.
[[nodiscard]] bool startWatched(const std::vector<std::string>& argv,
                                std::function<void(const RunEnd&)> ended);

}  // namespace quor::find::ui
