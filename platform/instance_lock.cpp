#include "platform/instance_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>

#include "common/file_io.h"

namespace quor::platform {

std::optional<InstanceLock> InstanceLock::tryAcquire(const std::filesystem::path& programFolder,
                                                     std::string_view lockFile) {
    Result<std::optional<InstanceLock>> lock = tryAcquireOrFail(programFolder, lockFile);
    if (!lock) {
        return std::nullopt;
    }
    return std::move(*lock);
}

Result<std::optional<InstanceLock>> InstanceLock::tryAcquireOrFail(
    const std::filesystem::path& programFolder, std::string_view lockFile) {
    const std::filesystem::path file = programFolder / lockFile;
    UniqueFd fd(::open(file.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600));
    if (!fd) {
        return Error{ioErrorText("create the lock file", file, errno)};
    }
    if (::flock(fd.get(), LOCK_EX | LOCK_NB) != 0) {
        const int error = errno;
        if (error == EWOULDBLOCK) {
            return std::optional<InstanceLock>();
        }
        return Error{ioErrorText("lock", file, error)};
    }
    return std::optional(InstanceLock(std::move(fd)));
}

}  // namespace quor::platform
