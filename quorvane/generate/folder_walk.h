#pragma once

// The walk half of the scanner, run on a thread of its own: lists a folder
// and everything below it with the system calls (open, readdir, fstatat),
// subfolders in the collation's order after the folder's own files, and
// hands what it finds to the formatting half through a WalkChannel. It never
// touches the interaction: a folder that cannot be opened is a question on
// the channel, and polls are events that the other half acts on.
//
// The rules of what is listed are the scanner's (scanner.h).

#include <sys/stat.h>

#include <chrono>
#include <memory>
#include <string>
#include <string_view>

#include "quorvane/generate/collation.h"
#include "quorvane/generate/file_mask.h"
#include "quorvane/generate/mp3_reading.h"
#include "quorvane/generate/walk_channel.h"

namespace quor::generate {

class FolderWalk {
  public:
    // mp3 is null when no MP3 column is listed; otherwise MP3 files are
    // queued there and handed over as Mp3File events with their tickets.
    FolderWalk(WalkChannel& channel, const FileMask& mask, const Collation& order, Mp3Reading* mp3);

    // Walks root (a path ending in "/", shown as rootDisplay) and finishes
    // the channel with Normal, or Cancelled when the root could not be
    // read; an exception ends the walk and is handed over too.
    void run(const std::string& root, const std::string& rootDisplay) noexcept;

  private:
    ScanResult walkFolder(const std::string& path, const std::string& displayPath,
                          bool isSubfolder);
    int openFolder(const std::string& path, bool isSubfolder);
    void addFile(int dirFd, const char* name, const struct ::stat* known, bool regularEntry);
    void queueMp3File(int dirFd, const char* name, bool isLink);
    void add(WalkEvent::Kind kind, std::string_view text = {}, std::uint64_t number = 0,
             std::int64_t modified = 0);
    bool pollPoint(WalkEvent::Kind kind, std::string_view text = {});
    [[nodiscard]] bool flush();

    WalkChannel& channel_;
    const FileMask& mask_;
    const Collation& order_;
    Mp3Reading* mp3_;
    std::shared_ptr<const FolderHandle> folderHandle_;  // the folder being listed, once needed
    WalkBatch batch_;
    std::chrono::steady_clock::time_point batchStart_;
    bool stopped_ = false;
};

}  // namespace quor::generate
