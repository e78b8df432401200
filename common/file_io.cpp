#include "common/file_io.h"

#include <fcntl.h>
#include <linux/fs.h>
#include <stdio.h>
#include <sys/ioctl.h>
#include <sys/random.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "common/file_compare.h"
#include "common/read_to_end.h"

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
    UniqueFd fd(::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!fd) {
        return errorFrom("open the folder", dir);
    }
    const int rc = ::fsync(fd.get());
    const int saved = errno;
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

Result<UniqueFd> openRegularFile(const fs::path& file) {
    UniqueFd fd(::open(file.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK));
    if (!fd) {
        return errorFrom("open", file);
    }
    struct stat info {};
    if (::fstat(fd.get(), &info) != 0 || !S_ISREG(info.st_mode)) {
        return Error{file.string() + " is not a regular file"};
    }
    return fd;
}

Result<std::string> readFile(const fs::path& file, std::size_t maxBytes) {
    const Result<UniqueFd> fd = openRegularFile(file);
    if (!fd) {
        return Error{fd.error()};
    }
    struct stat info {};
    const bool sized = ::fstat(fd->get(), &info) == 0 && info.st_size > 0;
    std::string contents;
    const ReadOutcome read =
        readToEnd(fd->get(), sized ? static_cast<std::size_t>(info.st_size) : 65536, maxBytes,
                  [&](std::size_t capacity, std::size_t) {
                      contents.resize(capacity);
                      return contents.data();
                  });
    if (read.error != 0) {
        return Error{ioErrorText("read", file, read.error)};
    }
    if (read.size > maxBytes) {
        return Error{file.string() + " is too large"};
    }
    contents.resize(read.size);
    return contents;
}

namespace {

// A new temporary file beside the file it will replace.
struct Temporary {
    UniqueFd fd;
    std::string name;
};

void discard(Temporary& temp) {
    temp.fd.reset();
    ::unlink(temp.name.c_str());
}

// Creates an empty temporary file beside file, with the permissions file
// has (or those of a new file).
Result<Temporary> createTemporaryBeside(const fs::path& file) {
    const fs::path folder = file.parent_path();
    Temporary temp{UniqueFd(), (folder / ("." + file.filename().string() + ".XXXXXX")).string()};
    temp.fd.reset(::mkostemp(temp.name.data(), O_CLOEXEC));
    if (!temp.fd) {
        return errorFrom("create a file in", folder.empty() ? fs::path(".") : folder);
    }
    struct stat old {};
    const mode_t mode = ::stat(file.c_str(), &old) == 0 ? (old.st_mode & 07777) : modeForNewFile();
    if (::fchmod(temp.fd.get(), mode) != 0) {
        Error error = errorFrom("set the permissions of", file);
        discard(temp);
        return error;
    }
    return temp;
}

// Flushes the filled temporary file to disk and closes it; on a failure
// it is removed and the error names file.
Status finishTemporary(Temporary& temp, const fs::path& file) {
    if (::fsync(temp.fd.get()) != 0) {
        Error error = errorFrom("write", file);
        discard(temp);
        return error;
    }
    if (!temp.fd.close()) {
        Error error = errorFrom("write", file);
        ::unlink(temp.name.c_str());
        return error;
    }
    return {};
}

// Writes contents to a new, flushed temporary file beside file (with the
// permissions file has, or those of a new file) and returns its name.
Result<std::string> writeTemporaryBeside(const fs::path& file, std::string_view contents) {
    Result<Temporary> temp = createTemporaryBeside(file);
    if (!temp) {
        return Error{temp.error()};
    }
    if (!writeAll(temp->fd.get(), contents)) {
        Error error = errorFrom("write", file);
        discard(*temp);
        return error;
    }
    if (Status finished = finishTemporary(*temp, file); !finished) {
        return Error{finished.error()};
    }
    return temp->name;
}

// Gives temp the name file, replacing what was there; on a failure temp
// is removed.
Status replaceWith(const std::string& temp, const fs::path& file, FolderFlushes& later) {
    if (::rename(temp.c_str(), file.c_str()) != 0) {
        Error error = errorFrom("replace", file);
        ::unlink(temp.c_str());
        return error;
    }
    later.add(file.parent_path());
    return {};
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

void FolderFlushes::add(const fs::path& folder) {
    if (std::find(folders_.begin(), folders_.end(), folder) == folders_.end()) {
        folders_.push_back(folder);
    }
}

Status FolderFlushes::flush() {
    Status first;
    for (const fs::path& folder : folders_) {
        if (Status flushed = syncFolder(folder); !flushed && first) {
            first = flushed;
        }
    }
    folders_.clear();
    return first;
}

Status writeFileAtomically(const fs::path& file, std::string_view contents, FolderFlushes& later) {
    Result<std::string> temp = writeTemporaryBeside(file, contents);
    if (!temp) {
        return Error{temp.error()};
    }
    return replaceWith(*temp, file, later);
}

Status writeFileAtomically(const fs::path& file, std::string_view contents) {
    FolderFlushes flushes;
    if (Status written = writeFileAtomically(file, contents, flushes); !written) {
        return written;
    }
    return flushes.flush();
}

Status writeFileIfChanged(const fs::path& file, std::string_view contents, FolderFlushes& later) {
    if (const UniqueFd fd = openForComparison(file); fd && fileHolds(fd.get(), contents)) {
        return {};
    }
    return writeFileAtomically(file, contents, later);
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

namespace {

// Fills the empty temporary file with source's bytes: a clone sharing the
// source's blocks where the file system can (copy on write), else read
// and written in bounded chunks.
Status fillFrom(int sourceFd, const fs::path& source, const Temporary& temp,
                const fs::path& target) {
    if (::ioctl(temp.fd.get(), FICLONE, sourceFd) == 0) {
        return {};
    }
    // Not supported here, or across file systems: an ordinary copy.
    std::vector<char> buffer(256 * 1024);
    for (off_t offset = 0;;) {
        const ssize_t n = ::pread(sourceFd, buffer.data(), buffer.size(), offset);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0) {
            return errorFrom("read", source);
        }
        if (n == 0) {
            return {};
        }
        if (!writeAll(temp.fd.get(),
                      std::string_view(buffer.data(), static_cast<std::size_t>(n)))) {
            return errorFrom("write", target);
        }
        offset += n;
    }
}

// A name for a new file beside target, or nothing without randomness.
std::optional<std::string> temporaryName(const fs::path& target) {
    static constexpr char kLetters[] =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    unsigned char bytes[6];
    if (::getrandom(bytes, sizeof bytes, GRND_NONBLOCK) != static_cast<ssize_t>(sizeof bytes)) {
        return std::nullopt;
    }
    std::string name(1, '.');
    name += target.filename().string();
    name += '.';
    for (unsigned char byte : bytes) {
        name += kLetters[byte % (sizeof kLetters - 1)];
    }
    return (target.parent_path() / name).string();
}

// Gives the file open as sourceFd (named source) a second, temporary name
// beside target. Nothing when it cannot: no hard links on this file
// system, another file system, source no longer that file or a symbolic
// link; the caller then copies.
std::optional<std::string> linkBeside(const fs::path& source, int sourceFd,
                                      const fs::path& target) {
    for (int attempt = 0; attempt < 8; ++attempt) {
        const std::optional<std::string> temp = temporaryName(target);
        if (!temp) {
            return std::nullopt;
        }
        // Without AT_SYMLINK_FOLLOW a link in source's place is linked
        // itself, and then fails the check below.
        if (::linkat(AT_FDCWD, source.c_str(), AT_FDCWD, temp->c_str(), 0) != 0) {
            if (errno == EEXIST) {
                continue;
            }
            return std::nullopt;
        }
        struct stat linked {};
        struct stat opened {};
        if (::lstat(temp->c_str(), &linked) == 0 && ::fstat(sourceFd, &opened) == 0 &&
            S_ISREG(linked.st_mode) && linked.st_dev == opened.st_dev &&
            linked.st_ino == opened.st_ino) {
            return temp;
        }
        ::unlink(temp->c_str());
        return std::nullopt;
    }
    return std::nullopt;
}

// True when target already is what the copy would make it.
bool copyNeedless(int sourceFd, const fs::path& target, CopyStorage storage) {
    const UniqueFd targetFd = openForComparison(target);
    if (!targetFd) {
        return false;
    }
    const bool shared = sameFile(sourceFd, targetFd.get());
    return shared ? storage == CopyStorage::Shared : sameContents(sourceFd, targetFd.get());
}

// A flushed temporary file beside target with source's bytes.
Result<std::string> copyBeside(int sourceFd, const fs::path& source, const fs::path& target) {
    Result<Temporary> temp = createTemporaryBeside(target);
    if (!temp) {
        return Error{temp.error()};
    }
    if (Status filled = fillFrom(sourceFd, source, *temp, target); !filled) {
        discard(*temp);
        return Error{filled.error()};
    }
    if (Status finished = finishTemporary(*temp, target); !finished) {
        return Error{finished.error()};
    }
    return temp->name;
}

}  // namespace

Status copyFileAtomically(const fs::path& source, const fs::path& target, CopyStorage storage,
                          FolderFlushes& later) {
    const Result<UniqueFd> opened = openRegularFile(source);
    if (!opened) {
        return Error{opened.error()};
    }
    const int sourceFd = opened->get();
    if (copyNeedless(sourceFd, target, storage)) {
        return {};
    }
    if (storage == CopyStorage::Shared) {
        if (std::optional<std::string> linked = linkBeside(source, sourceFd, target)) {
            return replaceWith(*linked, target, later);
        }
    }
    Result<std::string> temp = copyBeside(sourceFd, source, target);
    if (!temp) {
        return Error{temp.error()};
    }
    return replaceWith(*temp, target, later);
}

Status copyFileAtomically(const fs::path& source, const fs::path& target, CopyStorage storage) {
    FolderFlushes flushes;
    if (Status copied = copyFileAtomically(source, target, storage, flushes); !copied) {
        return copied;
    }
    return flushes.flush();
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

namespace {

// Pieces are gathered to this size before they are written.
constexpr std::size_t kWriterBufferBytes = 1 << 20;

}  // namespace

Result<AtomicFileWriter> AtomicFileWriter::create(const fs::path& file) {
    Result<Temporary> temp = createTemporaryBeside(file);
    if (!temp) {
        return Error{temp.error()};
    }
    return AtomicFileWriter(file, std::move(temp->fd), std::move(temp->name));
}

AtomicFileWriter::AtomicFileWriter(fs::path file, UniqueFd fd, std::string tempName)
    : file_(std::move(file)), fd_(std::move(fd)), tempName_(std::move(tempName)) {
    buffer_.reserve(kWriterBufferBytes);
}

AtomicFileWriter::AtomicFileWriter(AtomicFileWriter&& other) noexcept = default;

AtomicFileWriter::~AtomicFileWriter() {
    if (fd_) {
        Temporary temp{std::move(fd_), tempName_};
        discard(temp);
    }
}

void AtomicFileWriter::append(std::string_view text) {
    if (!failure_ || !fd_) {
        return;
    }
    if (buffer_.size() + text.size() > kWriterBufferBytes) {
        writeBuffer();
        if (text.size() >= kWriterBufferBytes) {
            if (failure_ && !writeAll(fd_.get(), text)) {
                failure_ = errorFrom("write", file_);
            }
            return;
        }
    }
    buffer_ += text;
}

void AtomicFileWriter::writeBuffer() {
    if (failure_ && !writeAll(fd_.get(), buffer_)) {
        failure_ = errorFrom("write", file_);
    }
    buffer_.clear();
}

Status AtomicFileWriter::commit() {
    if (!fd_) {
        return Error{"The file " + file_.string() + " was already written"};
    }
    writeBuffer();
    Temporary temp{std::move(fd_), tempName_};
    if (!failure_) {
        discard(temp);
        return failure_;
    }
    if (Status finished = finishTemporary(temp, file_); !finished) {
        return finished;
    }
    FolderFlushes flushes;
    if (Status replaced = replaceWith(temp.name, file_, flushes); !replaced) {
        return replaced;
    }
    return flushes.flush();
}

}  // namespace quor
