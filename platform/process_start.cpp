#include "platform/process_start.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "common/unique_fd.h"

namespace quor::platform {

namespace fs = std::filesystem;

namespace {

bool isExecutableFile(const fs::path& file) {
    std::error_code error;
    return fs::is_regular_file(file, error) && ::access(file.c_str(), X_OK) == 0;
}

// Sends errno through the pipe and ends the child; only async-signal-safe
// calls are made between fork and exec.
[[noreturn]] void failChild(int pipeEnd) {
    const int error = errno;
    ssize_t written = ::write(pipeEnd, &error, sizeof error);
    (void)written;
    ::_exit(127);
}

// In the child: a new session, a grandchild that runs the program, and the
// child ends at once so the caller never waits for the program.
[[noreturn]] void runDetached(const char* file, char* const* argv, int pipeEnd, int devNull) {
    ::setsid();
    const pid_t grandchild = ::fork();
    if (grandchild < 0) {
        failChild(pipeEnd);
    }
    if (grandchild > 0) {
        ::_exit(0);
    }
    sigset_t none;
    sigemptyset(&none);
    sigprocmask(SIG_SETMASK, &none, nullptr);
    ::dup2(devNull, STDIN_FILENO);
    ::execv(file, argv);
    failChild(pipeEnd);
}

}  // namespace

std::optional<fs::path> findExecutable(std::string_view name) {
    if (name.empty()) {
        return std::nullopt;
    }
    if (name.find('/') != std::string_view::npos) {
        return isExecutableFile(fs::path(name)) ? std::optional(fs::path(name)) : std::nullopt;
    }
    const char* path = std::getenv("PATH");
    std::string_view folders = path != nullptr ? path : "/usr/local/bin:/usr/bin:/bin";
    while (true) {
        const std::size_t colon = folders.find(':');
        const std::string_view folder = folders.substr(0, colon);
        const fs::path candidate = fs::path(folder.empty() ? "." : folder) / name;
        if (isExecutableFile(candidate)) {
            return candidate;
        }
        if (colon == std::string_view::npos) {
            return std::nullopt;
        }
        folders.remove_prefix(colon + 1);
    }
}

Result<ExecRequest> execRequest(const std::vector<std::string>& argv) {
    if (argv.empty()) {
        return Error{"No program to start"};
    }
    std::optional<fs::path> file = findExecutable(argv[0]);
    if (!file) {
        return Error{"Could not start " + argv[0] + ": no such program"};
    }
    ExecRequest request{std::move(*file), {}};
    for (const std::string& arg : argv) {
        request.args.push_back(const_cast<char*>(arg.c_str()));
    }
    request.args.push_back(nullptr);
    return request;
}

Status startDetached(const std::vector<std::string>& argv) {
    Result<ExecRequest> request = execRequest(argv);
    if (!request) {
        return Error{request.error()};
    }
    const fs::path* file = &request->file;
    std::vector<char*>& args = request->args;

    int ends[2];
    if (::pipe2(ends, O_CLOEXEC) != 0) {
        return Error{"Could not start " + argv[0] + ": " + std::strerror(errno)};
    }
    UniqueFd readEnd(ends[0]);
    UniqueFd writeEnd(ends[1]);
    UniqueFd devNull(::open("/dev/null", O_RDONLY | O_CLOEXEC));
    const pid_t child = ::fork();
    if (child == 0) {
        readEnd.reset();
        runDetached(file->c_str(), args.data(), writeEnd.get(), devNull.get());
    }
    const int forkError = errno;
    writeEnd.reset();
    devNull.reset();
    if (child < 0) {
        return Error{"Could not start " + argv[0] + ": " + std::strerror(forkError)};
    }
    int status = 0;
    while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    int execError = 0;
    ssize_t got;
    while ((got = ::read(readEnd.get(), &execError, sizeof execError)) < 0 && errno == EINTR) {
    }
    readEnd.reset();
    if (got == static_cast<ssize_t>(sizeof execError)) {
        return Error{"Could not start " + argv[0] + ": " + std::strerror(execError)};
    }
    return Status::success();
}

std::vector<std::string> shellCommand(std::string_view command) {
    return {"/bin/sh", "-c", std::string(command)};
}

}  // namespace quor::platform
