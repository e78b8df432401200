#pragma once

// The situation of the robustness tests of the unattended build: the real
// quorvane binary run as a child process on a generated tree, in a
// temporary program folder, with the files it owns read back whole so that
// a test can tell the previous version of each from the new one.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "common/testing/child_process.h"
#include "common/testing/scoped_environment.h"
#include "common/testing/temp_tree.h"

namespace quor::testing {

// Path (relative to the test's root) to contents, "<missing>" for a file
// that is not there.
using FileSet = std::map<std::string, std::string>;

// True when the long forms of the kill and fault loops were asked for
// (QUOR_LONG_TESTS=1); the test suite runs short forms.
bool longTestsRequested();

class UnattendedBuildTest : public ::testing::Test {
  protected:
    UnattendedBuildTest();

    std::filesystem::path root() const { return tree.root(); }
    std::filesystem::path home() const { return tree.home(); }
    std::filesystem::path music() const { return tree.path("Music"); }
    std::filesystem::path output() const { return tree.path("out/list.txt"); }

    // Folders below Music with files of a few sizes, MP3 files among them
    // (with a frame, so that the MP3 columns are read); the same for the
    // same seed.
    void generateTree(int folders, int filesPerFolder, unsigned seed);
    // Adds, removes and grows files, so that the next build writes new
    // versions of the cache files, the list and the saved list.
    void changeTree();

    // Two folder records (Music and Music/Talks as a second record), the
    // list at output(), sizes, dates and MP3 columns on, no summary (its
    // time would make every build differ).
    void configure();
    void setSetting(const std::string& key, const std::string& value);
    std::string setting(const std::string& key);

    // The command line of an unattended build.
    std::vector<std::string> quorvane(const std::vector<std::string>& arguments = {}) const;
    ChildOutcome build(const std::vector<std::string>& arguments = {},
                       const ChildOptions& options = {});

    // The list file, every cache file, the saved list files and the
    // header and footer, by their paths below root().
    FileSet ownedFiles() const;

    // Copies of the program folder and the list, to go back to.
    void keep(const std::string& name);
    void restore(const std::string& name);

    // The situation of every robustness test: a generated tree built once,
    // its header then edited (before), then changed and kept as "before"; after holds the new
    // version of every file, from a build with the arguments that nobody
    // disturbs; the folder is left as kept.
    void buildBeforeAndAfter(int folders, int filesPerFolder, unsigned seed);
    void learnNewVersions(const std::vector<std::string>& arguments = {});

    // A build that could not write or read one cache file still lists the
    // others: its list file and saved list are whole but neither the
    // previous nor the new version. A list file that ends its last line and
    // is made only of lines of the previous and the new list, and a saved
    // list that reads and holds the new records, are taken for the new
    // version.
    static FileSet acceptingMixedLists(FileSet files, const FileSet& before, const FileSet& after);

    // Empty when the settings store opens, passes SQLite's integrity check
    // and holds records 0 to NumPaths - 1 whole; else what is wrong.
    std::string storeProblem();

    TempHome tree;
    FileSet before;
    FileSet after;

  private:
    // The desktop's recent-files list of the build goes into the test's tree.
    ScopedEnvironment dataHome_;
};

// Each file of now is what it was in before or what it is in after
// (missingAllowed: or missing); the differences otherwise, one per line.
std::string filesNotOldOrNew(const FileSet& before, const FileSet& after, const FileSet& now,
                             bool missingAllowed = false);

}  // namespace quor::testing
