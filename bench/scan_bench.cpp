// Times one scan of a folder tree with the folder scanner, as a build does
// it (walk, then write the folder cache file), and prints the seconds.
//
//   scan_bench TREE [--columns size,date,mp3,length] [--repeat N]
//
// The program folder and settings store are a temporary folder of their own;
// the best of N runs is printed as "scan <seconds> s, <files> files".

#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "bench/bench_columns.h"
#include "common/interaction.h"
#include "quorvane/generate/scanner.h"
#include "quorvane/store/folder_records.h"
#include "quorvane/store/list_context.h"
#include "quorvane/store/settings_store.h"

namespace fs = std::filesystem;
using namespace quor;

namespace {

int usage() {
    std::fprintf(stderr, "usage: scan_bench TREE [--columns size,date,mp3,length] [--repeat N]\n");
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        return usage();
    }
    const std::string tree = argv[1];
    std::string columns;
    int repeat = 3;
    for (int i = 2; i + 1 < argc; i += 2) {
        const std::string option = argv[i];
        if (option == "--columns") {
            columns = argv[i + 1];
        } else if (option == "--repeat") {
            repeat = std::max(1, std::atoi(argv[i + 1]));
        } else {
            return usage();
        }
    }
    std::string pattern = (fs::temp_directory_path() / "scanbench.XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) {
        std::perror("mkdtemp");
        return 1;
    }
    const fs::path home = pattern;
    auto opened = store::SettingsStore::open(home / "settings.db");
    if (!opened) {
        std::fprintf(stderr, "%s\n", opened.error().c_str());
        return 1;
    }
    UnattendedInteraction user("scan_bench");
    store::ListContext context{**opened, store::Places(home), user};
    store::AppSettings s = context.settings();
    store::writeFolderRecord(s, 0, {tree, "Tree", "1", "0"});
    s.save(store::kNumPaths, "1");
    bench::applyColumns(s, columns);

    double best = 1e100;
    std::size_t lines = 0;
    for (int run = 0; run < repeat; ++run) {
        const auto start = std::chrono::steady_clock::now();
        generate::Scanner scanner(context);
        if (scanner.Scan(tree, "*.*", 0) != generate::ScanResult::Normal) {
            std::fprintf(stderr, "the scan of %s failed\n", tree.c_str());
            return 1;
        }
        generate::RemovableDiskState disk;
        if (!scanner.WriteCacheFile(0, disk).ok()) {
            return 1;
        }
        const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
        best = std::min(best, took.count());
        lines = scanner.lines().size();
    }
    std::printf("scan %.3f s, %zu lines\n", best, lines);
    fs::remove_all(home);
    return 0;
}
