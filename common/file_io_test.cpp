#include "common/file_io.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <utility>
#include <vector>

#include "common/testing/temp_tree.h"

namespace quor {
namespace {

using testing::TempTree;

TEST(WriteFileAtomically, CreatesAndReplacesWholeFiles) {
    TempTree tree;
    const auto file = tree.path("list.txt");
    ASSERT_TRUE(writeFileAtomically(file, "first\r\n"));
    EXPECT_EQ(tree.read("list.txt"), "first\r\n");
    ASSERT_TRUE(writeFileAtomically(file, "second"));
    EXPECT_EQ(tree.read("list.txt"), "second");
    ASSERT_TRUE(writeFileAtomically(file, ""));
    EXPECT_EQ(tree.read("list.txt"), "");
}

TEST(WriteFileAtomically, LeavesNoTemporaryFileBehind) {
    TempTree tree;
    ASSERT_TRUE(writeFileAtomically(tree.path("a.txt"), "x"));
    int entries = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(tree.root())) {
        ++entries;
    }
    EXPECT_EQ(entries, 1);
}

TEST(WriteFileAtomically, KeepsThePermissionsOfTheFileItReplaces) {
    TempTree tree;
    const auto file = tree.file("script.sh", "old");
    ::chmod(file.c_str(), 0750);
    ASSERT_TRUE(writeFileAtomically(file, "new"));
    struct stat info {};
    ASSERT_EQ(::stat(file.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0750u);
}

TEST(WriteFileAtomically, AFailureNamesTheFileAndKeepsTheOldContents) {
    if (::geteuid() == 0) {
        GTEST_SKIP() << "root may write into a read-only folder";
    }
    TempTree tree;
    const auto file = tree.file("locked/list.txt", "old");
    ::chmod(tree.path("locked").c_str(), 0555);
    Status written = writeFileAtomically(file, "new");
    ASSERT_FALSE(written);
    EXPECT_NE(written.error().find("locked"), std::string::npos) << written.error();
    EXPECT_EQ(tree.read("locked/list.txt"), "old");
}

TEST(WriteFileAtomically, AMissingFolderIsAnErrorNotACrash) {
    TempTree tree;
    Status written = writeFileAtomically(tree.path("no/such/folder/x.txt"), "x");
    ASSERT_FALSE(written);
    EXPECT_NE(written.error().find("no/such/folder"), std::string::npos) << written.error();
}

int entriesIn(const std::filesystem::path& folder) {
    int entries = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder)) {
        ++entries;
    }
    return entries;
}

TEST(AtomicFileWriter, PiecesOfAnySizeArriveInOrderOnlyOnCommit) {
    TempTree tree;
    const auto file = tree.file("list.txt", "old");
    Result<AtomicFileWriter> writer = AtomicFileWriter::create(file);
    ASSERT_TRUE(writer) << writer.error();
    // Small pieces filling the buffer, one larger than the buffer, small
    // pieces again.
    std::vector<std::string> pieces;
    for (int i = 0; i < 400000; ++i) {
        pieces.push_back(std::string(3, static_cast<char>('a' + i % 26)));
    }
    pieces.push_back(std::string(5 << 20, 'B'));
    for (int i = 0; i < 1000; ++i) {
        pieces.push_back(std::to_string(i));
    }
    std::string expected;
    for (const std::string& piece : pieces) {
        writer->append(piece);
        expected += piece;
    }
    EXPECT_EQ(tree.read("list.txt"), "old");
    ASSERT_TRUE(writer->commit());
    EXPECT_TRUE(tree.read("list.txt") == expected);
    EXPECT_EQ(entriesIn(tree.root()), 1);
}

TEST(AtomicFileWriter, AWriterNeverCommittedLeavesTheOldFileAndNoTrace) {
    TempTree tree;
    const auto file = tree.file("list.txt", "old");
    {
        Result<AtomicFileWriter> writer = AtomicFileWriter::create(file);
        ASSERT_TRUE(writer);
        writer->append(std::string(3 << 20, 'x'));
    }
    EXPECT_EQ(tree.read("list.txt"), "old");
    EXPECT_EQ(entriesIn(tree.root()), 1);
}

TEST(AtomicFileWriter, AFailedWriteIsReportedAtCommitAndChangesNothing) {
    TempTree tree;
    const auto file = tree.file("list.txt", "old");
    // Files larger than 64 KiB cannot be written: writes fail with EFBIG.
    struct rlimit old {};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &old), 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit small = old;
    small.rlim_cur = 64 * 1024;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    Status committed;
    {
        Result<AtomicFileWriter> writer = AtomicFileWriter::create(file);
        ASSERT_TRUE(writer);
        for (int i = 0; i < 100; ++i) {
            writer->append(std::string(64 * 1024, 'x'));
        }
        committed = writer->commit();
    }
    ::setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);
    ASSERT_FALSE(committed);
    EXPECT_NE(committed.error().find("list.txt"), std::string::npos) << committed.error();
    EXPECT_EQ(tree.read("list.txt"), "old");
    EXPECT_EQ(entriesIn(tree.root()), 1);
}

TEST(AtomicFileWriter, AMissingFolderFailsAtTheStart) {
    TempTree tree;
    Result<AtomicFileWriter> writer = AtomicFileWriter::create(tree.path("no/such/x.txt"));
    ASSERT_FALSE(writer);
    EXPECT_NE(writer.error().find("no/such"), std::string::npos) << writer.error();
}

TEST(FileOperations, CopyRenameAndRemove) {
    TempTree tree;
    tree.file("a.txt", "contents");
    ASSERT_TRUE(copyFileAtomically(tree.path("a.txt"), tree.path("b.txt")));
    EXPECT_EQ(tree.read("b.txt"), "contents");
    ASSERT_TRUE(renameFile(tree.path("b.txt"), tree.path("c.txt")));
    EXPECT_FALSE(tree.exists("b.txt"));
    EXPECT_EQ(tree.read("c.txt"), "contents");
    ASSERT_TRUE(removeFileIfExists(tree.path("c.txt")));
    ASSERT_TRUE(removeFileIfExists(tree.path("c.txt")));  // missing is fine
    EXPECT_FALSE(tree.exists("c.txt"));

    Status missing = copyFileAtomically(tree.path("nothing.txt"), tree.path("d.txt"));
    EXPECT_FALSE(missing);
    EXPECT_FALSE(tree.exists("d.txt"));
    Result<std::string> read = readFile(tree.path("nothing.txt"));
    ASSERT_FALSE(read);
    EXPECT_NE(read.error().find("nothing.txt"), std::string::npos);
}

TEST(FileOperations, ReadsLargeFilesWhole) {
    TempTree tree;
    std::string big(300000, 'x');
    big[123456] = 'y';
    tree.file("big.bin", big);
    Result<std::string> read = readFile(tree.path("big.bin"));
    ASSERT_TRUE(read);
    EXPECT_EQ(*read, big);
}

// Owned files can be swapped by hand or by another program: a pipe in
// their place must not hang a reader, nor a device fill memory.
TEST(FileOperations, ReadsOnlyRegularFiles) {
    TempTree tree;
    ASSERT_EQ(::mkfifo(tree.path("pipe").c_str(), 0600), 0);
    std::filesystem::create_symlink("/dev/zero", tree.path("zero"));
    tree.folder("folder");
    for (const char* name : {"pipe", "zero", "folder"}) {
        const Result<std::string> read = readFile(tree.path(name));
        ASSERT_FALSE(read) << name;
        EXPECT_NE(read.error().find(name), std::string::npos) << read.error();
    }
    EXPECT_FALSE(copyFileAtomically(tree.path("pipe"), tree.path("copy")));
    EXPECT_FALSE(std::filesystem::exists(tree.path("copy")));
}

TEST(FileOperations, AFileOverItsLimitIsRefused) {
    TempTree tree;
    tree.file("nine", std::string(9, 'x'));
    EXPECT_TRUE(readFile(tree.path("nine"), 9));
    const Result<std::string> read = readFile(tree.path("nine"), 8);
    ASSERT_FALSE(read);
    EXPECT_NE(read.error().find("too large"), std::string::npos) << read.error();
}

TEST(CopyFileIfMissing, CopiesOnceAndNeverReplacesWhatIsThere) {
    TempTree tree;
    tree.file("sample.html", "<!--list-->");
    Result<bool> first = copyFileIfMissing(tree.path("sample.html"), tree.path("mine.html"));
    ASSERT_TRUE(first) << first.error();
    EXPECT_TRUE(*first);
    EXPECT_EQ(tree.read("mine.html"), "<!--list-->");

    tree.file("mine.html", "my own page");
    Result<bool> again = copyFileIfMissing(tree.path("sample.html"), tree.path("mine.html"));
    ASSERT_TRUE(again);
    EXPECT_FALSE(*again);
    EXPECT_EQ(tree.read("mine.html"), "my own page");

    // A dangling link is the user's too: it is left alone, not followed.
    std::filesystem::create_symlink(tree.path("elsewhere.html"), tree.path("link.html"));
    Result<bool> linked = copyFileIfMissing(tree.path("sample.html"), tree.path("link.html"));
    ASSERT_TRUE(linked);
    EXPECT_FALSE(*linked);
    EXPECT_FALSE(tree.exists("elsewhere.html"));

    int entries = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(tree.root())) {
        ++entries;
    }
    EXPECT_EQ(entries, 3);  // no temporary file left behind
}

TEST(CopyFileIfMissing, AMissingSourceIsAnErrorAndCreatesNothing) {
    TempTree tree;
    Result<bool> copied = copyFileIfMissing(tree.path("none.html"), tree.path("mine.html"));
    ASSERT_FALSE(copied);
    EXPECT_NE(copied.error().find("none.html"), std::string::npos) << copied.error();
    EXPECT_FALSE(tree.exists("mine.html"));
}

// Device and inode of path itself (not following a link), to tell whether
// a file was rewritten and whether two names share one file.
std::pair<dev_t, ino_t> identity(const std::filesystem::path& path) {
    struct stat info {};
    if (::lstat(path.c_str(), &info) != 0) {
        return {0, 0};
    }
    return {info.st_dev, info.st_ino};
}

bool linksWorkIn(const TempTree& tree) {
    const auto probe = tree.file("probe");
    const bool works = ::link(probe.c_str(), tree.path("probe2").c_str()) == 0;
    std::filesystem::remove(tree.path("probe2"));
    std::filesystem::remove(probe);
    return works;
}

bool hasTemporaryFiles(const TempTree& tree) {
    for (const auto& entry : std::filesystem::directory_iterator(tree.root())) {
        if (entry.path().filename().string().starts_with('.')) {
            return true;
        }
    }
    return false;
}

enum class Target { Missing, SameBytes, OtherBytes, Shorter, HardLink, SymbolicLink, Pipe };

struct CopyCase {
    const char* name;
    Target before;
    CopyStorage storage;
    bool rewritten;  // the target's name gets another file
    bool shared;     // ... and that file is the source (where links work)
};

TEST(CopyFileAtomically, WritesOnlyWhatDiffersAndSharesOnlyWhenAllowed) {
    constexpr auto kSeparate = CopyStorage::Separate;
    constexpr auto kShared = CopyStorage::Shared;
    const CopyCase cases[] = {
        {"a new separate copy", Target::Missing, kSeparate, true, false},
        {"a new shared copy", Target::Missing, kShared, true, true},
        {"equal bytes stay", Target::SameBytes, kSeparate, false, false},
        {"equal bytes stay, not linked", Target::SameBytes, kShared, false, false},
        {"other bytes of the same size", Target::OtherBytes, kSeparate, true, false},
        {"other bytes, shared", Target::OtherBytes, kShared, true, true},
        {"a shorter file, shared", Target::Shorter, kShared, true, true},
        {"a hard link made separate", Target::HardLink, kSeparate, true, false},
        {"a hard link already shared", Target::HardLink, kShared, false, true},
        {"a symbolic link to equal bytes", Target::SymbolicLink, kSeparate, true, false},
        {"a pipe in the target's place", Target::Pipe, kShared, true, true},
    };
    for (const CopyCase& c : cases) {
        TempTree tree;
        const bool links = linksWorkIn(tree);
        const auto source = tree.file("0.txt", "listing\r\n");
        const auto target = tree.path("list0.dat");
        switch (c.before) {
            case Target::Missing:
                break;
            case Target::SameBytes:
                tree.file("list0.dat", "listing\r\n");
                break;
            case Target::OtherBytes:
                tree.file("list0.dat", "LISTING\r\n");
                break;
            case Target::Shorter:
                tree.file("list0.dat", "list");
                break;
            case Target::HardLink:
                if (!links) {
                    continue;
                }
                ASSERT_EQ(::link(source.c_str(), target.c_str()), 0);
                break;
            case Target::SymbolicLink:
                tree.file("elsewhere.dat", "listing\r\n");
                std::filesystem::create_symlink(tree.path("elsewhere.dat"), target);
                break;
            case Target::Pipe:
                ASSERT_EQ(::mkfifo(target.c_str(), 0600), 0);
                break;
        }
        const auto old = identity(target);
        ASSERT_TRUE(copyFileAtomically(source, target, c.storage)) << c.name;
        EXPECT_EQ(tree.read("list0.dat"), "listing\r\n") << c.name;
        EXPECT_TRUE(std::filesystem::is_regular_file(std::filesystem::symlink_status(target)))
            << c.name;
        EXPECT_EQ(identity(target) != old, c.rewritten) << c.name;
        EXPECT_EQ(identity(target) == identity(source), c.shared && links) << c.name;
        EXPECT_FALSE(hasTemporaryFiles(tree)) << c.name;
        if (c.before == Target::SymbolicLink) {
            EXPECT_EQ(tree.read("elsewhere.dat"), "listing\r\n") << c.name;
        }
    }
}

// Every writer of shared copies replaces files by rename, so replacing
// either name must leave the other's bytes as they were.
TEST(CopyFileAtomically, ReplacingEitherNameOfASharedCopyLeavesTheOther) {
    TempTree tree;
    const auto cache = tree.file("0.txt", "first\r\n");
    const auto saved = tree.path("list0.dat");
    ASSERT_TRUE(copyFileAtomically(cache, saved, CopyStorage::Shared));
    ASSERT_TRUE(writeFileAtomically(cache, "second\r\n"));
    EXPECT_EQ(tree.read("list0.dat"), "first\r\n");

    ASSERT_TRUE(copyFileAtomically(cache, saved, CopyStorage::Shared));
    EXPECT_EQ(tree.read("list0.dat"), "second\r\n");
    ASSERT_TRUE(copyFileAtomically(tree.file("other.txt", "third\r\n"), cache));
    EXPECT_EQ(tree.read("list0.dat"), "second\r\n");
    ASSERT_TRUE(renameFile(saved, tree.path("moved.dat")));
    EXPECT_EQ(tree.read("0.txt"), "third\r\n");
}

// A source that is a symbolic link may lead anywhere, to a file that is
// written in place: the copy gets bytes of its own.
TEST(CopyFileAtomically, ASourceThatIsASymbolicLinkIsCopiedNotLinked) {
    TempTree tree;
    const auto real = tree.file("elsewhere/notes.txt", "mine\r\n");
    std::filesystem::create_symlink(real, tree.path("0.txt"));
    ASSERT_TRUE(
        copyFileAtomically(tree.path("0.txt"), tree.path("list0.dat"), CopyStorage::Shared));
    EXPECT_NE(identity(tree.path("list0.dat")), identity(real));
    tree.file("elsewhere/notes.txt", "changed in place\r\n");
    EXPECT_EQ(tree.read("list0.dat"), "mine\r\n");
}

TEST(CopyFileAtomically, CopiesFilesLargerThanItsBufferExactly) {
    TempTree tree;
    std::string big(700001, 'x');
    for (std::size_t i = 0; i < big.size(); i += 997) {
        big[i] = static_cast<char>('a' + i % 26);
    }
    const auto source = tree.file("big.txt", big);
    ASSERT_TRUE(copyFileAtomically(source, tree.path("copy.txt")));
    EXPECT_EQ(tree.read("copy.txt"), big);
}

TEST(WriteFileIfChanged, RewritesOnlyAFileThatDiffers) {
    TempTree tree;
    FolderFlushes flushes;
    const auto file = tree.file("list.lst", "3.2\r\n");
    const auto old = identity(file);
    ASSERT_TRUE(writeFileIfChanged(file, "3.2\r\n", flushes));
    EXPECT_EQ(identity(file), old);

    for (const char* contents : {"3.2\r", "3.2\r\n\r\n", "3.3\r\n", ""}) {
        ASSERT_TRUE(writeFileIfChanged(file, contents, flushes));
        EXPECT_EQ(tree.read("list.lst"), contents);
    }
    // A link in the file's place is replaced, not written through.
    tree.file("other.lst", "x");
    std::filesystem::create_symlink(tree.path("other.lst"), tree.path("linked.lst"));
    ASSERT_TRUE(writeFileIfChanged(tree.path("linked.lst"), "x", flushes));
    EXPECT_FALSE(std::filesystem::is_symlink(tree.path("linked.lst")));
    EXPECT_TRUE(flushes.flush());
}

TEST(FolderFlushes, AFolderThatVanishedIsReportedAndForgotten) {
    TempTree tree;
    FolderFlushes flushes;
    tree.file("gone/a.txt");
    ASSERT_TRUE(writeFileAtomically(tree.path("gone/a.txt"), "a", flushes));
    ASSERT_TRUE(writeFileAtomically(tree.path("gone/b.txt"), "b", flushes));
    std::filesystem::remove_all(tree.path("gone"));
    const Status flushed = flushes.flush();
    ASSERT_FALSE(flushed);
    EXPECT_NE(flushed.error().find("gone"), std::string::npos) << flushed.error();
    EXPECT_TRUE(flushes.flush());
}

}  // namespace
}  // namespace quor
