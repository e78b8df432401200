#include "quorvane/generate/scanner.h"

#include <dirent.h>
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <memory>

#include "common/file_io.h"
#include "common/number_text.h"
#include "quorvane/generate/cache_format.h"
#include "quorvane/generate/mp3_info.h"
#include "quorvane/generate/size_text.h"
#include "quorvane/generate/sort.h"
#include "quorvane/store/folder_records.h"

namespace quor::generate {

namespace {

bool isFlagSet(const store::AppSettings& settings, std::string_view key) {
    return leadingNumber(settings.setting(key, "0")) == 1.0;
}

bool isHidden(const char* name) {
    return name[0] == '.';
}

// An empty path stays empty (it names no folder, not the root folder).
std::string withTrailingSlash(std::string_view path) {
    std::string out(path);
    if (!out.empty() && out.back() != '/') {
        out += '/';
    }
    return out;
}

// A file opened for its MP3 information, closed when done with.
struct OpenFile {
    int fd = -1;
    OpenFile() = default;
    OpenFile(const OpenFile&) = delete;
    OpenFile& operator=(const OpenFile&) = delete;
    ~OpenFile() {
        if (fd >= 0) {
            close(fd);
        }
    }
};

int openForReading(int dirFd, const char* name) {
    return openat(dirFd, name, O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
}

// Closes a directory stream when the folder's listing is done.
struct DirCloser {
    void operator()(DIR* dir) const { closedir(dir); }
};

}  // namespace

Scanner::Scanner(const store::ListContext& context, const Collation& order)
    : context_(context), order_(order) {}

void Scanner::reset() {
    lines_.clear();
    total_ = 0;
}

void Scanner::startWalk(int recordIndex) {
    const store::AppSettings settings = context_.settings();
    const int size = static_cast<int>(leadingNumber(settings.setting("IncludeFileSize", "0")));
    columns_.sizeMode = (size == 1 || size == 2) ? size : 0;
    columns_.date = isFlagSet(settings, "IncludeFileDate");
    columns_.mp3Info = isFlagSet(settings, "IncludeMP3Info");
    columns_.songLength = isFlagSet(settings, "IncludeSongLength");
    columns_.pathAtEnd = isFlagSet(settings, "IncludePath") && isFlagSet(settings, "PathAtEnd");
    const store::FolderRecord record = store::readFolderRecord(settings, recordIndex);
    displayName_ = storedDisplayName(record.pathname);
    if (displayName_.empty() || displayName_.back() != '/') {
        displayName_ += '/';
    }
    if (!locale_) {
        locale_.emplace(LocaleTexts::fromEnvironment());
    }
}

int Scanner::Scan(std::string_view folder, std::string_view mask, int recordIndex) {
    const std::string path = withTrailingSlash(folder);
    stopped_ = false;
    mask_.emplace(mask);
    if (lines_.empty()) {
        startWalk(recordIndex);
        rootPath_ = path;
    }
    const int result = scanFolder(path, displayPathOf(path), false);
    return stopped_ ? kScanCancelled : result;
}

// The display name followed by the (escaped) names of the folders from the
// walk's root down to path.
std::string Scanner::displayPathOf(const std::string& path) const {
    std::string display = displayName_;
    std::string_view below(path);
    if (below.starts_with(rootPath_)) {
        below.remove_prefix(rootPath_.size());
    } else {
        // Not below the root: as many trailing characters as the path is
        // longer than the root.
        below = below.substr(std::min(below.size(), rootPath_.size()));
    }
    while (!below.empty()) {
        const std::size_t slash = below.find('/');
        display += encodeCacheName(below.substr(0, slash));
        display += '/';
        below.remove_prefix(slash == std::string_view::npos ? below.size() : slash + 1);
    }
    return display;
}

// Opens the folder for listing, asking Retry or Cancel while it fails.
// Returns the descriptor, or -1 on Cancel. A subfolder is never entered
// through a symbolic link, even one that replaced it after it was listed.
int Scanner::openFolder(const std::string& path, bool isSubfolder) {
    const int flags = O_RDONLY | O_DIRECTORY | O_CLOEXEC | (isSubfolder ? O_NOFOLLOW : 0);
    for (;;) {
        const int fd = open(path.c_str(), flags);
        if (fd >= 0) {
            return fd;
        }
        const std::string reason = ioErrorText("read the folder", path, errno);
        if (context_.ui.unattended() ||
            !context_.ui.retryOrCancel(
                "There was an error reading " + path + "\nPlease make sure a disk is in the drive.",
                reason)) {
            return -1;
        }
    }
}

int Scanner::scanFolder(const std::string& path, const std::string& displayPath, bool isSubfolder) {
    const int fd = openFolder(path, isSubfolder);
    if (fd < 0) {
        return kScanCancelled;
    }
    std::unique_ptr<DIR, DirCloser> dir(fdopendir(fd));
    if (!dir) {
        close(fd);
        return kScanCancelled;
    }
    lines_.push_back(folderHeadingLine(displayPath));

    std::vector<std::string> subfolders;
    const int dirFd = dirfd(dir.get());
    while (const dirent* entry = readdir(dir.get())) {
        const char* name = entry->d_name;
        if (isHidden(name)) {
            continue;
        }
        unsigned char type = entry->d_type;
        struct ::stat st {};
        bool haveStat = false;
        if (type == DT_UNKNOWN) {
            if (fstatat(dirFd, name, &st, AT_SYMLINK_NOFOLLOW) != 0) {
                continue;
            }
            type = S_ISDIR(st.st_mode)   ? DT_DIR
                   : S_ISREG(st.st_mode) ? DT_REG
                   : S_ISLNK(st.st_mode) ? DT_LNK
                                         : DT_UNKNOWN;
            haveStat = type == DT_REG;
        }
        if (type == DT_DIR) {
            if (std::strcmp(name, "pagefile.sys") != 0) {
                subfolders.emplace_back(name);
            }
        } else if ((type == DT_REG || type == DT_LNK) && mask_->matches(name)) {
            addFile(dirFd, name, displayPath, haveStat ? &st : nullptr, type == DT_REG);
        }
    }
    dir.reset();

    SortStrings(subfolders, order_);
    for (const std::string& name : subfolders) {
        const std::string subfolder = path + name + "/";
        context_.ui.status(subfolder);
        if (context_.ui.keepResponsive()) {
            stopped_ = true;
        }
        if (stopped_) {
            break;
        }
        (void)scanFolder(subfolder, displayPath + encodeCacheName(name) + "/", true);
    }
    return kScanNormal;
}

void Scanner::addFile(int dirFd, const char* name, const std::string& displayPath,
                      const struct ::stat* known, bool regularEntry) {
    const bool wantsMp3 = (columns_.mp3Info || columns_.songLength) && hasMp3Extension(name);
    struct ::stat st {};
    OpenFile mp3;
    if (known != nullptr) {
        st = *known;
    } else if (wantsMp3 && regularEntry) {
        // An MP3 file is opened at once and its size read from the open
        // file: one path lookup instead of two.
        mp3.fd = openForReading(dirFd, name);
        if (mp3.fd < 0 || fstat(mp3.fd, &st) != 0) {
            if (fstatat(dirFd, name, &st, 0) != 0) {
                return;
            }
        }
    } else if (fstatat(dirFd, name, &st, 0) != 0) {
        return;  // unreadable or a dangling link: left out
    }
    if (!S_ISREG(st.st_mode)) {
        return;  // a link to a folder, device or pipe
    }
    const auto size = static_cast<std::uint64_t>(st.st_size);
    std::string sizeText;
    std::string mp3Text;
    std::string dateText;
    FileLineColumns columns;
    if (columns_.sizeMode == 1) {
        sizeText = locale_->groupedSize(size);
        columns.size = sizeText;
    } else if (columns_.sizeMode == 2) {
        sizeText = SizeText(static_cast<double>(size));
        columns.size = sizeText;
    }
    if (wantsMp3) {
        if (mp3.fd < 0) {
            mp3.fd = openForReading(dirFd, name);  // a link, known now to lead to a file
        }
        mp3Text = mp3TextOfFile(mp3.fd, size, columns_.mp3Info, columns_.songLength);
        columns.mp3 = mp3Text;
    }
    if (columns_.date) {
        dateText = locale_->generalDate(st.st_mtime);
        columns.date = dateText;
    }
    if (columns_.pathAtEnd) {
        columns.pathAtEnd = displayPath;
    }
    std::string line;
    appendFileLine(line, name, columns);
    lines_.push_back(std::move(line));
    total_ += static_cast<double>(size);
}

}  // namespace quor::generate
