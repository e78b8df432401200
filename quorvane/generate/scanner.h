#pragma once

// The folder scanner: walks one catalogued folder and everything below it
// and keeps one cache line per folder and per file in memory, with the
// file's columns (size, MP3 information, date, path at the end) already
// formatted as the settings ask; WriteCacheFile then writes those lines as
// the record's folder cache file (see cache_format.h for the grammar).
//
// The walk's system calls run on a second thread (folder_walk.h) while the
// calling thread formats the lines and talks to the user, so the two
// overlap. The lines and their order, and the questions, status texts and
// polls, are those of a walk on one thread; after a stop nothing more that
// the walk found is taken.
//
// Linux rules: names beginning with "." are hidden and neither listed nor
// walked; only regular files are listed (a symbolic link to a regular file
// counts, with the target's size and date); symbolic links to folders are
// never walked, nor is a folder named "pagefile.sys". Subfolders are walked
// in the locale's case-insensitive order, files listed in the order the
// file system returns them.

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/result.h"
#include "quorvane/generate/collation.h"
#include "quorvane/generate/file_mask.h"
#include "quorvane/generate/line_arena.h"
#include "quorvane/generate/locale_text.h"
#include "quorvane/generate/mp3_reading.h"
#include "quorvane/generate/removable_disk_state.h"
#include "quorvane/generate/scan_result.h"
#include "quorvane/generate/walk_channel.h"
#include "quorvane/store/list_context.h"

namespace quor::generate {

// The size column of a file line ("IncludeFileSize" 0, 1 or 2): none, the
// bytes with the locale's separators, or the size with a unit.
enum class SizeMode { None, Bytes, WithUnit };

class Scanner {
  public:
    explicit Scanner(const store::ListContext& context,
                     const Collation& order = Collation::forUserLocale());

    // Empties the line buffer and the folder total: the next Scan starts a
    // new walk (reading the column settings and the record's display name).
    void reset();

    // Walks folder and its subfolders, listing the files whose names match
    // mask, and appends their lines to the buffer. Returns Normal, or
    // Cancelled when the folder itself could not be read and the user chose
    // Cancel (always so in an unattended run), or a stop was requested
    // while it ran; the buffer then holds what was read so far. A subfolder
    // that cannot be read is asked about the same way and, on Cancel, left
    // out while the walk goes on. A file whose size or date cannot be read
    // is left out. Throws StoreError when the settings cannot be read.
    ScanResult Scan(std::string_view folder, std::string_view mask, int recordIndex);

    // Writes the buffer as the cache file of record recordIndex, atomically,
    // with the total line first; a removable disk set's file gets a disk
    // block ("?" + display name, total, lines), written anew or added to the
    // old file by the disk state (newFile is cleared once the new file is
    // written). Folder headings of folders without files of their own are
    // left out unless "IncludeEmptyDirs" is set. On failure the user is told
    // "There was a problem saving the list! (savepath)" and the old file is
    // left as it was.
    Status WriteCacheFile(int recordIndex, RemovableDiskState& disk);

    const LineArena& lines() const { return lines_; }
    double folderTotal() const { return total_; }

    // Why each folder left out of this walk could not be read ("Could not
    // read the folder ...: reason"), for a run without a user to tell. A
    // subfolder that vanished while the walk went on is not among them.
    const std::vector<std::string>& unreadFolders() const { return unread_; }

  private:
    struct Columns {
        SizeMode sizeMode = SizeMode::None;
        bool date = false;
        bool mp3Info = false;
        bool songLength = false;
        bool pathAtEnd = false;
    };

    void startWalk(int recordIndex);
    ScanResult walk(const std::string& path);
    void takeWalk(WalkChannel& channel);
    bool take(WalkChannel& channel, const WalkBatch& batch, const WalkEvent& event);
    bool openFailed(std::string_view path, int error, bool isSubfolder);
    void appendListedFile(std::string& line, std::string_view name, std::uint64_t size,
                          std::time_t modified, std::string_view mp3Text,
                          std::string_view displayPath);
    void completeMp3Lines();
    std::string displayPathOf(const std::string& path) const;
    Status writeFile(int recordIndex, RemovableDiskState& disk);

    store::ListContext context_;
    const Collation& order_;
    LineArena lines_;
    std::vector<std::string> unread_;
    double total_ = 0;
    Columns columns_;
    std::optional<FileMask> mask_;
    std::optional<LocaleTexts> locale_;
    std::string rootPath_;
    std::string displayName_;
    std::string currentFolder_;  // display path of the folder whose files come in
    std::string line_;           // the line being formatted, reused
    bool stopped_ = false;

    // A file line that waits for its MP3 column.
    struct PendingMp3Line {
        std::size_t lineIndex;
        std::size_t ticket;
        std::string name;
        std::string pathAtEnd;
    };
    std::unique_ptr<Mp3Reading> mp3Reading_;
    std::vector<PendingMp3Line> pendingMp3_;
};

}  // namespace quor::generate
