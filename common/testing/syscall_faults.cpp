#include "common/testing/syscall_faults.h"

#include <cstdlib>
#include <sstream>

#include "common/file_io.h"
#include "common/testing/temp_tree.h"

namespace quor::testing {

namespace {

// LeakSanitizer cannot work in a traced process and would fail every run
// of a sanitizer build; the other checks stay as they are.
std::string sanitizerOptions() {
    const char* options = std::getenv("ASAN_OPTIONS");
    return std::string("ASAN_OPTIONS=") + (options != nullptr ? std::string(options) + ":" : "") +
           "detect_leaks=0";
}

// strace following every child, with its own output (the trace, or the
// summary with -c) going to output.
std::vector<std::string> straceArguments(const OnlyPaths& only, const std::string& output) {
    std::vector<std::string> out{"strace", "-f", "-qq", "-E", sanitizerOptions(), "-o", output};
    for (const std::filesystem::path& path : only) {
        out.push_back("-P");
        out.push_back(path.string());
    }
    return out;
}

}  // namespace

std::optional<std::string> faultsUnavailable() {
    static const std::optional<std::string> reason = []() -> std::optional<std::string> {
        const ChildOutcome probe = runChild(
            {"strace", "-qq", "-o", "/dev/null", "-e", "inject=getpid:error=EPERM", "true"});
        if (probe.exitCode == 127) {
            return "strace is not installed";
        }
        if (probe.exitCode != 0) {
            return "strace may not trace here: " + probe.output;
        }
        return std::nullopt;
    }();
    return reason;
}

std::map<std::string, int> countSyscalls(const std::vector<std::string>& syscalls,
                                         const std::vector<std::string>& argv,
                                         const OnlyPaths& only, const ChildOptions& options) {
    TempTree scratch;
    handToChildUser(scratch.root());
    const std::filesystem::path summary = scratch.path("calls.txt");
    std::string set;
    for (const std::string& s : syscalls) {
        set += (set.empty() ? "" : ",") + s;
    }
    std::vector<std::string> command = straceArguments(only, summary.string());
    command.push_back("-c");
    command.push_back("-e");
    command.push_back("trace=" + set);
    command.insert(command.end(), argv.begin(), argv.end());
    (void)runChild(command, options);

    std::map<std::string, int> counts;
    for (const std::string& s : syscalls) {
        counts[s] = 0;
    }
    // Lines of the summary table: % time, seconds, usecs/call, calls,
    // [errors,] syscall.
    const Result<std::string> text = readFile(summary);
    std::istringstream table(text.ok() ? *text : std::string());
    for (std::string line; std::getline(table, line);) {
        std::istringstream fields(line);
        std::vector<std::string> words;
        for (std::string w; fields >> w;) {
            words.push_back(w);
        }
        if (words.size() >= 5 && counts.count(words.back()) != 0) {
            counts[words.back()] = std::stoi(words[3]);
        }
    }
    return counts;
}

std::vector<std::string> tamperedRun(const std::vector<Tampering>& tamperings,
                                     const std::vector<std::string>& argv, const OnlyPaths& only,
                                     bool traced) {
    std::vector<std::string> out = straceArguments(only, traced ? "/dev/stderr" : "/dev/null");
    std::string calls;
    for (const Tampering& t : tamperings) {
        calls += (calls.empty() ? "" : ",") + t.calls;
    }
    out.push_back("-e");
    out.push_back("trace=" + calls);
    for (const Tampering& t : tamperings) {
        out.push_back("-e");
        out.push_back("inject=" + t.calls + ":" + t.what);
    }
    out.insert(out.end(), argv.begin(), argv.end());
    return out;
}

std::vector<std::string> failingCall(const std::string& syscall, int n,
                                     const std::string& errnoName,
                                     const std::vector<std::string>& argv, const OnlyPaths& only) {
    return tamperedRun({{syscall, "error=" + errnoName + ":when=" + std::to_string(n)}}, argv,
                       only);
}

std::vector<std::string> killedAtCall(const std::string& syscall, int n,
                                      const std::vector<std::string>& argv, const OnlyPaths& only) {
    return tamperedRun({{syscall, "signal=KILL:when=" + std::to_string(n)}}, argv, only);
}

}  // namespace quor::testing
