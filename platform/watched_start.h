#pragma once

// Starting a program detached, as startDetached does, while watching it for
// a short while: a program that ends at once (a launcher that could not do
// its job) tells its exit status, one that keeps running is left to run.

#include <chrono>
#include <optional>
#include <string>
#include <vector>

#include "common/result.h"

namespace quor::platform {

// How a watched program stood when the watch ended.
struct WatchedEnd {
    // Its exit status when it ended within the watch (128 + the signal when
    // a signal ended it); empty when it was still running.
    std::optional<int> exitStatus;
};

// Starts argv (argv[0] looked up as findExecutable says) detached, in its own
// session, with standard input from /dev/null, then waits at most patience
// for it to end. Fails, with the reason, when it could not be started at
// all. The program is never killed: one still running when patience is up
// goes on as if started by startDetached. The wait is a poll on a pipe, so
// patience is the whole cost for a program that keeps running.
Result<WatchedEnd> startWatched(const std::vector<std::string>& argv,
                                std::chrono::milliseconds patience);

}  // namespace quor::platform
