#pragma once

// A temporary folder for one test, removed when the test ends, with one-line
// helpers to lay out files and folders:
//
//   TempTree tree;
//   tree.file("Music/Rock/song.mp3", std::string(3072, 'x'));
//   tree.folder("Empty");
//
// TempHome is a TempTree whose "home" folder is the program folder and the
// settings store's home for the test (QUORVANE_HOME), restored afterwards.

#include <chrono>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "common/testing/scoped_environment.h"

namespace quor::testing {

class TempTree {
  public:
    TempTree();
    virtual ~TempTree();
    TempTree(const TempTree&) = delete;
    TempTree& operator=(const TempTree&) = delete;

    const std::filesystem::path& root() const { return root_; }
    std::filesystem::path path(std::string_view relative) const { return root_ / relative; }

    // Creates the file (and its folders) with contents; optionally sets its
    // modification time. Returns its full path. A file that has other names
    // (hard links) is given storage of its own first, so the others keep
    // what they held.
    std::filesystem::path file(std::string_view relative, std::string_view contents = "",
                               std::optional<std::time_t> modified = std::nullopt) const;
    std::filesystem::path folder(std::string_view relative) const;

    // The contents of a file below root, or "<missing>" when there is none.
    std::string read(std::string_view relative) const;
    bool exists(std::string_view relative) const;

  private:
    std::filesystem::path root_;
};

class TempHome : public TempTree {
  public:
    TempHome();

    // The program folder of the test (QUORVANE_HOME).
    std::filesystem::path home() const { return path("home"); }

  private:
    ScopedEnvironment quorvaneHome_;
};

// Text with every "\n" turned into "\r\n": expected file contents read
// naturally in a test.
std::string crlf(std::string_view text);

}  // namespace quor::testing
