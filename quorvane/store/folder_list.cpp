#include "quorvane/store/folder_list.h"

#include <algorithm>
#include <exception>
#include <string>

#include "common/file_io.h"
#include "quorvane/store/folder_records.h"

namespace quor::store {

namespace fs = std::filesystem;

std::optional<int> addFolder(ListContext& context, std::string_view chosenPath) {
    if (chosenPath.empty()) {
        return std::nullopt;
    }
    AppSettings settings = context.settings();
    std::optional<int> added;
    context.store.transaction([&] {
        for (const std::string& row : folderListRows(settings)) {
            if (row == chosenPath) {
                return;
            }
        }
        const int n = numPaths(settings);
        const std::string path(chosenPath);
        writeFolderRecord(settings, n, {path, path, "1", "0"});
        settings.save(kNumPaths, std::to_string(n + 1));
        added = n;
    });
    if (!added) {
        context.user.notice("That folder has already been added!");
    }
    return added;
}

namespace {

// Moves the cache file of record from to the name of record to. A file that
// cannot be renamed is deleted, so that no listing stays under the index of
// another folder; the failure text is returned for the message.
std::optional<std::string> shiftCacheFile(const Places& places, int from, int to) {
    const fs::path source = places.cacheFile(from);
    if (!isRegularFile(source)) {
        return std::nullopt;
    }
    Status moved = renameFile(source, places.cacheFile(to));
    if (moved) {
        return std::nullopt;
    }
    std::string problem = moved.error();
    if (Status removed = removeFileIfExists(source); !removed) {
        problem += "\n" + removed.error();
    } else {
        problem += "\nThe listing of that folder was removed; it is read again at the next build.";
    }
    return problem;
}

}  // namespace

bool removeFolder(ListContext& context, std::optional<int> selected) {
    if (!selected) {
        context.user.notice("You must first select a folder to remove!");
        return false;
    }
    AppSettings settings = context.settings();
    const int k = *selected;
    std::string problem;
    try {
        const int last = numPaths(settings) - 1;
        if (k < 0 || k > last) {
            return false;
        }
        const std::string row = settings.get(recordSection(k), kPath);
        if (!context.user.confirmDestructive("Are you sure you want to remove the folder: \n" +
                                             row + "\nfrom your list?")) {
            return false;
        }
        (void)removeFileIfExists(context.places.cacheFile(k));  // a failure here is ignored
        context.store.transaction([&] {
            for (int i = k; i < last; ++i) {
                writeFolderRecord(settings, i, readFolderRecord(settings, i + 1));
            }
            settings.removeSection(recordSection(last));
            settings.save(kNumPaths, std::to_string(last));
        });
        for (int i = k; i < last; ++i) {
            if (auto failed = shiftCacheFile(context.places, i + 1, i)) {
                problem += (problem.empty() ? "" : "\n") + *failed;
            }
        }
        // The removed folder's listing must not stay behind under the index
        // a later Add Folder will use.
        if (k == last && isRegularFile(context.places.cacheFile(k))) {
            Status removed = removeFileIfExists(context.places.cacheFile(k));
            if (!removed) {
                problem = removed.error();
            }
        }
    } catch (const StoreError& error) {
        problem = error.what();
    }
    if (!problem.empty()) {
        const std::string cause = problem.substr(0, problem.find('\n'));
        context.user.notice("There was a problem reordering the folders!\n" + problem, cause);
    }
    return true;
}

namespace {

// Swaps records upper and upper + 1 with their cache files. Errors while
// renaming the files are ignored, as the three renames through the
// temporary name leave every file whole.
void swapRecords(ListContext& context, int upper) {
    AppSettings settings = context.settings();
    const int lower = upper + 1;
    context.store.transaction([&] {
        const FolderRecord a = readFolderRecord(settings, upper);
        const FolderRecord b = readFolderRecord(settings, lower);
        writeFolderRecord(settings, upper, b);
        writeFolderRecord(settings, lower, a);
    });
}

void renameIfExists(const fs::path& from, const fs::path& to) {
    if (isRegularFile(from)) {
        (void)renameFile(from, to);
    }
}

bool moveSelected(ListContext& context, std::optional<int> selected, int direction) {
    if (!selected) {
        context.user.notice("You must first select a folder to move it!");
        return false;
    }
    const int k = *selected;
    try {
        const int count = numPaths(context.settings());
        const int other = k + direction;
        if (k < 0 || k >= count || other < 0 || other >= count) {
            return false;
        }
        swapRecords(context, std::min(k, other));
        // The other record's file goes to the temporary name, this one's to
        // the other index, the temporary file to this index.
        const Places& places = context.places;
        const fs::path temporary = places.programFolder() / (std::to_string(other) + "_temp.txt");
        renameIfExists(places.cacheFile(other), temporary);
        renameIfExists(places.cacheFile(k), places.cacheFile(other));
        renameIfExists(temporary, places.cacheFile(k));
    } catch (const StoreError& error) {
        context.user.notice("There was a problem reordering the folders!", error.what());
        return false;
    }
    return true;
}

}  // namespace

bool moveFolderUp(ListContext& context, std::optional<int> selected) {
    return moveSelected(context, selected, -1);
}

bool moveFolderDown(ListContext& context, std::optional<int> selected) {
    return moveSelected(context, selected, +1);
}

bool checkFolderSelected(ListContext& context, std::optional<int> selected) {
    if (!selected) {
        context.user.notice("You must select a folder first!");
        return false;
    }
    return true;
}

}  // namespace quor::store
