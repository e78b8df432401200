#pragma once

// The user's own list as the search program sees it: the saved list whose
// name is the file name of the list's output file cut before its first "."
// (the output file /web/my.list.txt belongs to data/my.lst), with one entry
// per folder record and that record's folder listing file (data/my0.dat, ...).

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "common/result.h"
#include "quorvane/store/saved_list_format.h"

namespace quor::find {

struct ListFolder {
    bool removable = false;   // "cdrom" is 1: a removable disk set
    std::string path;         // the real folder (a disk set's mount point)
    std::string displayName;  // "Pathname"
    std::filesystem::path listingFile;
};

struct OwnList {
    std::filesystem::path listFile;  // data/<base>.lst
    bool present = false;            // false when the saved list file is missing
    std::vector<ListFolder> folders;
};

// The saved list of the list output file listPath, in dataFolder, read by
// the rules both programs share (store::readSavedListFile). A missing saved
// list file gives an empty list that is not present; a file that exists but
// cannot be read or does not have its version's layout fails with the
// reason.
Result<OwnList> loadOwnList(const std::filesystem::path& dataFolder, std::string_view listPath);

// The output file of the saved list file listFile (its "SavePath"), which
// makes it the own list. Fails with the reason when the file cannot be read
// or is not a saved list.
Result<std::string> savedListOutputPath(const std::filesystem::path& listFile);

// The file name of a list path: the text after its last "/".
std::string listFileName(std::string_view listPath);

}  // namespace quor::find
