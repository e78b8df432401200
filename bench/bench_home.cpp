// Prepares a program folder for timing whole `quorvane auto` runs and
// `quorfind --search` (bench/speed_table.sh): opens or creates
// HOME/settings.db and sets what the options ask for.
//
//   bench_home HOME [--tree TREE] [--columns size,date,mp3,length] [--big]
//              [--own-list NAME]
//
//   --tree      one folder record for TREE, updated on every build
//   --columns   the file columns (each one named is on, the others off)
//   --big       one big sorted numbered list
//   --own-list  quorfind's own list is the saved list NAME (data/NAME.lst)
// The list is written to HOME/list.out, without header or footer.

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "bench/bench_columns.h"
#include "quorfind/settings.h"
#include "quorvane/store/folder_records.h"
#include "quorvane/store/settings_store.h"

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr,
                     "usage: bench_home HOME [--tree TREE] [--columns C] [--big] "
                     "[--own-list NAME]\n");
        return 2;
    }
    const std::filesystem::path home = argv[1];
    std::filesystem::create_directories(home);
    auto opened = quor::store::SettingsStore::open(home / "settings.db");
    if (!opened) {
        std::fprintf(stderr, "%s\n", opened.error().c_str());
        return 1;
    }
    quor::store::AppSettings settings(**opened, quor::store::kQuorvane);
    settings.saveSetting("SavePath", (home / "list.out").string());
    settings.saveSetting("ShowHeader", "0");
    settings.saveSetting("ShowFooter", "0");
    const std::vector<std::string> options(argv + 2, argv + argc);
    for (std::size_t i = 0; i < options.size(); ++i) {
        const bool hasValue = i + 1 < options.size();
        if (options[i] == "--tree" && hasValue) {
            quor::store::writeFolderRecord(settings, 0, {options[++i], "Bench", "1", "0"});
            settings.save(quor::store::kNumPaths, "1");
        } else if (options[i] == "--columns" && hasValue) {
            quor::bench::applyColumns(settings, options[++i]);
        } else if (options[i] == "--big") {
            settings.saveSetting("BigList", "True");
            settings.saveSetting("IncludeFileNums", "1");
        } else if (options[i] == "--own-list" && hasValue) {
            quor::find::FindSettings find(**opened);
            find.app().save(quor::find::kLocalList, "/bench/" + options[++i] + ".txt");
        } else {
            std::fprintf(stderr, "bench_home: unknown option %s\n", options[i].c_str());
            return 2;
        }
    }
    return 0;
}
