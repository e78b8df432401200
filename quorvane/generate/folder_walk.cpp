#include "quorvane/generate/folder_walk.h"

#include <dirent.h>
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <vector>

#include "common/file_io.h"
#include "common/unique_fd.h"
#include "quorvane/generate/cache_format.h"
#include "quorvane/generate/mp3_info.h"
#include "quorvane/generate/scanner.h"
#include "quorvane/generate/sort.h"

namespace quor::generate {

namespace {

bool isHidden(const char* name) {
    return name[0] == '.';
}

// Entries of one folder listed between two polls.
constexpr std::size_t kEntriesPerPoll = 64;

// A batch is handed over when it holds this many events, or at a poll
// once it has waited this long, so that the window's polls are not held
// back by a slow walk.
constexpr std::size_t kEventsPerBatch = 2048;
constexpr std::chrono::milliseconds kBatchWait{10};

// Closes a directory stream when the folder's listing is done.
struct DirCloser {
    void operator()(DIR* dir) const { closedir(dir); }
};

}  // namespace

FolderWalk::FolderWalk(WalkChannel& channel, const FileMask& mask, const Collation& order,
                       Mp3Reading* mp3)
    : channel_(channel), mask_(mask), order_(order), mp3_(mp3) {}

void FolderWalk::run(const std::string& root, const std::string& rootDisplay) noexcept {
    try {
        batchStart_ = std::chrono::steady_clock::now();
        const ScanResult result = walkFolder(root, rootDisplay, false);
        if (folderHandle_) {
            folderHandle_.reset();
            mp3_->wake();
        }
        (void)flush();
        channel_.finish(result, nullptr);
    } catch (...) {  // the scanner's thread throws it again
        channel_.finish(ScanResult::Cancelled, std::current_exception());
    }
}

void FolderWalk::add(WalkEvent::Kind kind, std::string_view text, std::uint64_t number,
                     std::int64_t modified) {
    WalkEvent event{kind};
    event.number = number;
    event.modified = modified;
    batch_.add(event, text);
    if (batch_.events.size() >= kEventsPerBatch) {
        stopped_ = !flush() || stopped_;
    }
}

bool FolderWalk::flush() {
    batchStart_ = std::chrono::steady_clock::now();
    if (batch_.empty()) {
        return !channel_.stopRequested();
    }
    WalkBatch full = std::move(batch_);
    batch_ = {};
    return channel_.push(std::move(full));
}

// A poll or the status before a subfolder; false once the walk should end.
bool FolderWalk::pollPoint(WalkEvent::Kind kind, std::string_view text) {
    add(kind, text);
    if (!stopped_ && std::chrono::steady_clock::now() - batchStart_ >= kBatchWait) {
        stopped_ = !flush();
    }
    stopped_ = stopped_ || channel_.stopRequested();
    return !stopped_;
}

// Opens the folder for listing, asking Retry or Cancel while it fails.
// Returns the descriptor, or -1 on Cancel. A subfolder is never entered
// through a symbolic link, even one that replaced it after it was listed.
int FolderWalk::openFolder(const std::string& path, bool isSubfolder) {
    const int flags = O_RDONLY | O_DIRECTORY | O_CLOEXEC | (isSubfolder ? O_NOFOLLOW : 0);
    for (;;) {
        const int fd = open(path.c_str(), flags);
        if (fd >= 0) {
            return fd;
        }
        WalkEvent failed{WalkEvent::Kind::OpenFailed};
        failed.subfolder = isSubfolder;
        failed.number = static_cast<std::uint64_t>(errno);
        batch_.add(failed, path);
        WalkBatch question = std::move(batch_);
        batch_ = {};
        if (!channel_.ask(std::move(question))) {
            return -1;
        }
    }
}

ScanResult FolderWalk::walkFolder(const std::string& path, const std::string& displayPath,
                                  bool isSubfolder) {
    UniqueFd fd(openFolder(path, isSubfolder));
    if (!fd) {
        return ScanResult::Cancelled;
    }
    // The folder stream owns the descriptor from here.
    std::unique_ptr<DIR, DirCloser> dir(fdopendir(fd.get()));
    if (!dir) {
        add(WalkEvent::Kind::Unread, ioErrorText("read the folder", path, errno));
        return ScanResult::Cancelled;
    }
    (void)fd.release();
    add(WalkEvent::Kind::Folder, displayPath);

    std::vector<std::string> subfolders;
    const int dirFd = dirfd(dir.get());
    std::size_t entries = 0;
    while (const dirent* entry = readdir(dir.get())) {
        if (stopped_) {
            break;
        }
        // A folder of many thousand files keeps the window live too.
        if (++entries % kEntriesPerPoll == 0 && !pollPoint(WalkEvent::Kind::Poll)) {
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
        } else if ((type == DT_REG || type == DT_LNK) && mask_.matches(name)) {
            addFile(dirFd, name, haveStat ? &st : nullptr, type == DT_REG);
        }
    }
    if (folderHandle_) {
        folderHandle_.reset();
        mp3_->wake();
    }
    dir.reset();

    SortStrings(subfolders, order_);
    for (const std::string& name : subfolders) {
        const std::string subfolder = path + name + "/";
        if (stopped_ || !pollPoint(WalkEvent::Kind::Subfolder, subfolder)) {
            break;
        }
        (void)walkFolder(subfolder, displayPath + encodeCacheName(name) + "/", true);
    }
    return ScanResult::Normal;
}

void FolderWalk::addFile(int dirFd, const char* name, const struct ::stat* known,
                         bool regularEntry) {
    if (mp3_ != nullptr && hasMp3Extension(name)) {
        queueMp3File(dirFd, name, !regularEntry);
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
    add(WalkEvent::Kind::File, name, static_cast<std::uint64_t>(st.st_size), st.st_mtime);
}

// An MP3 file is read by the workers; the formatting half keeps its line's
// place until the walk is done.
void FolderWalk::queueMp3File(int dirFd, const char* name, bool isLink) {
    if (!folderHandle_) {
        folderHandle_ = std::make_shared<const FolderHandle>(fcntl(dirFd, F_DUPFD_CLOEXEC, 0));
    }
    const std::size_t ticket = mp3_->add({folderHandle_, name, isLink});
    add(WalkEvent::Kind::Mp3File, name, ticket);
}

}  // namespace quor::generate
