// dupes_bench [--naive] FILE TOLERANCE
//
// Runs the duplicate search over FILE, one stored name per line (the folder
// text followed by the cache line, as the catalogue reader forms them), and
// prints the rows the Duplicate Files window would list, one per line, the
// empty separator rows included. --naive runs the reference loop instead of
// the indexed search, so the two outputs can be compared. Times and peak
// memory go to standard error.

#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <string>
#include <string_view>

#include "common/file_io.h"
#include "quorvane/dupes/dupes_search.h"
#include "quorvane/dupes/entry_store.h"
#include "quorvane/dupes/pair_search.h"
#include "quorvane/dupes/stored_name.h"
#include "quorvane/store/saved_list_format.h"

namespace {

using Clock = std::chrono::steady_clock;

double secondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// Processor time of this process so far: on a busy machine a fairer
// measure than the wall clock.
double cpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

int usage() {
    std::cerr << "usage: dupes_bench [--naive] FILE TOLERANCE\n";
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    bool naive = false;
    int first = 1;
    if (argc > 1 && std::string_view(argv[1]) == "--naive") {
        naive = true;
        first = 2;
    }
    if (argc - first != 2) {
        return usage();
    }
    char* end = nullptr;
    const long tolerance = std::strtol(argv[first + 1], &end, 10);
    if (*end != '\0' || tolerance < 0 || tolerance > 36) {
        std::cerr << "dupes_bench: the tolerance must be a whole number from 0 to 36\n";
        return 2;
    }

    const auto readStart = Clock::now();
    quor::Result<std::string> contents = quor::readFile(argv[first]);
    if (!contents) {
        std::cerr << "dupes_bench: " << contents.error() << "\n";
        return 1;
    }
    quor::dupes::EntryStore entries;
    for (std::string_view line : quor::store::splitLines(*contents)) {
        if (!line.empty()) {
            entries.addStoredName(line);
        }
    }
    const double readSeconds = secondsSince(readStart);

    std::string out;
    std::size_t pairs = 0;
    quor::dupes::PairSearchHooks hooks;
    hooks.pair = [&](std::size_t a, std::size_t b) {
        out += quor::dupes::displayForm(entries.storedName(a));
        out += '\n';
        out += quor::dupes::displayForm(entries.storedName(b));
        out += "\n\n";
        ++pairs;
    };
    const auto searchStart = Clock::now();
    const double searchCpuStart = cpuSeconds();
    const int t = static_cast<int>(tolerance);
    if (naive) {
        quor::dupes::findPairsNaive(entries.signatures(), t, hooks);
    } else {
        quor::dupes::findPairsFast(entries.signatures(), t, hooks);
    }
    const double searchSeconds = secondsSince(searchStart);
    const double searchCpu = cpuSeconds() - searchCpuStart;
    if (pairs == 0) {
        out += quor::dupes::kNoDuplicatesRow;
        out += '\n';
    }
    std::fwrite(out.data(), 1, out.size(), stdout);

    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    std::fprintf(stderr,
                 "dupes_bench: %s, %zu entries, tolerance %d: read %.3f s, search %.3f s "
                 "(cpu %.3f s), %zu pairs, peak memory %ld MB\n",
                 naive ? "naive" : "fast", entries.size(), t, readSeconds, searchSeconds, searchCpu,
                 pairs, usage.ru_maxrss / 1024);
    return 0;
}
