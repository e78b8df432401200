// Lays out a program folder for timing list builds: a settings store with
// folder records and their cache files holding the requested number of file
// lines (size and date columns, 50 files a folder), plus lines.txt with the
// same file lines as a list shows them, for comparing with sort(1).
//
//   build_generate_cache HOME [file lines, default 1000000]

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>

#include "common/file_io.h"
#include "quorvane/store/folder_records.h"
#include "quorvane/store/settings_store.h"

namespace {

const char* const kWords[] = {"Blue",   "Night", "river", "Échos", "Stone",  "dance", "Golden",
                              "road",   "Fire",  "Ocean", "quiet", "Storm",  "Light", "heart",
                              "Winter", "Ghost", "city",  "Dream", "Zürich", "metal"};

std::string word(std::mt19937& random) {
    return kWords[random() % (sizeof kWords / sizeof kWords[0])];
}

std::string fileName(std::mt19937& random, long n) {
    return word(random) + " " + word(random) + " - " + word(random) + " " + word(random) + " " +
           std::to_string(n) + ".mp3";
}

std::string padded(std::string text, std::size_t width) {
    while (text.size() < width) {
        text.insert(text.begin(), ' ');
    }
    return text;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: build_generate_cache HOME [file lines]\n");
        return 2;
    }
    const std::filesystem::path home = argv[1];
    const long total = argc > 2 ? std::atol(argv[2]) : 1000000;
    const int records = 10;
    const int perFolder = 50;
    std::filesystem::create_directories(home);
    auto opened = quor::store::SettingsStore::open(home / "settings.db");
    if (!opened) {
        std::fprintf(stderr, "%s\n", opened.error().c_str());
        return 1;
    }
    quor::store::AppSettings settings(**opened, quor::store::kQuorvane);
    std::mt19937 random(42);
    std::string shown;
    long n = 0;
    for (int r = 0; r < records; ++r) {
        const std::string display = "Collection " + std::to_string(r);
        quor::store::writeFolderRecord(settings, r,
                                       {"/srv/music/" + std::to_string(r), display, "0", "0"});
        std::string body;
        double bytes = 0;
        const long mine = total / records + (r < total % records ? 1 : 0);
        for (long k = 0; k < mine; ++k, ++n) {
            if (k % perFolder == 0) {
                body += "*" + display + "/" + word(random) + " " + std::to_string(k) + "/\r\n";
            }
            const std::string name = fileName(random, n);
            const long size = static_cast<long>(random() % 9000000);
            bytes += static_cast<double>(size);
            const std::string columns = padded(std::to_string(size / 1024) + "KB", 9) +
                                        " 12/06/26 21:14:0" + std::to_string(k % 10);
            const std::string gap(name.size() < 65 ? 65 - name.size() : 1, ' ');
            body += name + "*" + gap + columns + "\r\n";
            shown += name + gap + columns + "\n";
        }
        const std::string file = std::to_string(static_cast<long long>(bytes)) + "\r\n" + body;
        if (!quor::writeFileAtomically(home / (std::to_string(r) + ".txt"), file)) {
            return 1;
        }
    }
    settings.save(quor::store::kNumPaths, std::to_string(records));
    if (!quor::writeFileAtomically(home / "lines.txt", shown)) {
        return 1;
    }
    std::printf("%ld file lines in %d cache files under %s\n", n, records, home.c_str());
    return 0;
}
