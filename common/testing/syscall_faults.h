#pragma once

// Faults made to order for a child process, with strace: the n-th call of
// a system call fails with a chosen error, or the process is killed with
// SIGKILL at the n-th call. Counting is per call and per thread, so the
// same run can be tampered with at every n in turn, and a fault lands at
// the same point of the program every time (no clock is involved).
//
//   const auto counts = countSyscalls({"write", "fsync"}, argv);
//   for (int n = 1; n <= counts.at("write"); ++n)
//       runChild(failingCall("write", n, "ENOSPC", argv));
//
// Tests that need strace skip when it is missing or may not trace here
// (a container without ptrace); faultsUnavailable says why.

#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "common/testing/child_process.h"

namespace quor::testing {

// Why faults cannot be injected on this machine, or nothing when they can.
std::optional<std::string> faultsUnavailable();

// Calls limited to those that touch one of these paths (by name or by an
// open descriptor); every call of the kind when empty.
using OnlyPaths = std::vector<std::filesystem::path>;

// How often the run of argv makes each of the calls (all threads).
std::map<std::string, int> countSyscalls(const std::vector<std::string>& syscalls,
                                         const std::vector<std::string>& argv,
                                         const OnlyPaths& only = {},
                                         const ChildOptions& options = {});

// One tampering: which calls ("openat", or a set "newfstatat,openat") and
// what strace does to them ("error=ENOENT", "retval=0:when=2").
struct Tampering {
    std::string calls;
    std::string what;
};

// argv, run with every tampering at once. With traced set, strace
// writes the tampered calls and the signals to standard error, where
// ChildProcess::readUntil can wait for them ("--- stopped by SIGSTOP ---").
std::vector<std::string> tamperedRun(const std::vector<Tampering>& tamperings,
                                     const std::vector<std::string>& argv,
                                     const OnlyPaths& only = {}, bool traced = false);

// argv, run with the n-th call of syscall failing with errnoName ("ENOSPC").
std::vector<std::string> failingCall(const std::string& syscall, int n,
                                     const std::string& errnoName,
                                     const std::vector<std::string>& argv,
                                     const OnlyPaths& only = {});

// argv, run so that it is killed with SIGKILL on entering its n-th call of
// syscall.
std::vector<std::string> killedAtCall(const std::string& syscall, int n,
                                      const std::vector<std::string>& argv,
                                      const OnlyPaths& only = {});

}  // namespace quor::testing
