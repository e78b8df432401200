// Own-list search over a saved list of many entries, side by side with
// grep -i -F (and rg -i -F when installed) over the same .dat files.
//
//   search_bench [FOLDER] [ENTRIES]
//
// Lays out FOLDER/data/bench.lst with bench0.dat ... (ENTRIES file lines in
// all, 1,000,000 by default; kept between runs), then times a selective and
// a frequent search text. Each search runs in its own process, so its peak
// memory is its own; the best of five runs counts. The own-list search
// runs with folder names left out, as grep sees the lines, and the set of
// matching names is checked against grep's. Best of five runs; wall clock
// and CPU time (user + system) are shown, since on a shared machine the
// wall clock also counts the waits for a processor.

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <random>
#include <string>
#include <vector>

#include "common/interaction.h"
#include "platform/process_start.h"
#include "quorfind/search/own_list_search.h"
#include "quorvane/generate/cache_format.h"
#include "quorvane/store/saved_list_format.h"

namespace fs = std::filesystem;
using namespace quor;

namespace {

constexpr int kFolders = 20;
const char* const kWords[] = {"love",  "night", "blue",  "road",   "fire",  "dream", "heart",
                              "river", "dance", "light", "rain",   "gold",  "song",  "moon",
                              "city",  "wild",  "home",  "summer", "stone", "time"};
const char* const kForeign[] = {"Müller", "Ébène", "Straße", "Ωmega", "Сон", "東京"};

std::string padded(const std::string& name, const std::string& columns) {
    return name + "*" + std::string(name.size() < 65 ? 65 - name.size() : 1, ' ') + columns;
}

void writeBenchList(const fs::path& home, long entries) {
    const fs::path data = home / "data";
    fs::create_directories(data);
    std::mt19937 random(42);
    std::vector<std::array<std::string, 4>> records;
    long written = 0;
    for (int f = 0; f < kFolders; ++f) {
        const long count = entries / kFolders + (f < entries % kFolders ? 1 : 0);
        std::string text = "0\r\n";
        for (long i = 0; i < count; ++i, ++written) {
            if (i % 12 == 0) {
                text += "*Library " + std::to_string(f) + "/Artist " +
                        std::to_string(i / 12 % 700) + "/Album " + std::to_string(i / 12) + "/\r\n";
            }
            std::string name = "Artist " + std::to_string(random() % 5000) + " - ";
            for (int w = 0; w < 3; ++w) {
                name += kWords[random() % 20];
                name += ' ';
            }
            if (written % 3333 == 17) {
                name += "Zebrafish ";  // the selective text: about 300 entries
            }
            if (written % 50 == 3) {
                name += kForeign[random() % 6];
                name += ' ';
            }
            name += std::to_string(written) + ".mp3";
            const double megabytes = 1 + (random() % 900) / 100.0;
            char size[16];
            std::snprintf(size, sizeof size, "%9.2fMB", megabytes);
            text += padded(generate::encodeCacheName(name), size) + "\r\n";
        }
        std::ofstream(data / ("bench" + std::to_string(f) + ".dat"), std::ios::binary) << text;
        records.push_back(
            {"0", "/srv/library" + std::to_string(f), "Library " + std::to_string(f), "1"});
    }
    std::vector<std::string> values;
    for (const auto& line : store::kSettingsLines) {
        values.emplace_back(line.valueWhenMissing);
    }
    values[0] = std::to_string(kFolders);
    std::ofstream(data / "bench.lst", std::ios::binary) << store::formatSavedList(values, records);
}

struct Run {
    double seconds = 0;     // wall clock
    double cpuSeconds = 0;  // user + system
    long peakKiB = 0;
    long lines = 0;
};

double secondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// Runs argv with its output into a pipe that is read and counted by lines.
Run runTool(const std::vector<std::string>& command, std::vector<std::string>* out = nullptr) {
    // GNU time measures the tool alone: a peak taken here would count the
    // memory of this process, which the child starts as a copy of.
    char timesFile[] = "/tmp/search_bench_times.XXXXXX";
    const int timesFd = ::mkstemp(timesFile);
    if (timesFd >= 0) {
        ::close(timesFd);
    }
    std::vector<std::string> argv = {"/usr/bin/time", "-f", "%e %U %S %M", "-o", timesFile};
    argv.insert(argv.end(), command.begin(), command.end());
    int ends[2];
    if (::pipe(ends) != 0) {
        return {};
    }
    std::vector<char*> args;
    for (const auto& a : argv) {
        args.push_back(const_cast<char*>(a.c_str()));
    }
    args.push_back(nullptr);
    const auto start = std::chrono::steady_clock::now();
    const pid_t child = ::fork();
    if (child == 0) {
        ::dup2(ends[1], 1);
        ::close(ends[0]);
        ::close(ends[1]);
        ::execvp(args[0], args.data());
        ::_exit(127);
    }
    ::close(ends[1]);
    Run run;
    std::string pending;
    char buffer[1 << 16];
    ssize_t got;
    while ((got = ::read(ends[0], buffer, sizeof buffer)) > 0) {
        run.lines += std::count(buffer, buffer + got, '\n');
        if (out != nullptr) {
            pending.append(buffer, static_cast<std::size_t>(got));
        }
    }
    ::close(ends[0]);
    int status = 0;
    rusage usage{};
    ::wait4(child, &status, 0, &usage);
    run.seconds = secondsSince(start);
    if (std::FILE* times = std::fopen(timesFile, "r")) {
        double wall = 0, user = 0, system = 0;
        if (std::fscanf(times, "%lf %lf %lf %ld", &wall, &user, &system, &run.peakKiB) == 4) {
            run.seconds = wall;
            run.cpuSeconds = user + system;
        }
        std::fclose(times);
    }
    ::unlink(timesFile);
    if (out != nullptr) {
        std::size_t pos = 0;
        while (pos < pending.size()) {
            const std::size_t end = pending.find('\n', pos);
            std::string line = pending.substr(pos, end - pos);
            if (!line.empty() && line.back() == '\r') {
                line.pop_back();
            }
            out->push_back(generate::decodeCacheName(generate::splitFileLine(line).storedName));
            pos = end == std::string::npos ? pending.size() : end + 1;
        }
    }
    return run;
}

class Quiet final : public Interaction {
  public:
    void notice(std::string_view text, std::string_view, Shown) override {
        std::cerr << text << '\n';
    }
    bool confirm(std::string_view, std::string_view) override { return false; }
    bool okOrCancel(std::string_view, std::string_view) override { return false; }
    bool retryOrCancel(std::string_view, std::string_view) override { return false; }
    void status(std::string_view) override {}
    void busy(bool) override {}
    bool keepResponsive() override { return false; }
    bool unattended() const override { return true; }
};

// The own-list search, run as "search_bench --own HOME TEXT 0|1" in its own
// process (its own peak memory); prints the match count.
int ownSearchChild(const fs::path& home, const std::string& text, bool includeFolders) {
    Quiet user;
    const auto result =
        find::searchOwnListOf(home / "data", "bench.txt", text, includeFolders, user);
    std::printf("%lld\n", result.matches);
    return 0;
}

Run runOwnSearch(const std::string& self, const fs::path& home, const std::string& text,
                 bool includeFolders) {
    std::vector<std::string> out;
    Run run = runTool({self, "--own", home.string(), text, includeFolders ? "1" : "0"}, &out);
    run.lines = out.empty() ? -1 : std::stol(out.front());
    return run;
}

std::vector<std::string> ownNames(const fs::path& home, const std::string& text) {
    Quiet user;
    std::vector<std::string> names;
    for (const auto& row :
         find::searchOwnListOf(home / "data", "bench.txt", text, false, user).rows) {
        names.push_back(row.name());
    }
    return names;
}

template <class F>
Run best(F run) {
    Run bestRun = run();
    for (int i = 0; i < 4; ++i) {
        Run next = run();
        if (next.cpuSeconds + next.seconds < bestRun.cpuSeconds + bestRun.seconds) {
            bestRun = next;
        }
    }
    return bestRun;
}

void report(const char* what, const Run& run) {
    std::printf("  %-36s %6.3f s wall %6.3f s cpu %8ld matches  peak %6.1f MiB\n", what,
                run.seconds, run.cpuSeconds, run.lines, run.peakKiB / 1024.0);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 5 && std::string(argv[1]) == "--own") {
        return ownSearchChild(argv[2], argv[3], std::string(argv[4]) == "1");
    }
    const std::string self = fs::canonical("/proc/self/exe").string();
    const fs::path home = argc > 1 ? fs::path(argv[1]) : fs::path("/tmp/quorfind-bench");
    const long entries = argc > 2 ? std::stol(argv[2]) : 1000000;
    if (!fs::exists(home / "data" / "bench.lst")) {
        std::printf("Writing %ld entries to %s ...\n", entries, home.c_str());
        writeBenchList(home, entries);
    }
    std::vector<std::string> files;
    std::uintmax_t bytes = 0;
    for (int f = 0; f < kFolders; ++f) {
        files.push_back((home / "data" / ("bench" + std::to_string(f) + ".dat")).string());
        bytes += fs::file_size(files.back());
    }
    std::printf("%d listing files, %.1f MiB\n", kFolders, bytes / 1048576.0);
    const bool haveRg = platform::findExecutable("rg").has_value();
    for (const std::string text : {"zebrafish", ".mp3", "müller"}) {
        std::printf("Search text \"%s\":\n", text.c_str());
        std::vector<std::string> grepArgs = {"grep", "-h", "-i", "-F", text};
        grepArgs.insert(grepArgs.end(), files.begin(), files.end());
        std::vector<std::string> rgArgs = {"rg", "-N", "--no-filename", "-i", "-F", text};
        rgArgs.insert(rgArgs.end(), files.begin(), files.end());

        {
            std::vector<std::string> grepNames, names = ownNames(home, text);
            (void)runTool(grepArgs, &grepNames);
            std::sort(grepNames.begin(), grepNames.end());
            std::sort(names.begin(), names.end());
            std::printf("  same matching lines as grep: %s (%zu)\n",
                        grepNames == names ? "yes" : "NO", names.size());
        }

        report("quorfind own list, no folder names",
               best([&] { return runOwnSearch(self, home, text, false); }));
        report("quorfind own list, folder names",
               best([&] { return runOwnSearch(self, home, text, true); }));
        report("grep -i -F", best([&] { return runTool(grepArgs); }));
        if (haveRg) {
            report("rg -i -F", best([&] { return runTool(rgArgs); }));
        }
    }
    return 0;
}
