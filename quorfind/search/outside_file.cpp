#include "quorfind/search/outside_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "common/file_io.h"

namespace quor::find {

namespace fs = std::filesystem;

namespace {

OutsideFile notOpened(FileKind kind, std::string reason) {
    return OutsideFile{kind, FileHandle(), std::move(reason)};
}

// What a path that is neither a regular file nor a folder is.
OutsideFile notAFile(const fs::path& path, mode_t mode) {
    const char* what = S_ISFIFO(mode)                   ? "a named pipe"
                       : S_ISSOCK(mode)                 ? "a socket"
                       : S_ISCHR(mode) || S_ISBLK(mode) ? "a device"
                                                        : "not a regular file";
    return notOpened(FileKind::Other, path.string() + " is " + what + ", not a text file");
}

OutsideFile lookedAt(const fs::path& path, const struct stat& info) {
    if (S_ISDIR(info.st_mode)) {
        return notOpened(FileKind::Folder, path.string() + " is a folder");
    }
    return notAFile(path, info.st_mode);
}

}  // namespace

OutsideFile openOutsideFile(const fs::path& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) {
        const int error = errno;
        if (error != ENOENT && error != ENOTDIR) {
            return notOpened(FileKind::Unreadable, ioErrorText("open", path, error));
        }
        struct stat link {};
        if (::lstat(path.c_str(), &link) == 0) {
            return notOpened(FileKind::Other, path.string() + " is a link to nothing");
        }
        return notOpened(FileKind::Missing, {});
    }
    if (!S_ISREG(info.st_mode)) {
        return lookedAt(path, info);
    }
    // Non-blocking, in case the file is replaced by a pipe between the look
    // and the open.
    FileHandle file(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (!file) {
        const int error = errno;
        return error == ENOENT ? notOpened(FileKind::Missing, {})
                               : notOpened(FileKind::Unreadable, ioErrorText("open", path, error));
    }
    if (::fstat(file.get(), &info) != 0) {
        return notOpened(FileKind::Unreadable, ioErrorText("read", path, errno));
    }
    if (!S_ISREG(info.st_mode)) {
        return lookedAt(path, info);
    }
    const int flags = ::fcntl(file.get(), F_GETFL);
    if (flags >= 0) {
        (void)::fcntl(file.get(), F_SETFL, flags & ~O_NONBLOCK);
    }
    return OutsideFile{FileKind::Regular, std::move(file), {}};
}

Result<std::size_t> readSome(const FileHandle& file, char* buffer, std::size_t size,
                             const fs::path& path) {
    while (true) {
        const ssize_t got = ::read(file.get(), buffer, size);
        if (got >= 0) {
            return static_cast<std::size_t>(got);
        }
        if (errno != EINTR) {
            return Error{ioErrorText("read", path, errno)};
        }
    }
}

}  // namespace quor::find
