// dupes_generate COUNT [SEED]     writes COUNT generated stored names
// dupes_generate --from-paths     turns the paths on standard input (one a
//                                 line) into stored names
//
// The generated catalogue looks like a music and document collection:
// artists, albums, numbered tracks, and a share of near-duplicates (the
// same title under a changed case, other separators, a copy marker, another
// track number or extension), each line formed as the catalogue reader
// forms a stored name: folder text, then the cache line with its size
// column.

#include <iostream>
#include <random>
#include <string>
#include <vector>

#include "quorvane/generate/cache_format.h"

namespace {

class Generator {
  public:
    explicit Generator(unsigned seed) : random_(seed) {}

    std::string word() {
        static const char* const kOnsets[] = {
            "b", "c", "d", "f", "g",  "h",  "j",  "k",  "l",  "m",  "n",  "p",  "r", "s",
            "t", "v", "w", "z", "st", "br", "ch", "sh", "tr", "gr", "pl", "qu", "x", "y"};
        static const char* const kVowels[] = {"a", "e", "i", "o", "u", "ee", "ou", "ai", "y"};
        std::string w;
        for (int s = pick(1, 3); s > 0; --s) {
            w += kOnsets[pick(0, 27)];
            w += kVowels[pick(0, 8)];
            if (pick(0, 3) == 0) {
                w += kOnsets[pick(0, 17)];
            }
        }
        w[0] = static_cast<char>(w[0] - 'a' + 'A');
        return w;
    }

    std::string words(int low, int high) {
        std::string text = word();
        for (int n = pick(low, high) - 1; n > 0; --n) {
            text += ' ' + word();
        }
        return text;
    }

    int pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random_); }

    std::string variant(std::string name) {
        switch (pick(0, 5)) {
            case 0:  // case
                for (char& c : name) {
                    if (pick(0, 2) == 0) {
                        c = static_cast<char>(c >= 'a' && c <= 'z' ? c - 32 : c);
                    }
                }
                return name;
            case 1:  // separators
                for (char& c : name) {
                    if (c == ' ') {
                        c = pick(0, 1) ? '_' : '-';
                    }
                }
                return name;
            case 2:  // a copy marker
                return name.insert(name.rfind('.'), " (1)");
            case 3:  // another track number
                if (name.size() > 2 && name[0] >= '0' && name[0] <= '9') {
                    name[1] = static_cast<char>('0' + pick(0, 9));
                }
                return name;
            case 4:  // another extension
                return name.substr(0, name.rfind('.')) + (pick(0, 1) ? ".MP3" : ".ogg");
            default:  // a letter dropped
                return name.erase(
                    static_cast<std::size_t>(pick(0, static_cast<int>(name.size()) - 5)), 1);
        }
    }

  private:
    std::mt19937_64 random_;
};

std::string cacheLine(const std::string& name, long size) {
    std::string line = quor::generate::encodeCacheName(name);
    line += '*';
    if (name.size() <= 64) {
        line.append(65 - name.size(), ' ');
    } else {
        line += ' ';
    }
    std::string column = std::to_string(size / 1024) + "KB";
    if (column.size() < 9) {
        column.insert(0, 9 - column.size(), ' ');
    }
    return line + column;
}

void generate(long count, unsigned seed) {
    Generator g(seed);
    std::vector<std::string> recent;
    std::string folder;
    int left = 0;
    for (long i = 0; i < count; ++i) {
        if (left-- <= 0) {
            folder = "Music/" + g.words(1, 2) + "/" + g.words(1, 3) + "/";
            left = g.pick(5, 20);
        }
        std::string name;
        if (!recent.empty() && g.pick(0, 9) == 0) {
            name = g.variant(
                recent[static_cast<std::size_t>(g.pick(0, static_cast<int>(recent.size()) - 1))]);
        } else {
            switch (g.pick(0, 3)) {
                case 0:
                    name = (left < 10 ? "0" : "") + std::to_string(left) + " - " + g.words(1, 4) +
                           ".mp3";
                    break;
                case 1:
                    name = g.words(1, 2) + " - " + g.words(1, 4) + ".mp3";
                    break;
                case 2:
                    name = "Track " + std::to_string(g.pick(1, 30)) + ".mp3";
                    break;
                default:
                    name = g.words(1, 3) + (g.pick(0, 1) ? ".pdf" : ".jpg");
            }
            recent.push_back(name);
            if (recent.size() > 500) {
                recent.erase(recent.begin());
            }
        }
        std::cout << folder << cacheLine(name, g.pick(1000, 9000000)) << '\n';
    }
}

void fromPaths() {
    std::string path;
    while (std::getline(std::cin, path)) {
        const std::size_t slash = path.rfind('/');
        const std::string folder = path.substr(0, slash + 1);
        const std::string name = path.substr(slash + 1);
        std::cout << quor::generate::encodeCacheName(folder.size() > 1 ? folder.substr(1) : folder)
                  << cacheLine(name, 4096) << '\n';
    }
}

}  // namespace

int main(int argc, char** argv) {
    std::ios::sync_with_stdio(false);
    if (argc == 2 && std::string(argv[1]) == "--from-paths") {
        fromPaths();
        return 0;
    }
    if (argc < 2 || argc > 3) {
        std::cerr << "usage: dupes_generate COUNT [SEED] | dupes_generate --from-paths\n";
        return 2;
    }
    const long count = std::strtol(argv[1], nullptr, 10);
    generate(count, argc == 3 ? static_cast<unsigned>(std::strtoul(argv[2], nullptr, 10)) : 1U);
    return 0;
}
