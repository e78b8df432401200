#include "tests/robustness/unattended_build_fixture.h"

#include <sqlite3.h>

#include <random>

#include "common/file_io.h"
#include "quorvane/store/folder_records.h"
#include "quorvane/store/saved_list_format.h"
#include "quorvane/store/settings_store.h"

namespace quor::testing {

namespace fs = std::filesystem;

namespace {

constexpr std::time_t kSomeTime = 1700000000;

std::unique_ptr<store::SettingsStore> openStore(const fs::path& home) {
    auto opened = store::SettingsStore::open(home / "settings.db");
    if (!opened) {
        throw std::runtime_error(opened.error());
    }
    return std::move(*opened);
}

std::string mp3Contents(std::size_t size, bool fast) {
    std::string data = fast ? "\xFF\xFB\x90\x00" : "\xFF\xFB\x50\x00";  // 128k or 64k
    data.resize(size, '\x55');
    return data;
}

// Every regular file below folder, by its path relative to base.
void collect(const fs::path& folder, const fs::path& base, FileSet& out) {
    std::error_code error;
    if (!fs::is_directory(folder, error)) {
        return;
    }
    for (const fs::directory_entry& entry : fs::directory_iterator(folder, error)) {
        const std::string name = entry.path().filename().string();
        if (entry.is_regular_file() && !name.starts_with('.') && !name.starts_with("settings.db")) {
            const Result<std::string> contents = readFile(entry.path());
            out[fs::relative(entry.path(), base).string()] =
                contents ? *contents : std::string("<unreadable>");
        }
    }
}

void copyTree(const fs::path& from, const fs::path& to) {
    fs::remove_all(to);
    fs::create_directories(to);
    fs::copy(from, to, fs::copy_options::recursive | fs::copy_options::copy_symlinks);
}

}  // namespace

bool longTestsRequested() {
    const char* value = std::getenv("QUOR_LONG_TESTS");
    return value != nullptr && std::string_view(value) == "1";
}

UnattendedBuildTest::UnattendedBuildTest() : dataHome_("XDG_DATA_HOME", tree.path("xdg").string()) {
    fs::create_directories(tree.path("out"));
}

void UnattendedBuildTest::generateTree(int folders, int filesPerFolder, unsigned seed) {
    std::mt19937 random(seed);
    for (int f = 0; f < folders; ++f) {
        const std::string folder = "Music/" + std::string(f % 3 == 0 ? "Talks/" : "") + "Album " +
                                   std::to_string(f) + (f % 4 == 1 ? "/Disc 2" : "");
        for (int n = 0; n < filesPerFolder; ++n) {
            const std::size_t size = 100 + random() % 5000;
            const std::string name = folder + "/track " + std::to_string(n);
            if (n % 3 == 0) {
                tree.file(name + ".mp3", mp3Contents(size, n % 2 == 0), kSomeTime + n);
            } else {
                tree.file(name + (n % 3 == 1 ? ".ogg" : ".txt"), std::string(size, 'x'),
                          kSomeTime + n);
            }
        }
    }
}

void UnattendedBuildTest::changeTree() {
    tree.file("Music/Album 1/added later.mp3", mp3Contents(9000, true), kSomeTime);
    tree.file("Music/Talks/Album 0/track 1.ogg", std::string(70000, 'y'), kSomeTime);
    fs::remove(tree.path("Music/Album 2/track 2.txt"));
    tree.file("Music/New Folder/new.txt", "new", kSomeTime);
}

void UnattendedBuildTest::configure() {
    auto settings = openStore(home());
    store::AppSettings app(*settings, store::kQuorvane);
    store::writeFolderRecord(app, 0, {music().string(), "Music", "1", "0"});
    store::writeFolderRecord(app, 1, {(music() / "Talks").string(), "Talks", "1", "0"});
    app.save(store::kNumPaths, "2");
    app.saveSetting("SavePath", output().string());
    app.saveSetting("ShowHeader", "0");
    app.saveSetting("ShowSummary", "0");
    app.saveSetting("IncludeFileSize", "2");
    app.saveSetting("IncludeFileDate", "1");
    app.saveSetting("IncludeMP3Info", "1");
    app.saveSetting("IncludeSongLength", "1");
}

void UnattendedBuildTest::setSetting(const std::string& key, const std::string& value) {
    auto settings = openStore(home());
    store::AppSettings(*settings, store::kQuorvane).saveSetting(key, value);
}

std::string UnattendedBuildTest::setting(const std::string& key) {
    auto settings = openStore(home());
    return store::AppSettings(*settings, store::kQuorvane).setting(key, "<missing>");
}

std::vector<std::string> UnattendedBuildTest::quorvane(
    const std::vector<std::string>& arguments) const {
    std::vector<std::string> argv{QUORVANE_BINARY, "auto"};
    argv.insert(argv.end(), arguments.begin(), arguments.end());
    return argv;
}

ChildOutcome UnattendedBuildTest::build(const std::vector<std::string>& arguments,
                                        const ChildOptions& options) {
    return runChild(quorvane(arguments), options);
}

FileSet UnattendedBuildTest::ownedFiles() const {
    FileSet files;
    files["out/list.txt"] = tree.read("out/list.txt");
    collect(home(), root(), files);
    collect(home() / "data", root(), files);
    for (const char* cache : {"home/0.txt", "home/1.txt"}) {
        files.emplace(cache, "<missing>");
    }
    return files;
}

void UnattendedBuildTest::keep(const std::string& name) {
    copyTree(home(), tree.path("kept/" + name + "/home"));
    copyTree(tree.path("out"), tree.path("kept/" + name + "/out"));
}

void UnattendedBuildTest::restore(const std::string& name) {
    copyTree(tree.path("kept/" + name + "/home"), home());
    copyTree(tree.path("kept/" + name + "/out"), tree.path("out"));
}

FileSet UnattendedBuildTest::acceptingMixedLists(FileSet files, const FileSet& before,
                                                 const FileSet& after) {
    const std::string list = files["out/list.txt"];
    const std::string oldList = before.at("out/list.txt");
    const std::string newList = after.at("out/list.txt");
    bool madeOfKnownLines = list.ends_with("\r\n");
    for (std::size_t start = 0; madeOfKnownLines && start < list.size();) {
        const std::size_t end = list.find("\r\n", start) + 2;
        const std::string_view line = std::string_view(list).substr(start, end - start);
        madeOfKnownLines =
            (start == 0 || list[start - 1] == '\n') &&
            (oldList.find(line) != std::string::npos || newList.find(line) != std::string::npos);
        start = end;
    }
    if (madeOfKnownLines) {
        files["out/list.txt"] = newList;
    }
    const Result<store::SavedList> saved = store::parseSavedList(files["home/data/list.lst"]);
    const Result<store::SavedList> wanted = store::parseSavedList(after.at("home/data/list.lst"));
    if (saved && wanted && saved->records.size() == wanted->records.size()) {
        bool same = true;
        for (std::size_t i = 0; i < saved->records.size(); ++i) {
            for (std::size_t k = 0; k < 4; ++k) {
                same = same && saved->records[i][k].value == wanted->records[i][k].value;
            }
        }
        if (same) {
            files["home/data/list.lst"] = after.at("home/data/list.lst");
        }
    }
    return files;
}

void UnattendedBuildTest::buildBeforeAndAfter(int folders, int filesPerFolder, unsigned seed) {
    generateTree(folders, filesPerFolder, seed);
    configure();
    const ChildOutcome first = build();
    ASSERT_EQ(first.exitCode, 0) << first.output;
    // A header edited by hand since: the saved list takes a copy of it.
    tree.file("home/header.txt", "A header of my own\r\n");
    before = ownedFiles();
    changeTree();
    keep("before");
    learnNewVersions();
}

void UnattendedBuildTest::learnNewVersions(const std::vector<std::string>& arguments) {
    restore("before");
    const ChildOutcome outcome = build(arguments);
    ASSERT_EQ(outcome.exitCode, 0) << outcome.output;
    after = ownedFiles();
    ASSERT_NE(after, before);
    restore("before");
}

std::string UnattendedBuildTest::storeProblem() {
    sqlite3* db = nullptr;
    const fs::path file = home() / "settings.db";
    if (sqlite3_open_v2(file.c_str(), &db, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK) {
        sqlite3_close(db);
        return "the settings store does not open";
    }
    std::string check;
    sqlite3_exec(
        db, "PRAGMA integrity_check",
        [](void* out, int, char** values, char**) {
            *static_cast<std::string*>(out) += values[0] != nullptr ? values[0] : "";
            return 0;
        },
        &check, nullptr);
    sqlite3_close(db);
    if (check != "ok") {
        return "the settings store fails its integrity check: " + check;
    }
    try {
        auto settings = openStore(home());
        store::AppSettings app(*settings, store::kQuorvane);
        const int count = store::numPaths(app);
        for (int i = 0; i < count; ++i) {
            for (std::string_view key :
                 {store::kPath, store::kPathname, store::kUpdate, store::kCdrom}) {
                if (!app.contains(store::recordSection(i), key)) {
                    return "record " + std::to_string(i) + " lacks " + std::string(key);
                }
            }
        }
        if (app.contains(store::recordSection(count), store::kPath)) {
            return "a record lies beyond NumPaths";
        }
    } catch (const std::exception& error) {
        return error.what();
    }
    return {};
}

std::string filesNotOldOrNew(const FileSet& before, const FileSet& after, const FileSet& now,
                             bool missingAllowed) {
    std::string problems;
    auto known = [](const FileSet& set, const std::string& path) {
        const auto found = set.find(path);
        return found == set.end() ? std::string("<missing>") : found->second;
    };
    for (const auto& [path, contents] : now) {
        if (contents == known(before, path) || contents == known(after, path) ||
            (missingAllowed && contents == "<missing>")) {
            continue;
        }
        problems += path + " is neither the previous nor the new version (" +
                    std::to_string(contents.size()) + " bytes)\n";
    }
    return problems;
}

}  // namespace quor::testing
