#include "quorvane/dupes/row_actions.h"

#include <fcntl.h>
#include <stdio.h>

#include <cerrno>

#include "common/file_io.h"
#include "common/names.h"
#include "common/number_text.h"
#include "platform/players.h"
#include "quorvane/dupes/cache_correction.h"
#include "quorvane/dupes/row_resolution.h"
#include "quorvane/dupes/stored_name.h"
#include "quorvane/generate/cache_format.h"
#include "quorvane/store/quorvane_settings.h"

namespace quor::dupes {

namespace {

// The stored name of the selected row, or empty when there is nothing to
// act on. Shows noSelection when no row is selected (if given).
std::string selectedStoredName(const store::ListContext& context, const DupesRows& list,
                               std::optional<std::size_t> selected, std::string_view noSelection) {
    if (!selected || *selected >= list.rows.size()) {
        if (!noSelection.empty()) {
            context.user.notice(noSelection);
        }
        return {};
    }
    if (list.rows[*selected].empty() || *selected >= list.rowMap.size()) {
        return {};
    }
    return list.rowMap[*selected];
}

// Resolves the row and finds the cache file that lists it; reports a
// failure with failureText.
struct Located {
    ResolvedRow row;
    std::optional<int> cacheRecord;
};
Result<std::optional<Located>> locate(const store::ListContext& context,
                                      std::string_view storedName) {
    Result<std::optional<ResolvedRow>> resolved = resolveRow(context, storedName);
    if (!resolved) {
        return Error{resolved.error()};
    }
    if (!resolved->has_value()) {
        return std::optional<Located>();
    }
    Result<std::optional<int>> cache = findListingCacheFile(context, (*resolved)->folderText);
    if (!cache) {
        return Error{cache.error()};
    }
    return std::optional(Located{std::move(**resolved), *cache});
}

Status correctListing(const store::ListContext& context, const Located& located,
                      std::optional<std::string_view> newLine) {
    if (!located.cacheRecord) {
        return Status::success();
    }
    const std::filesystem::path file = context.places.cacheFile(*located.cacheRecord);
    if (!isRegularFile(file)) {
        return Status::success();
    }
    return correctCacheFile(file, located.row.folderText, located.row.cacheLine, newLine);
}

ActionOutcome failed(const store::ListContext& context, std::string_view text,
                     std::string_view reason) {
    context.user.notice(text, reason);
    return ActionOutcome::Failed;
}

ActionOutcome deleteLocated(const store::ListContext& context, DupesRows& list,
                            std::size_t selected, const Located& located) {
    if (!context.user.confirmDestructive(
            "Are you sure you want to delete the\nfile: " + located.row.fullPath + "?")) {
        return ActionOutcome::Cancelled;
    }
    if (!waitForFile(context, located.row)) {
        return ActionOutcome::Cancelled;
    }
    std::error_code error;
    if (!std::filesystem::remove(located.row.fullPath, error) || error) {
        return failed(context, kDeleteFailed,
                      ioErrorText("delete", located.row.fullPath, error ? error.value() : ENOENT));
    }
    list.rows.erase(list.rows.begin() + static_cast<std::ptrdiff_t>(selected));
    list.rowMap.erase(list.rowMap.begin() + static_cast<std::ptrdiff_t>(selected));
    if (Status corrected = correctListing(context, located, std::nullopt); !corrected) {
        return failed(context, kDeleteFailed, corrected.error());
    }
    store::AppSettings settings = context.settings();
    settings.save(store::kNumFiles, plainNumber(settings.get(store::kNumFiles) - 1));
    return ActionOutcome::Done;
}

// Renames without ever replacing a file that appeared meanwhile.
int renameWithoutReplacing(const std::string& from, const std::string& to) {
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) {
        return 0;
    }
    if (errno != EINVAL && errno != ENOSYS) {
        return errno;
    }
    // A file system without the no-replace flag: the check before the call
    // is all there is.
    return ::rename(from.c_str(), to.c_str()) == 0 ? 0 : errno;
}

ActionOutcome alreadyExists(const store::ListContext& context, std::string_view newName) {
    context.user.notice("Can't rename, the file " + std::string(newName) + " already exists!");
    return ActionOutcome::Cancelled;
}

ActionOutcome renameLocated(const store::ListContext& context, DupesRows& list,
                            const Located& located, const std::string& newName) {
    const ResolvedRow& row = located.row;
    const std::string target = row.realFolder + newName;
    std::error_code error;
    if (std::filesystem::symlink_status(target, error).type() !=
        std::filesystem::file_type::not_found) {
        return alreadyExists(context, newName);
    }
    if (const int failure = renameWithoutReplacing(row.fullPath, target); failure != 0) {
        if (failure == EEXIST) {
            return alreadyExists(context, newName);
        }
        return failed(context, kRenameFailed, ioErrorText("rename", row.fullPath, failure));
    }
    const std::string newLine = generate::encodeCacheName(newName) +
                                std::string(generate::splitFileLine(row.cacheLine).rest);
    const std::string newStoredName = row.folderText + newLine;
    for (std::size_t i = 0; i < list.rowMap.size() && i < list.rows.size(); ++i) {
        if (list.rowMap[i] == row.storedName) {
            list.rowMap[i] = newStoredName;
            list.rows[i] = displayForm(newStoredName);
        }
    }
    if (Status corrected = correctListing(context, located, newLine); !corrected) {
        return failed(context, kRenameFailed, corrected.error());
    }
    return ActionOutcome::Done;
}

}  // namespace

std::string renameDialogResult(std::string_view currentName,
                               const std::optional<std::string>& typed) {
    if (!typed) {
        return {};
    }
    if (!typed->empty() && *typed != currentName) {
        return stripNameCharacters(*typed);
    }
    return *typed;
}

ActionOutcome openRow(const store::ListContext& context, const DupesRows& list,
                      std::optional<std::size_t> selected, FileOpener& opener) {
    const std::string storedName = selectedStoredName(context, list, selected, "");
    if (storedName.empty()) {
        return ActionOutcome::Nothing;
    }
    try {
        Result<std::optional<ResolvedRow>> resolved = resolveRow(context, storedName);
        if (!resolved) {
            return failed(context, kNotRegistered, resolved.error());
        }
        if (!resolved->has_value()) {
            return ActionOutcome::Cancelled;
        }
        const std::string& path = (*resolved)->fullPath;
        const Status opened = opener.open(path, "open");
        if (opened) {
            return ActionOutcome::Done;
        }
        // Only a sound file goes to the player; for any other file, and when
        // the player fails too, the reason of the failed "open" is told.
        if (platform::isAudioFile(path) && opener.open(path, "play")) {
            return ActionOutcome::Done;
        }
        context.user.notice(std::string(kNotRegistered) + "\n\n" + opened.error());
        return ActionOutcome::Failed;
    } catch (const store::StoreError& error) {
        return failed(context, kNotRegistered, error.what());
    }
}

ActionOutcome deleteRow(const store::ListContext& context, DupesRows& list,
                        std::optional<std::size_t> selected) {
    const std::string storedName = selectedStoredName(context, list, selected, kSelectFileToDelete);
    if (storedName.empty()) {
        return ActionOutcome::Nothing;
    }
    try {
        Result<std::optional<Located>> located = locate(context, storedName);
        if (!located) {
            return failed(context, kDeleteFailed, located.error());
        }
        if (!located->has_value()) {
            return ActionOutcome::Cancelled;
        }
        return deleteLocated(context, list, *selected, **located);
    } catch (const store::StoreError& error) {
        return failed(context, kDeleteFailed, error.what());
    }
}

ActionOutcome renameRow(const store::ListContext& context, DupesRows& list,
                        std::optional<std::size_t> selected, RenameDialog& dialog) {
    const std::string storedName = selectedStoredName(context, list, selected, kSelectFileToRename);
    if (storedName.empty()) {
        return ActionOutcome::Nothing;
    }
    try {
        Result<std::optional<Located>> located = locate(context, storedName);
        if (!located) {
            return failed(context, kRenameFailed, located.error());
        }
        if (!located->has_value()) {
            return ActionOutcome::Cancelled;
        }
        const std::string& currentName = (*located)->row.fileName;
        const std::string newName = renameDialogResult(currentName, dialog.ask(currentName));
        if (newName.empty() || newName == currentName) {
            return ActionOutcome::Nothing;
        }
        return renameLocated(context, list, **located, newName);
    } catch (const store::StoreError& error) {
        return failed(context, kRenameFailed, error.what());
    }
}

}  // namespace quor::dupes
