#pragma once

// The files of the program folder and the data folder, by their fixed names:
//
//   <program folder>/0.txt, 1.txt, ...   folder cache file of record i
//   <program folder>/header.txt, footer.txt
//   <program folder>/Template.html
//   <program folder>/data/               saved lists (see saved_list_format.h)
//   <program folder>/Lists/              other people's lists, searched together

#include <filesystem>
#include <string>

#include "common/result.h"

namespace quor::store {

class Places {
  public:
    explicit Places(std::filesystem::path programFolder) : root_(std::move(programFolder)) {}

    // The places of the program folder of this user (platform rules).
    static Places forThisUser();

    const std::filesystem::path& programFolder() const { return root_; }
    std::filesystem::path cacheFile(int record) const;
    std::filesystem::path headerFile() const { return root_ / "header.txt"; }
    std::filesystem::path footerFile() const { return root_ / "footer.txt"; }
    std::filesystem::path templateFile() const { return root_ / "Template.html"; }
    std::filesystem::path dataFolder() const { return root_ / "data"; }
    std::filesystem::path listsFolder() const { return root_ / "Lists"; }

    // Whether file may be a list's output file ("SavePath"): it may not name
    // a file the programs own — the settings store storeFile or its side
    // files (-wal, -shm, -journal), a cache file (digits + ".txt"), the lock
    // files, header.txt, footer.txt or Template.html of the program folder,
    // or anything in data/ or Lists/ — compared after links and ".." are
    // resolved (hard links are not looked for). Fails with the message for
    // the user, naming the file.
    Status checkListOutputFile(const std::filesystem::path& file,
                               const std::filesystem::path& storeFile) const;

    // Creates the program folder with its data and Lists folders when they
    // are missing (done at first use, as an installer would).
    Status ensureFolders() const;

    // Copies installedCopy (the installed sample page) to Template.html
    // unless the program folder has one: quorvane does it at every start, as
    // the installer placed it once; a page of the user's is never replaced.
    // True when copied.
    Result<bool> provideTemplate(const std::filesystem::path& installedCopy) const;

    // Creates header.txt and footer.txt, empty, unless the program folder
    // has them, in the same way (a file of the user's, even a dangling link,
    // is never replaced), so that a first build with the header shown finds
    // one. Fails, with the reason, when one cannot be made.
    Status provideHeaderAndFooter() const;

  private:
    std::filesystem::path root_;
};

}  // namespace quor::store
