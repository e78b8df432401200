#include "common/file_io.h"

#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <string>

namespace quor {

namespace fs = std::filesystem;

std::string ioErrorText(std::string_view action, const fs::path& path, int errnum) {
    std::string text = "Could not ";
    text += action;
    text += ' ';
    text += path.string();
    text += ": ";
    text += std::strerror(errnum);
    return text;
}

namespace {

Error errorFrom(std::string_view action, const fs::path& path) {
    return Error{ioErrorText(action, path, errno)};
}

// Writes all of data, retrying on EINTR and short writes.
bool writeAll(int fd, std::string_view data) {
    while (!data.empty()) {
        const ssize_t n = ::write(fd, data.data(), data.size());
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        data.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

Status syncFolder(const fs::path& folder) {
    const fs::path dir = folder.empty() ? fs::path(".") : folder;
    const int fd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) {
        return errorFrom("open the folder", dir);
    }
    const int rc = ::fsync(fd);
    const int saved = errno;
    ::close(fd);
    // Some file systems cannot flush a folder; the rename is still done.
    if (rc != 0 && saved != EINVAL && saved != ENOTSUP) {
        return Error{ioErrorText("flush the folder", dir, saved)};
    }
    return {};
}

mode_t modeForNewFile() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

}  // namespace

Result<int> openRegularFile(const fs::path& file) {
    const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    if (fd < 0) {
        return errorFrom("open", file);
    }
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        return Error{file.string() + " is not a regular file"};
    }
    return fd;
}

Result<std::string> readFile(const fs::path& file, std::size_t maxBytes) {
    const Result<int> fd = openRegularFile(file);
    if (!fd) {
        return Error{fd.error()};
    }
    std::string contents;
    struct stat info {};
    if (::fstat(*fd, &info) == 0 && info.st_size > 0) {
        contents.reserve(std::min(static_cast<std::size_t>(info.st_size), maxBytes));
    }
    char buffer[65536];
    while (contents.size() <= maxBytes) {
        const ssize_t n = ::read(*fd, buffer, sizeof buffer);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            Error error = errorFrom("read", file);
            ::close(*fd);
            return error;
        }
        if (n == 0) {
            break;
        }
        contents.append(buffer, static_cast<std::size_t>(n));
    }
    ::close(*fd);
    if (contents.size() > maxBytes) {
        return Error{file.string() + " is too large"};
    }
    return contents;
}

namespace {

// Writes contents to a new, flushed temporary file beside file (with the
// permissions file has, or those of a new file) and returns its name.
Result<std::string> writeTemporaryBeside(const fs::path& file, std::string_view contents) {
    const fs::path folder = file.parent_path();
    std::string temp = (folder / ("." + file.filename().string() + ".XXXXXX")).string();
    const int fd = ::mkostemp(temp.data(), O_CLOEXEC);
    if (fd < 0) {
        return errorFrom("create a file in", folder.empty() ? fs::path(".") : folder);
    }
    struct stat old {};
    const mode_t mode = ::stat(file.c_str(), &old) == 0 ? (old.st_mode & 07777) : modeForNewFile();
    auto fail = [&](std::string_view action) {
        Error error = errorFrom(action, file);
        ::close(fd);
        ::unlink(temp.c_str());
        return error;
    };
    if (::fchmod(fd, mode) != 0) {
        return fail("set the permissions of");
    }
    if (!writeAll(fd, contents)) {
        return fail("write");
    }
    if (::fsync(fd) != 0) {
        return fail("write");
    }
    if (::close(fd) != 0) {
        Error error = errorFrom("write", file);
        ::unlink(temp.c_str());
        return error;
    }
    return temp;
}

// Gives temp the name target unless target exists: true when renamed,
// false when target was there (temp is then left for the caller).
Result<bool> renameNoReplace(const std::string& temp, const fs::path& target) {
    if (::renameat2(AT_FDCWD, temp.c_str(), AT_FDCWD, target.c_str(), RENAME_NOREPLACE) == 0) {
        return true;
    }
    if (errno == EEXIST) {
        return false;
    }
    if (errno != EINVAL && errno != ENOSYS) {
        return errorFrom("create", target);
    }
    // A file system without the no-replace rename: a hard link also fails
    // when the target exists.
    if (::link(temp.c_str(), target.c_str()) != 0) {
        if (errno == EEXIST) {
            return false;
        }
        return errorFrom("create", target);
    }
    ::unlink(temp.c_str());
    return true;
}

}  // namespace

Status writeFileAtomically(const fs::path& file, std::string_view contents) {
    Result<std::string> temp = writeTemporaryBeside(file, contents);
    if (!temp) {
        return Error{temp.error()};
    }
    if (::rename(temp->c_str(), file.c_str()) != 0) {
        Error error = errorFrom("replace", file);
        ::unlink(temp->c_str());
        return error;
    }
    return syncFolder(file.parent_path());
}

Result<bool> copyFileIfMissing(const fs::path& source, const fs::path& target) {
    struct stat info {};
    if (::lstat(target.c_str(), &info) == 0) {
        return false;
    }
    Result<std::string> contents = readFile(source);
    if (!contents) {
        return Error{contents.error()};
    }
    return writeFileIfMissing(target, *contents);
}

Result<bool> writeFileIfMissing(const fs::path& target, std::string_view contents) {
    struct stat info {};
    if (::lstat(target.c_str(), &info) == 0) {
        return false;
    }
    Result<std::string> temp = writeTemporaryBeside(target, contents);
    if (!temp) {
        return Error{temp.error()};
    }
    Result<bool> renamed = renameNoReplace(*temp, target);
    if (!renamed || !*renamed) {
        ::unlink(temp->c_str());
        return renamed;
    }
    if (Status synced = syncFolder(target.parent_path()); !synced) {
        return Error{synced.error()};
    }
    return true;
}

Status copyFileAtomically(const fs::path& source, const fs::path& target) {
    Result<std::string> contents = readFile(source);
    if (!contents) {
        return Error{contents.error()};
    }
    return writeFileAtomically(target, *contents);
}

Status renameFile(const fs::path& from, const fs::path& to) {
    if (::rename(from.c_str(), to.c_str()) != 0) {
        return Error{"Could not rename " + from.string() + " to " + to.filename().string() + ": " +
                     std::strerror(errno)};
    }
    return syncFolder(to.parent_path());
}

Status removeFileIfExists(const fs::path& file) {
    if (::unlink(file.c_str()) != 0 && errno != ENOENT) {
        return errorFrom("delete", file);
    }
    return {};
}

bool isRegularFile(const fs::path& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

bool isFolder(const fs::path& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

Status createFolders(const fs::path& folder) {
    std::error_code ec;
    fs::create_directories(folder, ec);
    if (ec) {
        return Error{"Could not create the folder " + folder.string() + ": " + ec.message()};
    }
    return {};
}

}  // namespace quor
