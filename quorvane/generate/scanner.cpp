#include "quorvane/generate/scanner.h"

#include <cerrno>
#include <memory>
#include <thread>

#include "common/file_io.h"
#include "common/number_text.h"
#include "quorvane/generate/cache_format.h"
#include "quorvane/generate/folder_walk.h"
#include "quorvane/generate/mp3_info.h"
#include "quorvane/generate/size_text.h"
#include "quorvane/store/folder_records.h"
#include "quorvane/store/quorvane_settings.h"

namespace quor::generate {

namespace {

bool isFlagSet(const store::AppSettings& settings, const store::NumberSetting& flag) {
    return settings.get(flag) == 1.0;
}

// An empty path stays empty (it names no folder, not the root folder).
std::string withTrailingSlash(std::string_view path) {
    std::string out(path);
    if (!out.empty() && out.back() != '/') {
        out += '/';
    }
    return out;
}

// Asks the walk to end when the formatting half leaves early (a stop or an
// exception), so that joining its thread never waits for a full queue or an
// answer that will not come.
struct StopWalkOnExit {
    WalkChannel& channel;
    ~StopWalkOnExit() { channel.requestStop(); }
};

// Any other stored number lists no size.
SizeMode sizeModeOf(int stored) {
    switch (stored) {
        case 1:
            return SizeMode::Bytes;
        case 2:
            return SizeMode::WithUnit;
        default:
            return SizeMode::None;
    }
}

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
    columns_.sizeMode = sizeModeOf(static_cast<int>(settings.get(store::kIncludeFileSize)));
    columns_.date = isFlagSet(settings, store::kIncludeFileDate);
    columns_.mp3Info = isFlagSet(settings, store::kIncludeMp3Info);
    columns_.songLength = isFlagSet(settings, store::kIncludeSongLength);
    columns_.pathAtEnd =
        isFlagSet(settings, store::kIncludePath) && isFlagSet(settings, store::kPathAtEnd);
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

ScanResult Scanner::Scan(std::string_view folder, std::string_view mask, int recordIndex) {
    const std::string path = withTrailingSlash(folder);
    stopped_ = false;
    mask_.emplace(mask);
    if (lines_.empty()) {
        startWalk(recordIndex);
        rootPath_ = path;
    }
    const ScanResult result = walk(path);
    completeMp3Lines();
    return stopped_ ? ScanResult::Cancelled : result;
}

// The walk on its own thread, its findings taken here as they come.
ScanResult Scanner::walk(const std::string& path) {
    WalkChannel channel;
    FolderWalk folderWalk(channel, *mask_, order_, mp3Reading_.get());
    {
        const std::string rootDisplay = displayPathOf(path);
        std::jthread walker([&] { folderWalk.run(path, rootDisplay); });
        StopWalkOnExit stopOnExit{channel};
        takeWalk(channel);
    }
    if (const std::exception_ptr error = channel.error()) {
        std::rethrow_exception(error);
    }
    return channel.result();
}

void Scanner::takeWalk(WalkChannel& channel) {
    while (const std::optional<WalkBatch> batch = channel.pop()) {
        for (const WalkEvent& event : batch->events) {
            if (stopped_) {
                break;  // what the walk found after the stop is left out
            }
            if (!take(channel, *batch, event)) {
                stopped_ = true;
                channel.requestStop();
            }
        }
    }
}

// Acts on one event of the walk; false when a stop was requested.
bool Scanner::take(WalkChannel& channel, const WalkBatch& batch, const WalkEvent& event) {
    const std::string_view text = batch.textOf(event);
    switch (event.kind) {
        case WalkEvent::Kind::Folder:
            currentFolder_ = text;
            lines_.push_back(folderHeadingLine(text));
            break;
        case WalkEvent::Kind::File:
            line_.clear();
            appendListedFile(line_, text, event.number, static_cast<std::time_t>(event.modified),
                             {}, currentFolder_);
            lines_.push_back(line_);
            break;
        case WalkEvent::Kind::Mp3File:
            pendingMp3_.push_back({lines_.size(), static_cast<std::size_t>(event.number),
                                   std::string(text),
                                   columns_.pathAtEnd ? currentFolder_ : std::string()});
            lines_.push_back({});
            break;
        case WalkEvent::Kind::Poll:
            return !context_.user.keepResponsive();
        case WalkEvent::Kind::Subfolder:
            context_.user.status(text);
            return !context_.user.keepResponsive();
        case WalkEvent::Kind::OpenFailed:
            channel.answer(openFailed(text, static_cast<int>(event.number), event.subfolder));
            break;
        case WalkEvent::Kind::Unread:
            unread_.emplace_back(text);
            break;
    }
    return true;
}

// A folder that could not be opened: true when the user chose Retry. A
// folder left out is remembered, unless it is a subfolder that vanished
// while the walk went on.
bool Scanner::openFailed(std::string_view path, int error, bool isSubfolder) {
    const std::string reason = ioErrorText("read the folder", std::string(path), error);
    if (!context_.user.unattended() &&
        context_.user.retryOrCancel("There was an error reading " + std::string(path) +
                                        "\nPlease make sure a disk is in the drive.",
                                    reason)) {
        return true;
    }
    if (!(isSubfolder && error == ENOENT)) {
        unread_.push_back(reason);
    }
    return false;
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

// Appends the line of a listed file with the columns the settings ask for
// and counts its size in the folder total.
void Scanner::appendListedFile(std::string& line, std::string_view name, std::uint64_t size,
                               std::time_t modified, std::string_view mp3Text,
                               std::string_view displayPath) {
    std::string sizeColumn;
    std::string dateText;
    FileLineColumns columns;
    if (columns_.sizeMode == SizeMode::Bytes) {
        sizeColumn = locale_->groupedSize(size);
        columns.size = sizeColumn;
    } else if (columns_.sizeMode == SizeMode::WithUnit) {
        sizeColumn = sizeText(static_cast<double>(size));
        columns.size = sizeColumn;
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

// Writes the lines of the MP3 files from what the workers read; files that
// turned out not to be listable are taken out of the buffer.
void Scanner::completeMp3Lines() {
    if (!mp3Reading_ || pendingMp3_.empty()) {
        return;
    }
    const std::vector<Mp3Reading::Result> results = mp3Reading_->finish([this] {
        stopped_ = stopped_ || context_.user.keepResponsive();
        return stopped_;
    });
    LineArena complete;
    auto pending = pendingMp3_.begin();
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        if (pending == pendingMp3_.end() || pending->lineIndex != i) {
            complete.push_back(lines_[i]);
            continue;
        }
        const Mp3Reading::Result& read = results[pending->ticket];
        if (read.found) {
            line_.clear();
            appendListedFile(line_, pending->name, read.size, read.modified, read.text,
                             pending->pathAtEnd);
            complete.push_back(line_);
        }
        ++pending;
    }
    pendingMp3_.clear();
    lines_ = std::move(complete);
}

}  // namespace quor::generate
