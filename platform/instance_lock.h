#pragma once

// One running copy of a program per program folder. Every copy, interactive
// or unattended, holds an exclusive lock on a file in the program folder for
// as long as it runs; the kernel releases it when the process ends, however
// it ends, so a crashed copy never blocks the next one. Each program has its
// own lock file (quorvane ".quorvane.lock", quorfind ".quorfind.lock").

#include <filesystem>
#include <optional>
#include <string_view>
#include <utility>

#include "common/result.h"
#include "common/unique_fd.h"

namespace quor::platform {

class InstanceLock {
  public:
    // Takes the lock, or gives nothing when another copy holds it (or the
    // lock file cannot be made, which is treated the same way by callers
    // that need to know only whether they may run).
    static std::optional<InstanceLock> tryAcquire(const std::filesystem::path& programFolder,
                                                  std::string_view lockFile = ".quorvane.lock");

    // The same, telling the two cases apart: nothing when another copy holds
    // the lock, a failure (naming the file and the cause) when the lock file
    // cannot be made or locked, as in a read-only program folder.
    static Result<std::optional<InstanceLock>> tryAcquireOrFail(
        const std::filesystem::path& programFolder, std::string_view lockFile = ".quorvane.lock");

    InstanceLock(InstanceLock&& other) noexcept = default;
    InstanceLock& operator=(InstanceLock&&) = delete;
    InstanceLock(const InstanceLock&) = delete;

  private:
    explicit InstanceLock(UniqueFd fd) : fd_(std::move(fd)) {}
    UniqueFd fd_;  // closing it releases the lock
};

}  // namespace quor::platform
