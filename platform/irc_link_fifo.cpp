#include <fcntl.h>
#include <limits.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/irc_link.h"

namespace quor::platform {

namespace {

// WeeChat's fifo plugin: each line written to the pipe is "*" + a typed
// line, run in the current buffer. The pipe is opened without blocking, so
// a client that is not running (no reader) is told at once.
class FifoLink final : public IrcLink {
  public:
    explicit FifoLink(std::filesystem::path path) : path_(std::move(path)) {}

    Status send(std::string_view typedLine) override {
        if (holdsLineBreak(typedLine)) {
            return Error{"A command with a line break is never sent"};
        }
        const std::string line = "*" + std::string(typedLine) + "\n";
        if (line.size() > PIPE_BUF) {
            return Error{"The command is too long for the pipe " + path_.string()};
        }
        const int fd = ::open(path_.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0) {
            const int error = errno;
            if (error == ENXIO) {
                return Error{"The IRC client is not running: nothing reads " + path_.string()};
            }
            return Error{"Could not open the pipe " + path_.string() + ": " + std::strerror(error)};
        }
        struct stat info {};
        if (::fstat(fd, &info) != 0 || !S_ISFIFO(info.st_mode)) {
            ::close(fd);
            return Error{path_.string() + " is not a named pipe"};
        }
        ssize_t written;
        while ((written = ::write(fd, line.data(), line.size())) < 0 && errno == EINTR) {
        }
        const int error = errno;
        ::close(fd);
        if (written != static_cast<ssize_t>(line.size())) {
            return Error{"Could not write to the pipe " + path_.string() + ": " +
                         (written < 0 ? std::strerror(error) : "the pipe is full")};
        }
        return Status::success();
    }

    bool quotesPaths() const override { return false; }

  private:
    std::filesystem::path path_;
};

}  // namespace

std::unique_ptr<IrcLink> makeFifoLink(std::filesystem::path path) {
    return std::make_unique<FifoLink>(std::move(path));
}

}  // namespace quor::platform
