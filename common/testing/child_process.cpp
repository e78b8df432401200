#include "common/testing/child_process.h"

#include <fcntl.h>
#include <grp.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <stdexcept>

namespace quor::testing {

namespace fs = std::filesystem;

namespace {

constexpr uid_t kNobody = 65534;

// In the child, between fork and exec: only async-signal-safe calls.
[[noreturn]] void execChild(const std::vector<char*>& argv, const ChildOptions& options,
                            int outputWrite) {
    ::dup2(outputWrite, STDOUT_FILENO);
    ::dup2(outputWrite, STDERR_FILENO);
    if (options.ownProcessGroup) {
        ::setpgid(0, 0);
    }
    if (!options.workingFolder.empty() && ::chdir(options.workingFolder.c_str()) != 0) {
        ::_exit(126);
    }
    if (options.unprivilegedIn && ::geteuid() == 0 &&
        (::setgroups(0, nullptr) != 0 || ::setgid(kNobody) != 0 || ::setuid(kNobody) != 0)) {
        ::_exit(126);
    }
    ::execvp(argv[0], argv.data());
    ::_exit(127);
}

}  // namespace

bool runningAsRoot() {
    return ::geteuid() == 0;
}

void handToChildUser(const fs::path& folder) {
    if (!runningAsRoot()) {
        return;
    }
    (void)::lchown(folder.c_str(), kNobody, kNobody);
    std::error_code error;
    for (auto it = fs::recursive_directory_iterator(folder, error); !error && it != fs::end(it);
         it.increment(error)) {
        (void)::lchown(it->path().c_str(), kNobody, kNobody);
    }
}

ChildProcess::ChildProcess(const std::vector<std::string>& argv, const ChildOptions& options) {
    if (options.unprivilegedIn) {
        handToChildUser(*options.unprivilegedIn);
    }
    std::vector<char*> args;
    for (const std::string& a : argv) {
        args.push_back(const_cast<char*>(a.c_str()));
    }
    args.push_back(nullptr);
    int pipeEnds[2];
    if (::pipe2(pipeEnds, O_CLOEXEC) != 0) {
        throw std::runtime_error("cannot make a pipe for a child process");
    }
    pid_ = ::fork();
    if (pid_ < 0) {
        throw std::runtime_error("cannot start a child process");
    }
    if (pid_ == 0) {
        execChild(args, options, pipeEnds[1]);
    }
    if (options.ownProcessGroup) {
        (void)::setpgid(pid_, pid_);  // done by both, so it holds once either returns
    }
    ::close(pipeEnds[1]);
    output_ = pipeEnds[0];
}

ChildProcess::~ChildProcess() {
    if (!finished_ && pid_ > 0) {
        ::kill(pid_, SIGKILL);
        (void)finish();
    }
}

bool ChildProcess::readSome() {
    char buffer[4096];
    for (;;) {
        const ssize_t n = ::read(output_, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            return false;
        }
        read_.append(buffer, static_cast<std::size_t>(n));
        return true;
    }
}

std::optional<std::string> ChildProcess::readUntil(std::string_view marker) {
    for (;;) {
        const std::size_t found = read_.find(marker, scanned_);
        if (found != std::string::npos) {
            const std::size_t end = read_.find('\n', found);
            if (end != std::string::npos || finished_) {
                const std::size_t start = read_.rfind('\n', found);
                const std::size_t from = start == std::string::npos ? 0 : start + 1;
                scanned_ = end == std::string::npos ? read_.size() : end + 1;
                return read_.substr(from, scanned_ - from);
            }
        }
        if (!readSome()) {
            return std::nullopt;
        }
    }
}

ChildOutcome ChildProcess::finish() {
    ChildOutcome outcome;
    while (readSome()) {
    }
    outcome.output = std::move(read_);
    ::close(output_);
    int status = 0;
    while (::waitpid(pid_, &status, 0) < 0 && errno == EINTR) {
    }
    finished_ = true;
    if (WIFEXITED(status)) {
        outcome.exitCode = WEXITSTATUS(status);
    } else if (WIFSIGNALED(status)) {
        outcome.signal = WTERMSIG(status);
    }
    return outcome;
}

ChildOutcome runChild(const std::vector<std::string>& argv, const ChildOptions& options) {
    ChildProcess child(argv, options);
    return child.finish();
}

}  // namespace quor::testing
