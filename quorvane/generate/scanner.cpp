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

// Entries of one folder listed between two polls of keepResponsive.
constexpr std::size_t kEntriesPerPoll = 64;

// Closes a directory stream when the folder's listing is done.
struct DirCloser {
    void operator()(DIR* dir) const { closedir(dir); }
};

}  // namespace

Scanner::Scanner(const store::ListContext& context, const Collation& order)
    : context_(context), order_(order) {}

void Scanner::reset() {
    lines_.clear();
    unread_.clear();
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
    mp3Reading_.reset();
    if (columns_.mp3Info || columns_.songLength) {
        mp3Reading_ = std::make_unique<Mp3Reading>(columns_.mp3Info, columns_.songLength,
                                                   Mp3Reading::suitableWorkers());
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
    completeMp3Lines();
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
        const int error = errno;
        const std::string reason = ioErrorText("read the folder", path, error);
        if (context_.ui.unattended() ||
            !context_.ui.retryOrCancel(
                "There was an error reading " + path + "\nPlease make sure a disk is in the drive.",
                reason)) {
            if (!(isSubfolder && error == ENOENT)) {
                unread_.push_back(reason);
            }
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
        unread_.push_back(ioErrorText("read the folder", path, errno));
        close(fd);
        return kScanCancelled;
    }
    lines_.push_back(folderHeadingLine(displayPath));

    std::vector<std::string> subfolders;
    const int dirFd = dirfd(dir.get());
    std::size_t entries = 0;
    while (const dirent* entry = readdir(dir.get())) {
        // A folder of many thousand files keeps the window live too.
        if (++entries % kEntriesPerPoll == 0 && context_.ui.keepResponsive()) {
            stopped_ = true;
            break;
        }
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
    if (folderHandle_) {
        folderHandle_.reset();
        mp3Reading_->wake();
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
    if ((columns_.mp3Info || columns_.songLength) && hasMp3Extension(name)) {
        queueMp3File(dirFd, name, displayPath, !regularEntry);
        return;
    }
    struct ::stat st {};
    if (known != nullptr) {
        st = *known;
    } else if (fstatat(dirFd, name, &st, 0) != 0) {
        return;  // unreadable or a dangling link: left out
    }
    if (!S_ISREG(st.st_mode)) {
        return;  // a link to a folder, device or pipe
    }
    std::string line;
    appendListedFile(line, name, static_cast<std::uint64_t>(st.st_size), st.st_mtime, {},
                     displayPath);
    lines_.push_back(std::move(line));
}

// Appends the line of a listed file with the columns the settings ask for
// and counts its size in the folder total.
void Scanner::appendListedFile(std::string& line, std::string_view name, std::uint64_t size,
                               std::time_t modified, std::string_view mp3Text,
                               std::string_view displayPath) {
    std::string sizeText;
    std::string dateText;
    FileLineColumns columns;
    if (columns_.sizeMode == 1) {
        sizeText = locale_->groupedSize(size);
        columns.size = sizeText;
    } else if (columns_.sizeMode == 2) {
        sizeText = SizeText(static_cast<double>(size));
        columns.size = sizeText;
    }
    if (columns_.mp3Info || columns_.songLength) {
        if (!mp3Text.empty()) {
            columns.mp3 = mp3Text;
        }
    }
    if (columns_.date) {
        dateText = locale_->generalDate(modified);
        columns.date = dateText;
    }
    if (columns_.pathAtEnd) {
        columns.pathAtEnd = displayPath;
    }
    appendFileLine(line, name, columns);
    total_ += static_cast<double>(size);
}

// An MP3 file is read by the workers; its line keeps its place in the
// buffer and is written when the walk is done.
void Scanner::queueMp3File(int dirFd, const char* name, const std::string& displayPath,
                           bool isLink) {
    if (!folderHandle_) {
        folderHandle_ = std::make_shared<const FolderHandle>(fcntl(dirFd, F_DUPFD_CLOEXEC, 0));
    }
    const std::size_t ticket = mp3Reading_->add({folderHandle_, name, isLink});
    pendingMp3_.push_back(
        {lines_.size(), ticket, name, columns_.pathAtEnd ? displayPath : std::string()});
    lines_.emplace_back();
}

// Writes the lines of the MP3 files from what the workers read; files that
// turned out not to be listable are taken out of the buffer.
void Scanner::completeMp3Lines() {
    if (!mp3Reading_ || pendingMp3_.empty()) {
        return;
    }
    const std::vector<Mp3Reading::Result> results = mp3Reading_->finish([this] {
        stopped_ = stopped_ || context_.ui.keepResponsive();
        return stopped_;
    });
    std::vector<bool> unlisted;
    for (const PendingMp3Line& pending : pendingMp3_) {
        const Mp3Reading::Result& read = results[pending.ticket];
        if (!read.found) {
            unlisted.resize(lines_.size());
            unlisted[pending.lineIndex] = true;
            continue;
        }
        appendListedFile(lines_[pending.lineIndex], pending.name, read.size, read.modified,
                         read.text, pending.pathAtEnd);
    }
    pendingMp3_.clear();
    if (!unlisted.empty()) {
        std::size_t index = 0;
        std::erase_if(lines_, [&](const std::string&) {
            const bool drop = index < unlisted.size() && unlisted[index];
            ++index;
            return drop;
        });
    }
}

}  // namespace quor::generate
