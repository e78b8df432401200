// quorvane: catalogues the files of the user's folders and publishes the
// catalogue as a text or HTML list.
//
//   quorvane               the main window
//   quorvane auto [NAME]   rebuilds the saved list NAME (or the current
//                          configuration) without any window, for cron
//   quorvane --help | --version
//
// Exit status of an unattended run: 0 the list was written (by this run, or
// by the open window it was handed to), 1 no list could be built or
// something went wrong on the way (each told on standard error), 75 another
// copy was running and did not build the list (why is told on standard
// error).

#include <malloc.h>

#include <filesystem>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "common/file_io.h"
#include "common/interaction.h"
#include "common/version.h"
#include "platform/installed_files.h"
#include "platform/instance_lock.h"
#include "platform/program_folder.h"
#include "quorvane/generate/build_driver.h"
#include "quorvane/generate/startup.h"
#include "quorvane/store/folder_records.h"
#include "quorvane/store/list_commands.h"
#include "quorvane/store/operation_failure.h"
#include "quorvane/store/saved_list_format.h"
#include "quorvane/store/saved_lists.h"
#include "quorvane/store/settings_store.h"

#ifdef QUOR_WITH_WINDOWS
#include "quorvane/ui/app.h"
#include "quorvane/ui/build_handoff.h"
#endif

using namespace quor;

namespace {

int fail(const std::string& message) {
    std::cerr << "quorvane: " << message << '\n';
    return generate::kExitNoList;
}

// The saved list to rebuild must exist and be readable before the current
// configuration is cleared for it, so that a mistyped name loses nothing.
Status checkSavedList(const store::Places& places, const std::string& listName) {
    const auto file = places.dataFolder() / listName;
    Result<std::string> contents = store::readSavedListText(file);
    if (!contents) {
        return Error{"there is no saved list " + store::savedListBase(listName) + " (" +
                     contents.error() + ")"};
    }
    if (Result<store::SavedList> parsed = store::parseSavedList(*contents); !parsed) {
        return Error{"the saved list " + file.string() + " cannot be read: " + parsed.error()};
    }
    return {};
}

// The program folder gets the installed sample page template and empty
// header and footer files when it has none; a failure is said on standard
// error and the start goes on (a build without them tells the user what to
// do).
void provideProgramFolderFiles(const store::Places& places) {
    if (const std::filesystem::path sample = platform::installedTemplate(); !sample.empty()) {
        if (Result<bool> copied = places.provideTemplate(sample); !copied) {
            std::cerr << "quorvane: " << copied.error() << '\n';
        }
    }
    if (Status made = places.provideHeaderAndFooter(); !made) {
        std::cerr << "quorvane: " << made.error() << '\n';
    }
}

// Another copy holds the program folder: an open window builds the list
// itself when it can; otherwise nothing is done and standard error says why.
int handOverToRunningCopy(const store::Places& places, const generate::StartupRequest& request) {
#ifdef QUOR_WITH_WINDOWS
    const Status built = ui::handOffToWindow(places.programFolder(), request.listName);
#else
    (void)places;
    (void)request;
    const Status built = Error{"another copy of quorvane is running; nothing was done"};
#endif
    if (built) {
        return generate::kExitListWritten;
    }
    std::cerr << "quorvane: " << built.error() << '\n';
    return generate::kExitAlreadyRunning;
}

// A build holds a few large texts (a listing, a list) one after another.
// glibc raises its threshold for mapping blocks of their own each time such
// a text is freed, so the arenas' blocks that follow come from the heap and
// stay with the process after they are freed; a fixed threshold gives every
// large block back when it is freed, which keeps the peak memory of a build
// near its largest texts, in a run for cron and in the window alike.
void keepLargeBlocksReturnable() {
    (void)mallopt(M_MMAP_THRESHOLD, 256 * 1024);
}

// The unattended build of the current list, or of the saved list asked
// for: its exit status.
int buildForCron(store::ListContext& context, const generate::StartupRequest& request) {
    const store::Places& places = context.places;
    if (!request.listName.empty()) {
        if (Status ready = checkSavedList(places, request.listName); !ready) {
            return fail(ready.error());
        }
        if (!store::deletecurrentlist(context) || !store::loadlist(context, request.listName)) {
            return fail("the saved list " + request.listName + " could not be opened");
        }
    }
    generate::ListBuild build(context);
    const generate::BuildResult result = build.MakeList();
    for (const std::string& problem : build.problems()) {
        std::cerr << "quorvane: " << problem << '\n';
    }
    switch (result) {
        case generate::BuildResult::Written:
            // A list from what could be read, but something was lost or
            // left undone: cron must hear of it.
            return build.problems().empty() ? generate::kExitListWritten : generate::kExitNoList;
        case generate::BuildResult::NoFolders:
            return fail("no folders have been selected for the list");
        case generate::BuildResult::NoOutputFile:
            return fail("no output file has been chosen for the list");
        case generate::BuildResult::OutputRefused:
            return generate::kExitNoList;  // the reason is told already
        default:
            return fail("the list could not be written");
    }
}

int runUnattended(const generate::StartupRequest& request) {
    const store::Places places = store::Places::forThisUser();
    if (Status made = places.ensureFolders(); !made) {
        return fail(made.error());
    }
    auto lock = platform::InstanceLock::tryAcquireOrFail(places.programFolder());
    if (!lock) {
        return fail(lock.error());
    }
    if (!lock->has_value()) {
        return handOverToRunningCopy(places, request);
    }
    provideProgramFolderFiles(places);
    auto opened = store::SettingsStore::open(platform::settingsDatabaseFile());
    if (!opened) {
        return fail(opened.error());
    }
    UnattendedInteraction user("quorvane");
    store::ListContext context{**opened, places, user};
    int exitStatus = generate::kExitNoList;
    // What the store or a worker thread throws ends the run with its text.
    const Status ran = store::statusOf([&] {
        exitStatus = buildForCron(context, request);
        return Status::success();
    });
    return ran ? exitStatus : fail(ran.error());
}

#ifndef QUOR_WITH_WINDOWS
// Without the windows: what the current configuration is.
int describeConfiguration() {
    const store::Places places = store::Places::forThisUser();
    auto opened = store::SettingsStore::open(platform::settingsDatabaseFile());
    if (!opened) {
        return fail(opened.error());
    }
    store::AppSettings settings(**opened, store::kQuorvane);
    std::cout << "Program folder: " << places.programFolder().string() << '\n'
              << store::listLabelText(settings) << '\n';
    const auto rows = store::folderListRows(settings);
    for (std::size_t i = 0; i < rows.size(); ++i) {
        std::cout << "  folder " << i << ": " << rows[i] << '\n';
    }
    std::cout << "This build has no windows; `quorvane auto [NAME]` builds a list.\n";
    return 0;
}
#endif

}  // namespace

int main(int argc, char** argv) {
    keepLargeBlocksReturnable();
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    const generate::StartupRequest request = generate::parseCommandLine(arguments);
    if (request.help) {
        std::cout << generate::usageText();
        return 0;
    }
    if (request.version) {
        std::cout << "quorvane " << programVersion() << '\n';
        return 0;
    }
    if (request.unattended) {
        return runUnattended(request);
    }
    if (const store::Places places = store::Places::forThisUser(); places.ensureFolders()) {
        provideProgramFolderFiles(places);
    }
#ifdef QUOR_WITH_WINDOWS
    return ui::runQuorvaneWindow(argc, argv);
#else
    return describeConfiguration();
#endif
}
