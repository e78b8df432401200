#include "quorvane/generate/build_driver.h"

#include "common/file_io.h"
#include "common/number_text.h"
#include "platform/process_start.h"
#include "platform/recent_files.h"
#include "quorvane/generate/html_list.h"
#include "quorvane/generate/list_file.h"
#include "quorvane/generate/scanner.h"
#include "quorvane/generate/size_text.h"
#include "quorvane/generate/text_list.h"
#include "quorvane/store/folder_records.h"
#include "quorvane/store/list_commands.h"
#include "quorvane/store/operation_failure.h"
#include "quorvane/store/parse_filename.h"
#include "quorvane/store/quorvane_settings.h"
#include "quorvane/store/saved_list_format.h"
#include "quorvane/store/saved_lists.h"

namespace quor::generate {

namespace {

// Sets a flag for the life of the object.
class BusyFlag {
  public:
    explicit BusyFlag(bool& flag) : flag_(flag) { flag_ = true; }
    ~BusyFlag() { flag_ = false; }
    BusyFlag(const BusyFlag&) = delete;
    BusyFlag& operator=(const BusyFlag&) = delete;

  private:
    bool& flag_;
};

}  // namespace

std::string actionCommand(std::string_view action, std::string_view savePath) {
    std::string command(action);
    if (const std::size_t percent = command.find('%'); percent != std::string::npos) {
        command.replace(percent, 1, savePath);
    } else if (const std::size_t at = command.find('@'); at != std::string::npos) {
        command.replace(at, 1, store::fileNamePart(savePath));
    }
    return command;
}

Status PerformAction(store::ListContext& context, const StartCommand& start) {
    const store::AppSettings settings = context.settings();
    const std::string action = settings.get(store::kPerformAction);
    if (action.empty()) {
        return {};
    }
    const std::string command = actionCommand(action, settings.get(store::kSavePath));
    Status started = start(platform::shellCommand(command));
    if (!started) {
        context.user.notice("Problem executing your action command on the list!", started.error());
    }
    return started;
}

ListBuild::ListBuild(store::ListContext& context, BuildWindow* window)
    : context_(context), window_(window != nullptr ? window : &none_) {
    start_ = [](const std::vector<std::string>& arguments) {
        return platform::startDetached(arguments);
    };
}

BuildResult ListBuild::MakeList() {
    if (busy_) {
        return BuildResult::Busy;
    }
    BusyFlag busy(busy_);
    problems_.clear();
    window_->setBuildEnabled(false);
    struct EnableOnExit {
        BuildWindow* window;
        ~EnableOnExit() { window->setBuildEnabled(true); }
    } enable{window_};

    store::AppSettings settings = context_.settings();
    if (settings.get(store::kNumPaths) < 1) {
        context_.user.notice("No folders have been selected for the list!");
        return BuildResult::NoFolders;
    }
    if (settings.get(store::kSavePath).empty() && !context_.user.unattended()) {
        window_->chooseOutputFile();
    }
    const std::string savePath = settings.get(store::kSavePath);
    if (savePath.empty()) {
        context_.user.notice("You must choose a save file for the list!");
        return BuildResult::NoOutputFile;
    }
    if (Status allowed = context_.places.checkListOutputFile(savePath, context_.store.file());
        !allowed) {
        context_.user.notice(allowed.error(), store::kQuorvane, Shown::Always);
        return BuildResult::OutputRefused;
    }
    return writeList();
}

BuildResult ListBuild::writeList() {
    BuildResult result = BuildResult::Failed;
    {
        BusyPointer pointer(context_.user);
        const Status made = store::statusOf([&] { return makeListFile(result); });
        if (!made) {
            result = BuildResult::Failed;
            store::showFailure(context_.user, {"There was a problem saving the list! (makelist)"},
                               made.error());
            problems_.push_back(made.error());
        }
    }
    if (result == BuildResult::Stopped) {
        return result;
    }
    finishList(result == BuildResult::Written);
    return result;
}

// The cache files brought up to date, then the list file written from them:
// result is Written, or Stopped when the user stopped the build first.
Status ListBuild::makeListFile(BuildResult& result) {
    if (!updateCacheFiles()) {
        result = stopped();
        return Status::success();
    }
    context_.user.status("Sorting files.....");
    store::AppSettings settings = context_.settings();
    const bool html = settings.get(store::kHtml) != 0;
    const ListBody body = html ? buildHtmlListBody(context_) : buildTextListBody(context_);
    for (const std::string& skipped : body.skipped) {
        problems_.push_back("the list leaves out " + skipped);
    }
    if (context_.user.keepResponsive()) {
        result = stopped();  // nothing written yet: the last list stays whole
        return Status::success();
    }
    context_.store.transaction([&] {
        settings.save(store::kNumFiles, signedNumberText(body.fileCount));
        settings.save(store::kTotalSize, sizeText(body.totalSize));
    });
    Status written = html ? writeHtmlListFile(context_, body) : writeTextListFile(context_, body);
    if (written) {
        result = BuildResult::Written;
    }
    return written;
}

BuildResult ListBuild::stopped() {
    context_.user.status("List creation was stopped.");
    return BuildResult::Stopped;
}

bool ListBuild::updateCacheFiles() {
    const int count = store::numPaths(context_.settings());
    for (int i = 0; i < count; ++i) {
        window_->progress(i, count);
        updateRecord(i);
        if (context_.user.keepResponsive()) {
            return false;
        }
    }
    window_->progress(count, count);
    return true;
}

void ListBuild::updateRecord(int index) {
    store::AppSettings settings = context_.settings();
    const std::string section = store::recordSection(index);
    const std::string path = settings.get(section, store::kPath);
    const bool update = leadingNumber(settings.get(section, store::kUpdate, "1")) != 0;
    const bool haveCache = isRegularFile(context_.places.cacheFile(index));
    if (!update && haveCache) {
        return;
    }
    if (!update) {
        context_.user.notice(path + " is not in the list, it must be updated.");
        if (store::isRemovableDiskSet(store::readFolderRecord(settings, index)) &&
            !context_.user.unattended()) {
            disk_ = {index, true, true};
            window_->addDisks(disk_);
            return;
        }
    }
    Scanner scanner(context_);
    scanner.reset();
    context_.user.status(path);
    const ScanResult scanned = scanner.Scan(path, settings.get(store::kFileMask), index);
    // A cancelled scan keeps the old cache file; so does a stopped build,
    // which never writes half a folder.
    const bool keepOld =
        scanned == ScanResult::Cancelled && (update || context_.user.keepResponsive());
    for (const std::string& unread : scanner.unreadFolders()) {
        problems_.push_back(
            unread + (keepOld ? " (its previous listing is kept)" : " (left out of the list)"));
    }
    if (keepOld) {
        return;
    }
    disk_ = {index, false, false};
    if (Status written = scanner.WriteCacheFile(index, disk_); !written) {
        problems_.push_back("the listing of " + path +
                            " may not be up to date: " + written.error());
    }
}

void ListBuild::finishList(bool written) {
    store::AppSettings settings = context_.settings();
    const std::string savePath = settings.get(store::kSavePath);
    if (written) {
        context_.user.status("List saved as: " + savePath);
    }
    window_->setListLabel(store::listLabelText(settings));
    // The window shows the new state before the saved list is copied; the
    // build goes on whatever is asked now, as the list is written.
    (void)context_.user.keepResponsive();
    // The recent files and the action are for a list that was written; the
    // configuration is saved either way.
    if (written) {
        (void)platform::AddToRecentDocuments(savePath);  // a convenience, not the build's failure
        if (Status started = PerformAction(context_, start_); !started) {
            problems_.push_back("the action command could not be started: " + started.error());
        }
    }
    const std::string name = store::fileNamePart(savePath);
    if (!store::savelist(context_, name)) {
        problems_.push_back("the configuration was not saved as the saved list " +
                            store::savedListBase(name));
    }
}

}  // namespace quor::generate
