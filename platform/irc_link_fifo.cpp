#include <fcntl.h>
#include <limits.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <utility>

#include "platform/irc_link.h"

namespace quor::platform {

namespace fs = std::filesystem;

namespace {

std::string errnoText(int error) {
    return std::strerror(error);
}

// WeeChat's fifo plugin: each line written to the pipe is "*" + a typed
// line, run in the current buffer. The pipe is opened without blocking, so
// a client that is not running (no reader) is told at once.
class FifoLink final : public IrcLink {
  public:
    explicit FifoLink(fs::path path) : path_(std::move(path)) {}

    Status send(std::string_view typedLine) override {
        if (holdsLineBreak(typedLine)) {
            return Error{"A command with a line break is never sent"};
        }
        const std::string line = "*" + std::string(typedLine) + "\n";
        if (line.size() > PIPE_BUF) {
            return Error{"The command is too long for the pipe " + path_.string()};
        }
        const Result<UniqueFd> pipe = openTrustedPipe(path_, ::geteuid());
        if (!pipe) {
            return Error{pipe.error()};
        }
        ssize_t written;
        while ((written = ::write(pipe->get(), line.data(), line.size())) < 0 && errno == EINTR) {
        }
        if (written != static_cast<ssize_t>(line.size())) {
            return Error{"Could not write to the pipe " + path_.string() + ": " +
                         (written < 0 ? errnoText(errno) : "the pipe is full")};
        }
        return Status::success();
    }

    bool quotesPaths() const override { return false; }

  private:
    fs::path path_;
};

bool sameFile(const struct stat& a, const struct stat& b) {
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

}  // namespace

std::optional<std::string> untrustedPipe(const struct stat& pipe, const struct stat& folder,
                                         uid_t user) {
    if (!S_ISFIFO(pipe.st_mode)) {
        return "it is not a named pipe";
    }
    if (pipe.st_uid != user) {
        return "it belongs to another user";
    }
    if (folder.st_uid != user && folder.st_uid != 0) {
        return "its folder belongs to another user";
    }
    if ((folder.st_mode & (S_IWGRP | S_IWOTH)) != 0) {
        return "other users may write to its folder";
    }
    return std::nullopt;
}

Result<UniqueFd> openTrustedPipe(const fs::path& path, uid_t user) {
    const std::string name = path.filename().string();
    const fs::path folder = path.has_parent_path() ? path.parent_path() : fs::path(".");
    const auto refused = [&](const std::string& why) {
        return Error{"The pipe " + path.string() + " is not used: " + why};
    };
    // The folder is held open, so the pipe checked is the pipe opened.
    const UniqueFd dir(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    struct stat folderInfo {};
    if (!dir || ::fstat(dir.get(), &folderInfo) != 0) {
        return Error{"Could not open the pipe " + path.string() + ": " + errnoText(errno)};
    }
    struct stat found {};
    if (name.empty() || name == "." || name == ".." ||
        ::fstatat(dir.get(), name.c_str(), &found, AT_SYMLINK_NOFOLLOW) != 0) {
        return Error{"Could not open the pipe " + path.string() + ": " +
                     (name.empty() ? "no file name" : errnoText(errno))};
    }
    // Checked before it is opened: opening a device may do something.
    if (auto why = untrustedPipe(found, folderInfo, user)) {
        return refused(*why);
    }
    UniqueFd pipe(
        ::openat(dir.get(), name.c_str(), O_WRONLY | O_NONBLOCK | O_NOFOLLOW | O_CLOEXEC));
    if (!pipe) {
        const int error = errno;
        if (error == ENXIO) {
            return Error{"The IRC client is not running: nothing reads " + path.string()};
        }
        return Error{"Could not open the pipe " + path.string() + ": " + errnoText(error)};
    }
    struct stat opened {};
    if (::fstat(pipe.get(), &opened) != 0) {
        return Error{"Could not open the pipe " + path.string() + ": " + errnoText(errno)};
    }
    if (!sameFile(opened, found)) {
        return refused("it was replaced while it was opened");
    }
    if (auto why = untrustedPipe(opened, folderInfo, user)) {
        return refused(*why);
    }
    return pipe;
}

std::unique_ptr<IrcLink> makeFifoLink(fs::path path) {
    return std::make_unique<FifoLink>(std::move(path));
}

}  // namespace quor::platform
