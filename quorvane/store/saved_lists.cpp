#include "quorvane/store/saved_lists.h"

#include <array>
#include <exception>
#include <stdexcept>
#include <vector>

#include "common/file_io.h"
#include "quorvane/store/folder_records.h"
#include "quorvane/store/listing_claims.h"
#include "quorvane/store/saved_list_format.h"

namespace quor::store {

namespace fs = std::filesystem;

namespace {

// Turns a failed file operation into the run-time error of the operation.
void check(const Status& status) {
    if (!status) {
        throw std::runtime_error(status.error());
    }
}

void report(ListContext& context, std::string_view message, const std::exception& error,
            Shown shown) {
    context.ui.notice(message, error.what(), shown);
}

// A value that would break the one-value-per-line layout.
void checkOneLine(std::string_view key, const std::string& value) {
    if (value.find_first_of("\r\n") != std::string::npos) {
        throw std::runtime_error("The value of \"" + std::string(key) +
                                 "\" holds a line break and cannot be saved: " + value);
    }
}

std::string storedOrMissing(const AppSettings& settings, std::string_view section,
                            const SavedListLine& line) {
    std::string value = settings.contains(section, line.key) ? settings.get(section, line.key)
                                                             : valueWhenMissing(line);
    checkOneLine(line.key, value);
    return value;
}

std::string savedListText(const AppSettings& settings) {
    std::vector<std::string> values;
    for (const SavedListLine& line : kSettingsLines) {
        values.push_back(storedOrMissing(settings, kSettings, line));
    }
    // The count written is the number of records that follow, so that the
    // file reads back even when the store holds a negative count.
    const int count = numPaths(settings);
    values.front() = std::to_string(count);
    std::vector<std::array<std::string, 4>> records;
    for (int i = 0; i < count; ++i) {
        std::array<std::string, 4> record;
        for (std::size_t k = 0; k < kRecordLines.size(); ++k) {
            record[k] = storedOrMissing(settings, recordSection(i), kRecordLines[k]);
        }
        records.push_back(std::move(record));
    }
    return formatSavedList(values, records);
}

// Listings (folder cache files and their saved copies) are only ever
// replaced by rename, so a saved copy may share the cache file's storage;
// header and footer may be edited in place by hand, so theirs are copies.
void copyIfExists(const fs::path& source, const fs::path& target, CopyStorage storage,
                  FolderFlushes& flushes) {
    if (isRegularFile(source)) {
        check(copyFileAtomically(source, target, storage, flushes));
    }
}

// Makes target a copy of source, or removes it when there is no source.
void replaceOrRemove(const fs::path& source, const fs::path& target, FolderFlushes& flushes) {
    if (isRegularFile(source)) {
        check(copyFileAtomically(source, target, CopyStorage::Separate, flushes));
    } else {
        check(removeFileIfExists(target));
    }
}

}  // namespace

bool deletesavedlist(ListContext& context, std::string_view name) {
    try {
        const fs::path data = context.places.dataFolder();
        check(createFolders(data));
        const SavedListFiles files(data, name);
        if (!isRegularFile(files.listFile())) {
            return true;
        }
        Result<std::string> contents = readSavedListText(files.listFile());
        check(contents ? Status() : Status(Error{contents.error()}));
        const int count = listingCount(*contents);
        check(removeFileIfExists(files.listFile()));
        const ListingClaims others = ListingClaims::ofOtherLists(data, files.base());
        for (int i = 0; i < count; ++i) {
            if (!others.claimant(files.base(), i)) {
                check(removeFileIfExists(files.listingFile(i)));
            }
        }
        check(removeFileIfExists(files.headerCopy()));
        check(removeFileIfExists(files.footerCopy()));
    } catch (const std::exception& error) {
        report(context, "There was a problem saving the list! (deletesavedlist)", error,
               Shown::Always);
        return false;
    }
    return true;
}

bool deletecurrentlist(ListContext& context) {
    try {
        AppSettings settings = context.settings();
        const int count = numPaths(settings);
        // Cache files go first: a crash in between leaves records whose
        // folders are read again, never a listing under another's index.
        for (int i = 0; i < count; ++i) {
            check(removeFileIfExists(context.places.cacheFile(i)));
        }
        context.store.transaction([&] {
            for (int i = 0; i < count; ++i) {
                settings.removeSection(recordSection(i));
            }
            settings.save(kNumFiles, "0");
            settings.save(kNumPaths, "0");
            settings.save(kTotalSize, "");
            settings.save(kSavePath, "");
            settings.save(kPerformAction, "");
        });
    } catch (const std::exception& error) {
        report(context, "There was a problem opening the list! (deletecurrentlist)", error,
               Shown::InteractiveOnly);
        return false;
    }
    return true;
}

bool savelist(ListContext& context, std::string_view name) {
    if (name.empty()) {
        return true;
    }
    try {
        const fs::path data = context.places.dataFolder();
        const SavedListFiles files(data, name);
        AppSettings settings = context.settings();
        std::string text;
        int count = 0;
        context.store.transaction([&] {  // one consistent snapshot of the store
            text = savedListText(settings);
            count = numPaths(settings);
        });
        // Whatever is already as it would be written is left alone, and the
        // folder is flushed once for all the files replaced in it.
        FolderFlushes flushes;
        check(writeFileIfChanged(files.listFile(), text, flushes));
        const ListingClaims others = ListingClaims::ofOtherLists(data, files.base());
        std::vector<std::string> skipped;
        for (int i = 0; i < count; ++i) {
            if (auto owner = others.claimant(files.base(), i)) {
                skipped.push_back(files.listingFile(i).filename().string() + " (saved list " +
                                  *owner + ")");
                continue;
            }
            copyIfExists(context.places.cacheFile(i), files.listingFile(i), CopyStorage::Shared,
                         flushes);
        }
        copyIfExists(context.places.headerFile(), files.headerCopy(), CopyStorage::Separate,
                     flushes);
        copyIfExists(context.places.footerFile(), files.footerCopy(), CopyStorage::Separate,
                     flushes);
        check(flushes.flush());
        if (!skipped.empty()) {
            context.ui.notice(listingCollisionText(files.base(), skipped), kNoticeCaption,
                              Shown::Always);
        }
    } catch (const std::exception& error) {
        report(context, "There was a problem saving the list! (savelist)", error, Shown::Always);
        return false;
    }
    return true;
}

bool loadlist(ListContext& context, std::string_view name) {
    try {
        const fs::path data = context.places.dataFolder();
        const SavedListFiles files(data, name);
        Result<SavedList> list = readSavedListFile(data / std::string(name));
        if (!list) {
            throw std::runtime_error(list.error());
        }
        AppSettings settings = context.settings();
        context.store.transaction([&] {
            for (const SavedValue& value : list->settings) {
                settings.saveSetting(value.key, value.value);
            }
            for (std::size_t i = 0; i < list->records.size(); ++i) {
                for (const SavedValue& value : list->records[i]) {
                    settings.save(recordSection(static_cast<int>(i)), value.key, value.value);
                }
            }
        });
        const ListingClaims others = ListingClaims::ofOtherLists(data, files.base());
        FolderFlushes flushes;
        for (std::size_t i = 0; i < list->records.size(); ++i) {
            const int index = static_cast<int>(i);
            const fs::path listing = files.listingFile(index);
            if (isRegularFile(listing) && (!others.claimant(files.base(), index) ||
                                           listingDescribes(listing, list->records[i][2].value))) {
                check(copyFileAtomically(listing, context.places.cacheFile(index),
                                         CopyStorage::Shared, flushes));
            }
        }
        replaceOrRemove(files.headerCopy(), context.places.headerFile(), flushes);
        replaceOrRemove(files.footerCopy(), context.places.footerFile(), flushes);
        check(flushes.flush());
    } catch (const std::exception& error) {
        report(context, "There was a problem opening the list! (loadlist)", error,
               Shown::InteractiveOnly);
        return false;
    }
    return true;
}

}  // namespace quor::store
