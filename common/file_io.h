#pragma once

// File operations with their failures turned into the text the user sees.
//
// Files the programs own are replaced atomically: the new contents go to a
// temporary file in the same folder, which is flushed to disk and renamed
// over the old file, and then the folder itself is flushed. A crash or a
// full disk therefore leaves either the old file or the new one, whole,
// never a mixture.

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "common/result.h"
#include "common/unique_fd.h"

namespace quor {

// Opens file for reading when it is a regular file (after following links).
// The open never waits:
// a pipe in the file's place is refused, not waited on, and a device is
// never read without end. Fails, naming the file.
Result<UniqueFd> openRegularFile(const std::filesystem::path& file);

// Reads a whole regular file (see openRegularFile). Fails, naming the file,
// when it is missing, unreadable, anything but a regular file, or larger
// than maxBytes (then without reading more than maxBytes + 64 KiB).
Result<std::string> readFile(const std::filesystem::path& file,
                             std::size_t maxBytes = static_cast<std::size_t>(-1));

// Folders whose entries were replaced and still need flushing to disk, so
// that several files replaced in one folder share one flush. A replaced
// file is whole at every moment either way (old or new); it stays replaced
// after a crash once flush() has returned. Callers flush before they report
// success.
class FolderFlushes {
  public:
    void add(const std::filesystem::path& folder);
    // Flushes each folder added since the last flush once; the first
    // failure is returned (the others are still flushed).
    Status flush();

  private:
    std::vector<std::filesystem::path> folders_;
};

// Replaces (or creates) file with contents, atomically and durably. A
// replaced file keeps its permission bits; a new one gets 0666 less the
// umask. The form with FolderFlushes leaves the folder's flush to it.
Status writeFileAtomically(const std::filesystem::path& file, std::string_view contents);
Status writeFileAtomically(const std::filesystem::path& file, std::string_view contents,
                           FolderFlushes& later);

// A file written piece by piece that replaces file, atomically and durably,
// only when commit() succeeds: until then the pieces go to a temporary file
// beside it, and a writer destroyed without a successful commit removes
// that file and leaves file as it was. For texts too large to assemble in
// memory first. The first failure is kept: later appends do nothing and
// commit() returns it, naming file.
class AtomicFileWriter {
  public:
    // Starts a new temporary file beside file (with file's permission bits,
    // or those of a new file). Fails, naming file's folder.
    static Result<AtomicFileWriter> create(const std::filesystem::path& file);

    AtomicFileWriter(AtomicFileWriter&& other) noexcept;
    AtomicFileWriter& operator=(AtomicFileWriter&&) = delete;
    AtomicFileWriter(const AtomicFileWriter&) = delete;
    AtomicFileWriter& operator=(const AtomicFileWriter&) = delete;
    ~AtomicFileWriter();

    // Adds text to the end of the new file (buffered).
    void append(std::string_view text);

    // Writes what is buffered, flushes the file to disk, renames it over
    // file and flushes the folder. Call once.
    Status commit();

  private:
    AtomicFileWriter(std::filesystem::path file, UniqueFd fd, std::string tempName);
    void writeBuffer();

    std::filesystem::path file_;
    UniqueFd fd_;
    std::string tempName_;
    std::string buffer_;
    Status failure_;
};

// writeFileAtomically, except that a regular file (not a link) that holds
// contents already is left as it is: not rewritten, not flushed, its
// modification time unchanged. For owned files whose time means nothing.
Status writeFileIfChanged(const std::filesystem::path& file, std::string_view contents,
                          FolderFlushes& later);

// How a copy may keep its bytes.
enum class CopyStorage {
    // A file of its own: writing either file in place leaves the other.
    Separate,
    // Where the file system allows, the source's own storage under a
    // second name (a hard link), which costs no writing and no flush of
    // data. Only for files that every writer replaces by rename and never
    // writes in place (writeFileAtomically, copyFileAtomically, renameFile),
    // so that replacing either name leaves the other whole; and only for a
    // source whose data is on disk already, as every file written by these
    // functions is. A source that is a symbolic link is copied, not linked.
    Shared,
};

// Makes target a copy of source, atomically (target is whole at every
// moment, old or new after a crash) and durably. Nothing is written when
// target already is a regular file (not a link) with source's bytes, or,
// for a Shared copy, source itself under a second name. Memory use does
// not grow with the file's size. Fails, naming the file, when source is
// missing, unreadable or not a regular file; target is then unchanged.
Status copyFileAtomically(const std::filesystem::path& source, const std::filesystem::path& target,
                          CopyStorage storage = CopyStorage::Separate);
Status copyFileAtomically(const std::filesystem::path& source, const std::filesystem::path& target,
                          CopyStorage storage, FolderFlushes& later);

// Copies source to target atomically unless target exists (as anything,
// even a dangling link). An existing target is never replaced, not even one
// that appears while the copy is made. True when the copy was made, false
// when target was already there.
Result<bool> copyFileIfMissing(const std::filesystem::path& source,
                               const std::filesystem::path& target);

// Creates target with contents atomically unless target exists, with the
// same guarantees as copyFileIfMissing. True when the file was made.
Result<bool> writeFileIfMissing(const std::filesystem::path& target, std::string_view contents);

// Renames from to to (replacing to), then flushes the folder of to.
Status renameFile(const std::filesystem::path& from, const std::filesystem::path& to);

// Deletes file if it exists; a missing file is success.
Status removeFileIfExists(const std::filesystem::path& file);

// True when path names an existing regular file (following links).
bool isRegularFile(const std::filesystem::path& path);

// True when path names an existing folder (following links).
bool isFolder(const std::filesystem::path& path);

// Creates folder and its missing parents.
Status createFolders(const std::filesystem::path& folder);

// "Could not <action> <path>: <reason from errno>".
std::string ioErrorText(std::string_view action, const std::filesystem::path& path, int errnum);

}  // namespace quor
