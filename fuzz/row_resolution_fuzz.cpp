// Row resolution, in both programs: a row of the search program's own list
// and a duplicate row are turned back into the real path of their file.
// A row made from a folder and a name must lead back to exactly that folder
// and name; any text at all must give locations that are pieces of the
// text, and any row a path that never climbs out of the catalogued folder,
// even where a climbing path would find a file.

#include <cstdint>
#include <string>
#include <vector>

#include "common/file_io.h"
#include "common/interaction.h"
#include "common/names.h"
#include "fuzz/fuzz_input.h"
#include "quorfind/search/resolve_row.h"
#include "quorvane/dupes/row_resolution.h"
#include "quorvane/generate/cache_format.h"
#include "quorvane/store/folder_records.h"
#include "quorvane/store/settings_store.h"

namespace quor::fuzz {
namespace {

using generate::encodeCacheName;

// A name as a file system gives it (no "/" or NUL, never "." or ".."); with
// plain set, also without blanks, which the text form cannot tell apart
// from the columns.
std::string fileName(FuzzInput& in, bool plain) {
    std::string name;
    for (char c : in.text(24)) {
        if (c != '/' && c != '\0' && !(plain && (c == ' ' || c == '\r' || c == '\n'))) {
            name += c;
        }
    }
    if (name.empty() || name == "." || name == "..") {
        name = "x" + name;
    }
    return name;
}

// The column texts the list writers put after a name.
const char* const kColumns[] = {"",
                                "3.45MB",
                                "   1,024",
                                "123B  128k  3:39",
                                "01/02/24 10:11:12",
                                "2KB  01/02/24 10:11:12",
                                " ???k  ??:??"};

// Answers every question with Cancel and remembers the last one.
class CancellingUser final : public Interaction {
  public:
    std::string lastQuestion;
    void notice(std::string_view, std::string_view, Shown) override {}
    bool confirm(std::string_view, std::string_view) override { return false; }
    bool okOrCancel(std::string_view text, std::string_view) override {
        lastQuestion = text;
        return false;
    }
    bool retryOrCancel(std::string_view, std::string_view) override { return false; }
    void status(std::string_view) override {}
    void busy(bool) override {}
    bool keepResponsive() override { return false; }
    bool unattended() const override { return false; }
};

bool hasDotComponent(std::string_view path) {
    std::size_t start = 0;
    while (start <= path.size()) {
        const std::size_t slash = std::min(path.find('/', start), path.size());
        const std::string_view component = path.substr(start, slash - start);
        if (component == "." || component == "..") {
            return true;
        }
        start = slash + 1;
    }
    return false;
}

void checkTextLocations(std::string_view text) {
    for (const find::RowLocation& l : find::rowTextLocations(text)) {
        check(l.root.find('/') == std::string::npos, "a root name holds no slash");
        check(l.fileName.find('/') == std::string::npos, "a file name holds no slash");
        check(l.middle.empty() || l.middle.back() == '/', "the folders below end in a slash");
        check(text.starts_with(l.root + "/" + l.middle + l.fileName), "a location is the text");
    }
    // The file is not there (the catalogued folder does not exist), so the
    // user is asked for the disk of a folder below the catalogued one.
    find::OwnList list;
    list.folders.push_back({false, "/srv/music", "Music", {}});
    CancellingUser user;
    const std::string path = find::resolveRowText(text, list, user);
    check(!hasDotComponent(path), "a resolved path never climbs");
    if (!user.lastQuestion.empty() && text.starts_with("Music/")) {
        const std::string asked = user.lastQuestion.substr(find::kInsertDiskText.size());
        check(asked.starts_with("/srv/music/"), "the folder asked for is the catalogued one");
        check(!hasDotComponent(asked.substr(11)), "the folder stays below it");
    }
}

// A search row made from a folder and a name leads back to both, through
// the exact form and (names without blanks) through its text alone.
void checkSearchRow(FuzzInput& in) {
    const bool plain = in.flag();
    std::string folder = fileName(in, true) + "/";
    for (int depth = in.byte() % 4; depth > 0; --depth) {
        folder += fileName(in, plain) + "/";
    }
    const std::string name = fileName(in, plain);
    const std::string columns = kColumns[in.byte() % (sizeof kColumns / sizeof kColumns[0])];
    const find::SearchRow row = find::SearchRow::entry(folder, name, columns);
    const std::vector<find::RowLocation> exact = find::rowLocations(row);
    check(exact.size() == 1, "an own-list row has one location");
    check(exact[0].root + "/" + exact[0].middle == folder, "the location keeps the folder");
    check(exact[0].fileName == name, "the location keeps the name");
    checkTextLocations(row.text());
    if (plain) {
        bool found = false;
        for (const find::RowLocation& l : find::rowTextLocations(row.text())) {
            found = found || l == exact[0];
        }
        check(found, "the text of a row without blanks leads back to its file");
    }
}

// A catalogued folder that exists, "<scratch>/tree/music/" shown as
// "Music", with a file outside it that a climbing row would reach.
const find::OwnList& existingTree() {
    static const find::OwnList list = [] {
        const std::filesystem::path tree = scratchFolder() / "tree";
        std::filesystem::create_directories(tree / "music" / "a");
        for (const char* file : {"music/a/b.txt", "music/b.txt", "outside.txt", "music/a/a"}) {
            check(writeFileAtomically(tree / file, "x").ok(), "a file of the tree is written");
        }
        find::OwnList made;
        made.folders.push_back({false, (tree / "music").string(), "Music", {}});
        return made;
    }();
    return list;
}

// Pieces of folders and names that meet the files of the tree and climb.
std::string hostilePath(FuzzInput& in, int pieces) {
    static const char* const kPieces[] = {"a",           "b.txt", "..", ".", "/",
                                          "outside.txt", "music", "",   "x"};
    std::string out;
    for (; pieces > 0; --pieces) {
        const std::uint8_t b = in.byte();
        out += b == 255 ? std::string(1, '\0') : kPieces[b % (sizeof kPieces / sizeof kPieces[0])];
    }
    return out;
}

// A row of any folder and name below "Music" resolves to nothing or to a
// path below the catalogued folder, by its exact form and by its text.
void checkHostileRow(FuzzInput& in) {
    const find::OwnList& list = existingTree();
    const std::string root = list.folders[0].path + "/";
    std::string folder = "Music/" + hostilePath(in, in.byte() % 6);
    if (!folder.ends_with('/')) {
        folder += '/';
    }
    const std::string name = hostilePath(in, in.byte() % 4);
    const find::SearchRow row = find::SearchRow::entry(folder, name, in.flag() ? "1KB" : "");
    CancellingUser user;
    for (const std::string& path :
         {find::resolveRow(row, list, user), find::resolveRowText(row.text(), list, user)}) {
        check(path.empty() || (path.starts_with(root) && staysBelow(path.substr(root.size()))),
              "a resolved path stays below its record's folder");
    }
}

// The settings store of the duplicate rows, made once: record 0 is the
// folder "<scratch>/music/" shown as "Music".
store::ListContext& dupesContext() {
    static std::unique_ptr<store::SettingsStore> settings = [] {
        auto opened = store::SettingsStore::open(scratchFolder() / "settings.db");
        check(opened.ok(), "the settings store opens");
        return std::move(*opened);
    }();
    static CancellingUser user;
    static store::ListContext context{*settings, store::Places(scratchFolder()), user};
    static const bool configured = [] {
        store::AppSettings app = context.settings();
        store::writeFolderRecord(app, 0, {(scratchFolder() / "music").string(), "Music", "1", "0"});
        app.save(store::kNumPaths, "1");
        return true;
    }();
    (void)configured;
    return context;
}

void checkDuplicateRow(std::string_view storedName, const std::string* expectedPath) {
    store::ListContext& context = dupesContext();
    auto& user = static_cast<CancellingUser&>(context.user);
    user.lastQuestion.clear();
    const auto resolved = dupes::resolveRow(context, storedName);
    if (expectedPath != nullptr) {
        check(resolved.ok(), "a row of a catalogued folder resolves");
    }
    if (!resolved.ok()) {
        return;
    }
    // The file is never there, so the user is asked for the disk.
    const std::string root = (scratchFolder() / "music").string() + "/";
    const std::string asked = user.lastQuestion.substr(dupes::kInsertDisk.size());
    check(asked.starts_with(root), "the folder asked for is the catalogued one");
    check(!hasDotComponent(asked.substr(root.size())), "the folder stays below it");
    if (expectedPath != nullptr) {
        check(asked == *expectedPath, "the folder asked for is the row's folder");
    }
}

void checkDuplicateRows(FuzzInput& in) {
    if (in.flag()) {
        checkDuplicateRow(in.rest(), nullptr);
        return;
    }
    std::string stored = "Music/";
    std::string real = (scratchFolder() / "music").string() + "/";
    for (int depth = in.byte() % 4; depth > 0; --depth) {
        const std::string sub = fileName(in, false);
        stored += encodeCacheName(sub) + "/";
        real += sub + "/";
    }
    const std::string name = fileName(in, false);
    generate::FileLineColumns columns;
    if (in.flag()) {
        columns.size = "3.45MB";
    }
    if (in.flag()) {
        columns.pathAtEnd = stored;
    }
    stored += generate::fileLine(name, columns);
    checkDuplicateRow(stored, &real);
}

}  // namespace
}  // namespace quor::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace quor::fuzz;
    FuzzInput in(data, size);
    switch (in.byte() % 4) {
        case 0:
            checkTextLocations(in.rest());
            break;
        case 1:
            checkSearchRow(in);
            break;
        case 2:
            checkHostileRow(in);
            break;
        default:
            checkDuplicateRows(in);
            break;
    }
    return 0;
}
