#pragma once

// Running a program as a test's child process: its exit status or the
// signal that ended it, and everything it wrote to standard output and
// standard error. Several children may run at once; nothing here waits on a
// clock.
//
//   ChildProcess build({QUORVANE_BINARY, "auto"});
//   ChildOutcome outcome = build.finish();
//   EXPECT_EQ(outcome.exitCode, 0) << outcome.output;

#include <sys/types.h>

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quor::testing {

struct ChildOutcome {
    int exitCode = -1;   // -1 when a signal ended the child
    int signal = 0;      // the signal that ended it, else 0
    std::string output;  // standard output and standard error, interleaved
};

struct ChildOptions {
    // Where the child starts; the test's own folder when empty.
    std::filesystem::path workingFolder;
    // Runs the child as the unprivileged user "nobody" when the test runs as
    // root, so that permission bits count for it (root ignores them); the
    // given folder is handed to that user first. Ignored when not root.
    std::optional<std::filesystem::path> unprivilegedIn;
    // Starts the child in a process group of its own. A child held stopped
    // needs it: when a stopped process's group loses its last link to the
    // rest of the session (the process that started the test run ends
    // first), the kernel sends the whole group SIGHUP. In a group of its own
    // only the end of this test's process can do that.
    bool ownProcessGroup = false;
};

class ChildProcess {
  public:
    // Starts argv[0] (a path, or a name looked up on PATH) with argv.
    explicit ChildProcess(const std::vector<std::string>& argv, const ChildOptions& options = {});
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    pid_t pid() const { return pid_; }

    // Reads the child's output until a line holds marker, and gives that
    // line; nothing when the output ended first. What was read stays part
    // of the outcome.
    std::optional<std::string> readUntil(std::string_view marker);

    // Reads the child's output to its end and waits for it to end.
    ChildOutcome finish();

  private:
    // Reads once; false at the end of the output.
    bool readSome();

    pid_t pid_ = -1;
    int output_ = -1;
    std::string read_;
    std::size_t scanned_ = 0;
    bool finished_ = false;
};

// Starts argv and waits for it.
ChildOutcome runChild(const std::vector<std::string>& argv, const ChildOptions& options = {});

// True when the test runs as root, where permission bits alone stop nothing.
bool runningAsRoot();

// Gives folder and everything below it to the user the children run as
// (see ChildOptions::unprivilegedIn); nothing when not root.
void handToChildUser(const std::filesystem::path& folder);

}  // namespace quor::testing
