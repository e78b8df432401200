#include "platform/watched_start.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstring>

#include "common/unique_fd.h"
#include "platform/process_start.h"

namespace quor::platform {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

namespace {

// Both ends of a pipe, closed on exec, so that only the processes that are
// meant to hold an end do.
struct Pipe {
    UniqueFd read;
    UniqueFd write;
    bool open() {
        int ends[2];
        if (::pipe2(ends, O_CLOEXEC) != 0) {
            return false;
        }
        read.reset(ends[0]);
        write.reset(ends[1]);
        return true;
    }
};

void writeAll(int fd, int value) {
    ssize_t written;
    while ((written = ::write(fd, &value, sizeof value)) < 0 && errno == EINTR) {
    }
}

// The program itself: nothing but async-signal-safe calls after fork.
[[noreturn]] void runProgram(const char* file, char* const* argv, int execEnd, int devNull) {
    sigset_t none;
    sigemptyset(&none);
    sigprocmask(SIG_SETMASK, &none, nullptr);
    ::signal(SIGPIPE, SIG_DFL);
    ::dup2(devNull, STDIN_FILENO);
    ::execv(file, argv);
    writeAll(execEnd, errno);
    ::_exit(127);
}

// The watcher: starts the program, waits for it and writes its exit status
// to statusEnd. Nobody may read it any more by then; that is not an error.
[[noreturn]] void watchProgram(const char* file, char* const* argv, int execEnd, int statusEnd,
                               int devNull) {
    const pid_t program = ::fork();
    if (program == 0) {
        runProgram(file, argv, execEnd, devNull);
    }
    if (program < 0) {
        writeAll(execEnd, errno);
        ::_exit(127);
    }
    ::close(execEnd);  // the watcher's copy: only the program reports a failed exec
    ::signal(SIGPIPE, SIG_IGN);
    int status = 0;
    while (::waitpid(program, &status, 0) < 0 && errno == EINTR) {
    }
    writeAll(statusEnd, WIFSIGNALED(status) ? 128 + WTERMSIG(status) : WEXITSTATUS(status));
    ::_exit(0);
}

// In the first child: a new session, the watcher in it, and the child ends
// at once so the caller reaps it without waiting for the program.
[[noreturn]] void startWatcher(const char* file, char* const* argv, int execEnd, int statusEnd,
                               int devNull) {
    ::setsid();
    const pid_t watcher = ::fork();
    if (watcher == 0) {
        watchProgram(file, argv, execEnd, statusEnd, devNull);
    }
    if (watcher < 0) {
        writeAll(execEnd, errno);
    }
    ::_exit(0);
}

// Reads one int; false at the end of the pipe or on an error.
bool readInt(int fd, int& value) {
    ssize_t got;
    while ((got = ::read(fd, &value, sizeof value)) < 0 && errno == EINTR) {
    }
    return got == static_cast<ssize_t>(sizeof value);
}

// Waits for the status to arrive on fd, until deadline.
std::optional<int> awaitStatus(int fd, Clock::time_point deadline) {
    while (true) {
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
        pollfd watch{fd, POLLIN, 0};
        const int ready =
            ::poll(&watch, 1, static_cast<int>(std::clamp<long long>(left.count(), 0, INT_MAX)));
        if (ready < 0 && errno == EINTR) {
            continue;
        }
        int status = 0;
        if (ready > 0 && readInt(fd, status)) {
            return status;
        }
        return std::nullopt;
    }
}

std::string cannotStart(const std::string& program, int error) {
    return "Could not start " + program + ": " + std::strerror(error);
}

}  // namespace

Result<WatchedEnd> startWatched(const std::vector<std::string>& argv,
                                std::chrono::milliseconds patience) {
    Result<ExecRequest> request = execRequest(argv);
    if (!request) {
        return Error{request.error()};
    }
    const fs::path* file = &request->file;
    std::vector<char*>& args = request->args;

    Pipe exec;
    Pipe status;
    if (!exec.open() || !status.open()) {
        return Error{cannotStart(argv[0], errno)};
    }
    const auto deadline = Clock::now() + patience;
    UniqueFd devNull(::open("/dev/null", O_RDONLY | O_CLOEXEC));
    const pid_t child = ::fork();
    if (child == 0) {
        startWatcher(file->c_str(), args.data(), exec.write.get(), status.write.get(),
                     devNull.get());
    }
    const int forkError = errno;
    exec.write.reset();
    status.write.reset();
    devNull.reset();
    if (child < 0) {
        return Error{cannotStart(argv[0], forkError)};
    }
    int childStatus = 0;
    while (::waitpid(child, &childStatus, 0) < 0 && errno == EINTR) {
    }
    int execError = 0;
    const bool failed = readInt(exec.read.get(), execError);
    exec.read.reset();
    if (failed) {
        return Error{cannotStart(argv[0], execError)};
    }
    return WatchedEnd{awaitStatus(status.read.get(), deadline)};
}

}  // namespace quor::platform
