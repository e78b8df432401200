// Writing the scanner's lines as a folder cache file.

#include <cerrno>
#include <optional>

#include "common/file_io.h"
#include "common/number_text.h"
#include "quorvane/generate/cache_format.h"
#include "quorvane/generate/scanner.h"
#include "quorvane/store/folder_records.h"
#include "quorvane/store/operation_failure.h"
#include "quorvane/store/quorvane_settings.h"

namespace quor::generate {

namespace {

constexpr std::string_view kCrLf = "\r\n";
constexpr std::string_view kSaveFailed = "There was a problem saving the list! (savepath)";

bool isFolderHeading(std::string_view line) {
    return !line.empty() && line[0] == '*';
}

// The lines as the cache file holds them: with includeEmptyDirs clear, a
// folder heading that is last or directly followed by another heading (a
// folder without files of its own) is left out.
void appendLines(std::string& out, const LineArena& lines, bool includeEmptyDirs) {
    out.reserve(out.size() + lines.textBytes() + kCrLf.size() * lines.size());
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (!includeEmptyDirs && isFolderHeading(lines[i]) &&
            (i + 1 == lines.size() || isFolderHeading(lines[i + 1]))) {
            continue;
        }
        out += lines[i];
        out += kCrLf;
    }
}

}  // namespace

Status Scanner::WriteCacheFile(int recordIndex, RemovableDiskState& disk) {
    std::optional<BusyPointer> busy;
    if (!context_.user.unattended()) {
        busy.emplace(context_.user);
    }
    const Status written = store::statusOf([&] { return writeFile(recordIndex, disk); });
    if (!written) {
        context_.user.notice(kSaveFailed, written.error());
    }
    return written;
}

Status Scanner::writeFile(int recordIndex, RemovableDiskState& disk) {
    const store::AppSettings settings = context_.settings();
    const store::FolderRecord record = store::readFolderRecord(settings, recordIndex);
    const bool includeEmptyDirs = settings.get(store::kIncludeEmptyDirs) != 0;
    const std::filesystem::path file = context_.places.cacheFile(recordIndex);

    std::string out;
    const bool removable = store::isRemovableDiskSet(record);
    const bool startsFile = !removable || !disk.addToSet || disk.newFile;
    if (!startsFile && isRegularFile(file)) {
        // Adding a disk block: the old blocks and the new one go into one new
        // complete file, so the old file is whole until it is replaced.
        Result<std::string> old = readFile(file);
        if (!old) {
            return Error{old.error()};
        }
        out = std::move(*old);
        if (!out.empty() && out.back() != '\n') {
            out += kCrLf;
        }
    }
    if (removable) {
        out += diskHeaderLine(storedDisplayName(record.pathname));
        out += kCrLf;
    }
    out += totalLine(total_);
    out += kCrLf;
    appendLines(out, lines_, includeEmptyDirs);

    // A folder that did not change keeps its cache file as it is: nothing
    // is written or flushed, and its saved copies stay the same file.
    FolderFlushes flushes;
    Status status = writeFileIfChanged(file, out, flushes);
    if (status) {
        status = flushes.flush();
    }
    if (status && removable && disk.addToSet && disk.newFile) {
        disk.newFile = false;
    }
    return status;
}

}  // namespace quor::generate
