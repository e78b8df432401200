#include "quorvane/store/saved_lists.h"

#include <array>
#include <functional>
#include <initializer_list>
#include <vector>

#include "common/file_io.h"
#include "quorvane/store/folder_records.h"
#include "quorvane/store/listing_claims.h"
#include "quorvane/store/operation_failure.h"
#include "quorvane/store/saved_list_format.h"

namespace quor::store {

namespace fs = std::filesystem;

namespace {

// A value that would break the one-value-per-line layout.
Status checkOneLine(std::string_view key, const std::string& value) {
    if (value.find_first_of("\r\n") != std::string::npos) {
        return Error{"The value of \"" + std::string(key) +
                     "\" holds a line break and cannot be saved: " + value};
    }
    return Status::success();
}

Result<std::string> storedOrMissing(const AppSettings& settings, std::string_view section,
                                    const SavedListLine& line) {
    std::string value = settings.contains(section, line.key) ? settings.get(section, line.key)
                                                             : valueWhenMissing(line);
    if (Status checked = checkOneLine(line.key, value); !checked) {
        return Error{checked.error()};
    }
    return value;
}

// The values of lines, read from one section, in the order of lines.
template <class Lines, class Values>
Status readLines(const AppSettings& settings, std::string_view section, const Lines& lines,
                 Values& values) {
    for (std::size_t k = 0; k < lines.size(); ++k) {
        Result<std::string> value = storedOrMissing(settings, section, lines[k]);
        if (!value) {
            return Error{value.error()};
        }
        values[k] = std::move(*value);
    }
    return Status::success();
}

Result<std::string> savedListText(const AppSettings& settings) {
    std::vector<std::string> values(kSettingsLines.size());
    if (Status read = readLines(settings, kSettings, kSettingsLines, values); !read) {
        return Error{read.error()};
    }
    // The count written is the number of records that follow, so that the
    // file reads back even when the store holds a negative count.
    const int count = numPaths(settings);
    values.front() = std::to_string(count);
    std::vector<std::array<std::string, 4>> records(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        Status read = readLines(settings, recordSection(i), kRecordLines,
                                records[static_cast<std::size_t>(i)]);
        if (!read) {
            return Error{read.error()};
        }
    }
    return formatSavedList(values, records);
}

// Listings (folder cache files and their saved copies) are only ever
// replaced by rename, so a saved copy may share the cache file's storage;
// header and footer may be edited in place by hand, so theirs are copies.
Status copyIfExists(const fs::path& source, const fs::path& target, CopyStorage storage,
                    FolderFlushes& flushes) {
    if (isRegularFile(source)) {
        return copyFileAtomically(source, target, storage, flushes);
    }
    return Status::success();
}

// Makes target a copy of source, or removes it when there is no source.
Status replaceOrRemove(const fs::path& source, const fs::path& target, FolderFlushes& flushes) {
    if (isRegularFile(source)) {
        return copyFileAtomically(source, target, CopyStorage::Separate, flushes);
    }
    return removeFileIfExists(target);
}

Status deleteSavedListFiles(ListContext& context, std::string_view name) {
    const fs::path data = context.places.dataFolder();
    if (Status made = createFolders(data); !made) {
        return made;
    }
    const SavedListFiles files(data, name);
    if (!isRegularFile(files.listFile())) {
        return Status::success();
    }
    Result<std::string> contents = readSavedListText(files.listFile());
    if (!contents) {
        return Error{contents.error()};
    }
    const int count = listingCount(*contents);
    if (Status removed = removeFileIfExists(files.listFile()); !removed) {
        return removed;
    }
    const ListingClaims others = ListingClaims::ofOtherLists(data, files.base());
    for (int i = 0; i < count; ++i) {
        if (others.claimant(files.base(), i)) {
            continue;
        }
        if (Status removed = removeFileIfExists(files.listingFile(i)); !removed) {
            return removed;
        }
    }
    if (Status removed = removeFileIfExists(files.headerCopy()); !removed) {
        return removed;
    }
    return removeFileIfExists(files.footerCopy());
}

Status clearCurrentList(ListContext& context) {
    AppSettings settings = context.settings();
    const int count = numPaths(settings);
    // Cache files go first: a crash in between leaves records whose
    // folders are read again, never a listing under another's index.
    for (int i = 0; i < count; ++i) {
        if (Status removed = removeFileIfExists(context.places.cacheFile(i)); !removed) {
            return removed;
        }
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
    return Status::success();
}

// The listings of the current list under the saved list's names; one that
// another saved list names is skipped and told in skipped.
Status copyListings(ListContext& context, const SavedListFiles& files, int count,
                    FolderFlushes& flushes, std::vector<std::string>& skipped) {
    const ListingClaims others =
        ListingClaims::ofOtherLists(context.places.dataFolder(), files.base());
    for (int i = 0; i < count; ++i) {
        if (auto owner = others.claimant(files.base(), i)) {
            skipped.push_back(files.listingFile(i).filename().string() + " (saved list " + *owner +
                              ")");
            continue;
        }
        Status copied = copyIfExists(context.places.cacheFile(i), files.listingFile(i),
                                     CopyStorage::Shared, flushes);
        if (!copied) {
            return copied;
        }
    }
    return Status::success();
}

Status writeSavedList(ListContext& context, std::string_view name) {
    const SavedListFiles files(context.places.dataFolder(), name);
    AppSettings settings = context.settings();
    Result<std::string> text = Error{""};
    int count = 0;
    context.store.transaction([&] {  // one consistent snapshot of the store
        text = savedListText(settings);
        count = numPaths(settings);
    });
    if (!text) {
        return Error{text.error()};
    }
    // Whatever is already as it would be written is left alone, and the
    // folder is flushed once for all the files replaced in it.
    FolderFlushes flushes;
    std::vector<std::string> skipped;
    for (const auto& step : std::initializer_list<std::function<Status()>>{
             [&] { return writeFileIfChanged(files.listFile(), *text, flushes); },
             [&] { return copyListings(context, files, count, flushes, skipped); },
             [&] {
                 return copyIfExists(context.places.headerFile(), files.headerCopy(),
                                     CopyStorage::Separate, flushes);
             },
             [&] {
                 return copyIfExists(context.places.footerFile(), files.footerCopy(),
                                     CopyStorage::Separate, flushes);
             },
             [&] { return flushes.flush(); }}) {
        if (Status done = step(); !done) {
            return done;
        }
    }
    if (!skipped.empty()) {
        context.user.notice(listingCollisionText(files.base(), skipped), kNoticeCaption,
                            Shown::Always);
    }
    return Status::success();
}

// The saved list's listings, header and footer as the current list's files.
Status restoreListFiles(ListContext& context, const SavedListFiles& files, const SavedList& list) {
    const ListingClaims others =
        ListingClaims::ofOtherLists(context.places.dataFolder(), files.base());
    FolderFlushes flushes;
    for (std::size_t i = 0; i < list.records.size(); ++i) {
        const int index = static_cast<int>(i);
        const fs::path listing = files.listingFile(index);
        if (!isRegularFile(listing) || (others.claimant(files.base(), index) &&
                                        !listingDescribes(listing, list.records[i][2].value))) {
            continue;
        }
        Status copied = copyFileAtomically(listing, context.places.cacheFile(index),
                                           CopyStorage::Shared, flushes);
        if (!copied) {
            return copied;
        }
    }
    if (Status header = replaceOrRemove(files.headerCopy(), context.places.headerFile(), flushes);
        !header) {
        return header;
    }
    if (Status footer = replaceOrRemove(files.footerCopy(), context.places.footerFile(), flushes);
        !footer) {
        return footer;
    }
    return flushes.flush();
}

Status readSavedListIn(ListContext& context, std::string_view name) {
    const fs::path data = context.places.dataFolder();
    Result<SavedList> list = readSavedListFile(data / std::string(name));
    if (!list) {
        return Error{list.error()};
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
    return restoreListFiles(context, SavedListFiles(data, name), *list);
}

}  // namespace

bool deletesavedlist(ListContext& context, std::string_view name) {
    return runOperation(context.user,
                        {"There was a problem saving the list! (deletesavedlist)", Shown::Always},
                        [&] { return deleteSavedListFiles(context, name); });
}

bool deletecurrentlist(ListContext& context) {
    return runOperation(context.user, {"There was a problem opening the list! (deletecurrentlist)"},
                        [&] { return clearCurrentList(context); });
}

bool savelist(ListContext& context, std::string_view name) {
    if (name.empty()) {
        return true;
    }
    return runOperation(context.user,
                        {"There was a problem saving the list! (savelist)", Shown::Always},
                        [&] { return writeSavedList(context, name); });
}

bool loadlist(ListContext& context, std::string_view name) {
    return runOperation(context.user, {"There was a problem opening the list! (loadlist)"},
                        [&] { return readSavedListIn(context, name); });
}

}  // namespace quor::store
