// Folder cache files: a listing made of the fuzzer's names is written as the
// scanner writes it, read back by every reader (list writers, duplicate
// finder, own-list search) and must give the same records; the fuzzer's raw
// bytes read as a cache file must not upset any reader either.

#include <cstdint>
#include <string>
#include <vector>

#include "common/file_io.h"
#include "fuzz/fuzz_input.h"
#include "quorfind/search/own_list_search.h"
#include "quorvane/dupes/catalogue_reader.h"
#include "quorvane/dupes/stored_name.h"
#include "quorvane/generate/cache_format.h"
#include "quorvane/generate/cache_reader.h"
#include "quorvane/store/saved_list_format.h"

namespace quor::fuzz {
namespace {

using namespace quor::generate;

// One line as the scanner meant it.
struct Record {
    CacheLineKind kind;
    std::string name;     // file name, or the decoded display path of a heading
    std::string columns;  // the column texts joined by blanks (file lines)
    std::string path;     // the path at the end (file lines), decoded
    std::string folder;   // the decoded heading the file line is under
};

// A file name as a file system can give it: no "/" and no NUL, not empty.
std::string fileName(FuzzInput& in) {
    std::string name;
    for (char c : in.text(40)) {
        if (c != '/' && c != '\0') {
            name += c;
        }
    }
    return name.empty() ? std::string("x") : name;
}

const char* const kSizes[] = {"", "0", "1,024", "3.45MB", "123B", "1GB"};
const char* const kMp3s[] = {" 128k  3:39 ", " ???k ", " ??:?? ", " 64k "};
const char* const kDates[] = {"01/02/24 10:11:12", "2024-02-01 10:11:12", "", "x"};

struct Listing {
    std::string text;
    std::vector<Record> records;
};

Listing makeListing(FuzzInput& in) {
    Listing out;
    const std::string displayName(in.text(24));
    std::string decodedRoot = displayName;
    std::string storedRoot = storedDisplayName(displayName);
    if (storedRoot.empty() || storedRoot.back() != '/') {
        storedRoot += '/';
        decodedRoot += '/';
    }
    out.text = totalLine(static_cast<double>(in.byte()) * 1000) + "\r\n";
    std::string storedFolder = storedRoot;
    std::string decodedFolder = decodedRoot;
    bool headed = false;
    while (!in.empty() && out.records.size() < 64) {
        const std::uint8_t op = in.byte();
        if (op % 4 == 0 || !headed) {
            if (op % 8 == 0) {
                storedFolder = storedRoot;
                decodedFolder = decodedRoot;
            }
            const std::string below = fileName(in);
            storedFolder += encodeCacheName(below) + "/";
            decodedFolder += below + "/";
            out.text += folderHeadingLine(storedFolder) + "\r\n";
            out.records.push_back({CacheLineKind::FolderHeading, decodedFolder, "", "", ""});
            headed = true;
            continue;
        }
        const std::string name = fileName(in);
        FileLineColumns columns;
        std::vector<std::string> shown;
        if (op & 0x10) {
            columns.size = kSizes[in.byte() % 6];
        }
        if (op & 0x20) {
            columns.mp3 = kMp3s[in.byte() % 4];
        }
        if (op & 0x40) {
            columns.date = kDates[in.byte() % 4];
        }
        if (op & 0x80) {
            columns.pathAtEnd = storedFolder;
        }
        out.text += fileLine(name, columns) + "\r\n";
        out.records.push_back({CacheLineKind::FileOrTotal, name, "",
                               columns.pathAtEnd ? decodedFolder : "", decodedFolder});
    }
    return out;
}

void checkListReader(const Listing& listing) {
    const std::filesystem::path file = scratchFolder() / "0.txt";
    check(writeFileAtomically(file, listing.text).ok(), "the cache file is written");
    const Result<std::vector<std::string>> lines = readCacheLines(file);
    check(lines.ok(), "the cache file is read");
    check(lines->size() == listing.records.size() + 1, "one line per record and the total");
    check(totalOf((*lines)[0]) >= 0, "the total reads as a count");
    for (std::size_t i = 0; i < listing.records.size(); ++i) {
        const Record& r = listing.records[i];
        const std::string& line = (*lines)[i + 1];
        check(cacheLineKind(line) == r.kind, "every line keeps its kind");
        if (r.kind == CacheLineKind::FolderHeading) {
            check(decodeDisplayPath(line.substr(1)) == r.name, "a heading decodes to its path");
            continue;
        }
        const DecodedFileLine decoded = decodeFileLine(line);
        check(decoded.name == r.name, "a file line decodes to its name");
        check(decoded.hasPathMarker == !r.path.empty(), "the path marker is where a path is");
        // The list writers put the filler back, so blanks that begin the
        // display name may be counted with it.
        check((decoded.pathFiller + decoded.path).ends_with(r.path) &&
                  decoded.path.size() + decoded.pathFiller.size() >= r.path.size(),
              "the path at the end decodes to the folder");
    }
}

void checkDuplicateReader(const Listing& listing) {
    dupes::EntryStore entries;
    dupes::addCacheFileEntries(listing.text, entries);
    std::size_t entry = 0;
    for (const Record& r : listing.records) {
        if (r.kind != CacheLineKind::FileOrTotal) {
            continue;
        }
        check(entry < entries.size(), "every file line is an entry");
        const std::string_view stored = entries.storedName(entry++);
        const dupes::StoredNameParts parts = dupes::splitStoredName(stored);
        check(decodeDisplayPath(parts.folderText) == r.folder, "an entry knows its folder");
        check(dupes::fileNameOfLine(parts.cacheLine) == r.name, "an entry knows its name");
        const std::string shown = dupes::displayForm(stored);
        check(shown.find_first_of("\r\n") == std::string::npos, "a duplicate row is one line");
    }
    check(entry == entries.size(), "no entry without a file line");
}

void checkOwnListSearch(const Listing& listing) {
    find::RowList rows;
    find::searchListing(listing.text, find::TextMatcher(""), false, rows);
    std::size_t row = 0;
    for (const Record& r : listing.records) {
        if (r.kind != CacheLineKind::FileOrTotal) {
            continue;
        }
        check(row < rows.size(), "every file line is a row of an empty search");
        check(rows[row].name() == r.name, "a row knows its file's name");
        check(rows[row].folder() == r.folder, "a row knows its folder");
        check(rows[row].text().find_first_of("\r\n") == std::string::npos, "a row is one line");
        ++row;
    }
    check(row == rows.size(), "no row without a file line");
}

// Any bytes at all, read as a cache file.
void readRawBytes(std::string_view bytes) {
    for (std::string_view line : store::splitLines(bytes)) {
        (void)decodeFileLine(line);
        (void)cacheLineKind(line);
    }
    dupes::EntryStore entries;
    dupes::addCacheFileEntries(bytes, entries);
    for (std::size_t i = 0; i < entries.size(); ++i) {
        (void)dupes::displayForm(entries.storedName(i));
    }
    find::RowList rows;
    const long long added = find::searchListing(bytes, find::TextMatcher("a"), true, rows);
    check(added == static_cast<long long>(rows.size()), "the count is the rows added");
    for (const find::SearchRow& row : rows) {
        check(row.name().find('\n') == std::string::npos ||
                  row.text().find('\n') == std::string::npos,
              "a name's line break is not shown as one");
    }
}

}  // namespace
}  // namespace quor::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace quor::fuzz;
    FuzzInput in(data, size);
    if (in.byte() % 2 == 0) {
        readRawBytes(in.rest());
        return 0;
    }
    const Listing listing = makeListing(in);
    checkListReader(listing);
    checkDuplicateReader(listing);
    checkOwnListSearch(listing);
    return 0;
}
