#include "quorfind/actions/file_actions.h"

#include <fcntl.h>
#include <stdio.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <system_error>

#include "common/names.h"

namespace quor::find {

namespace {

constexpr std::string_view kReadOnlyHint =
    "\nMake sure the file exists and that it's not read-only.";

// Renames without ever replacing an existing file. EEXIST when to exists.
int renameNoReplace(const std::string& from, const std::string& to) {
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) {
        return 0;
    }
    if (errno != EINVAL && errno != ENOSYS) {
        return errno;
    }
    // A file system without no-replace renames: a hard link cannot replace
    // either, and the old name goes once the new one exists.
    if (::link(from.c_str(), to.c_str()) != 0) {
        return errno;
    }
    if (::unlink(from.c_str()) != 0) {
        const int error = errno;
        ::unlink(to.c_str());
        return error;
    }
    return 0;
}

bool exists(const std::string& path) {
    std::error_code error;
    return std::filesystem::exists(std::filesystem::symlink_status(path, error));
}

}  // namespace

int deleteFiles(const std::vector<SearchRow>& rows, const ActionContext& context) {
    if (refusedUnlessOwnList(context, RowAction::Delete)) {
        return 0;
    }
    if (!context.user.confirmDestructive(kDeleteQuestion, kWarningCaption)) {
        return 0;
    }
    int deleted = 0;
    for (const SearchRow& row : rows) {
        const std::string path = resolvedPath(context, row);
        if (path.empty()) {
            continue;
        }
        if (::unlink(path.c_str()) != 0) {
            const int error = errno;
            context.user.notice("There was a problem deleting " + path + std::string(kReadOnlyHint),
                                std::strerror(error));
            return deleted;
        }
        ++deleted;
        context.pause(std::chrono::milliseconds(100));
        (void)context.user.keepResponsive();
    }
    return deleted;
}

std::string renameTarget(const std::string& oldPath, const std::optional<std::string>& edited) {
    if (!edited || edited->empty() || *edited == oldPath) {
        return {};
    }
    const std::size_t slash = edited->rfind('/');
    const std::size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
    std::string target =
        edited->substr(0, nameStart) + stripNameCharacters(edited->substr(nameStart));
    if (target == oldPath || target.empty()) {
        return {};
    }
    return target;
}

int renameFiles(const std::vector<SearchRow>& rows, const ActionContext& context,
                const AskNewPath& ask) {
    if (refusedUnlessOwnList(context, RowAction::Rename)) {
        return 0;
    }
    int renamed = 0;
    for (const SearchRow& row : rows) {
        const std::string oldPath = resolvedPath(context, row);
        if (oldPath.empty()) {
            continue;
        }
        const std::string newPath = renameTarget(oldPath, ask(oldPath));
        if (newPath.empty()) {
            continue;
        }
        const int error = exists(newPath) ? EEXIST : renameNoReplace(oldPath, newPath);
        if (error == EEXIST) {
            context.user.notice("Can't rename, the file " + newPath + " already exists!");
            return renamed;
        }
        if (error != 0) {
            context.user.notice(
                "There was a problem renaming " + oldPath + std::string(kReadOnlyHint),
                std::strerror(error));
            return renamed;
        }
        ++renamed;
        (void)context.user.keepResponsive();
    }
    return renamed;
}

}  // namespace quor::find
