#pragma once

// The build: brings every folder cache file up to date, builds the list body
// (text or HTML by "HTML"), writes the list file with header, footer and
// summary, records "NumFiles" and "TotalSize", adds the list to the recent
// files, runs the user's action command and saves the configuration as the
// saved list named after the output file.
//
// The window takes part through BuildWindow (an unattended run has none):
// the Create List button, the output file dialog, the add-disk dialog for a
// disk set whose cache file is missing, the list label and the progress.

#include <functional>
#include <string>
#include <vector>

#include "common/result.h"
#include "quorvane/generate/removable_disk_state.h"
#include "quorvane/store/list_context.h"

namespace quor::generate {

class BuildWindow {
  public:
    virtual ~BuildWindow() = default;
    virtual void setBuildEnabled(bool /*enabled*/) {}
    // Save List Output As; true when an output file was chosen.
    virtual bool chooseOutputFile() { return false; }
    // The add-disk dialog for the disk set state.recordIndex.
    virtual void addDisks(RemovableDiskState& /*state*/) {}
    virtual void setListLabel(const std::string& /*text*/) {}
    // Folder records brought up to date so far, of all records.
    virtual void progress(int /*done*/, int /*total*/) {}
};

enum class BuildResult {
    Busy,           // a build was running already; nothing was done
    NoFolders,      // no folder records
    NoOutputFile,   // no "SavePath"
    OutputRefused,  // "SavePath" names a file the programs own; nothing was written
    Stopped,        // the user stopped it; the previous list stays
    Failed,         // the list file could not be written
    Written,        // the list file was written
};

// Starts a detached command (argument vector); the action after a build
// uses it with "/bin/sh", "-c", command.
using StartCommand = std::function<Status(const std::vector<std::string>&)>;

class ListBuild {
  public:
    ListBuild(store::ListContext& context, BuildWindow* window = nullptr);

    // One build. While it runs the window's events run too (the scanner lets
    // them), so a second call from a button is ignored (Busy).
    BuildResult MakeList();

    bool busy() const { return busy_; }

    // What went wrong in the last build without stopping it, each as a
    // sentence for standard error: a folder that could not be read (its
    // previous listing kept), a cache file that could not be written or
    // read (its folder left out of the list), a list file or saved list that
    // could not be written, an action command that could not be started.
    // The user at the window has been told of each already; a run without
    // one reports them and ends with a failure.
    const std::vector<std::string>& problems() const { return problems_; }
    RemovableDiskState& diskState() { return disk_; }

    // How the action command is started (a detached /bin/sh -c by default).
    void setStartCommand(StartCommand start) { start_ = std::move(start); }

  private:
    [[nodiscard]] bool updateCacheFiles();
    void updateRecord(int index);
    BuildResult writeList();
    Status makeListFile(BuildResult& result);
    BuildResult stopped();
    void finishList(bool written);

    store::ListContext& context_;
    BuildWindow* window_;
    BuildWindow none_;
    RemovableDiskState disk_;
    StartCommand start_;
    std::vector<std::string> problems_;
    bool busy_ = false;
};

// The action command after substitution: the first "%" becomes the whole
// output path; else the first "@" becomes its file name.
std::string actionCommand(std::string_view action, std::string_view savePath);

// PerformAction: starts the "PerformAction" command for the list just
// saved, through /bin/sh, detached; a failure to start is reported with
// "Problem executing your action command on the list!" and returned.
Status PerformAction(store::ListContext& context, const StartCommand& start);

}  // namespace quor::generate
