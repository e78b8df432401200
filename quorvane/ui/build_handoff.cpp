#include "quorvane/ui/build_handoff.h"

#include <QApplication>
#include <QCoreApplication>
#include <memory>

#include "quorvane/store/parse_filename.h"
#include "quorvane/store/saved_list_format.h"
#include "quorvane/store/settings_store.h"
#include "quorvane/ui/main_window.h"
#include "quorvane/ui/window_build.h"

namespace quor::ui {

namespace {

using handoff::Kind;
using handoff::Message;

bool windowIsIdle(const MainWindow& main) {
    return !main.building() && QApplication::activeModalWidget() == nullptr &&
           QApplication::activePopupWidget() == nullptr;
}

// Why the window will not build listName now; empty when it will.
std::string refusal(MainWindow& main, const std::string& listName) {
    if (!windowIsIdle(main)) {
        return "it is busy (creating a list, or a dialog box or menu is open)";
    }
    const std::string savePath =
        store::AppSettings(main.context().store, store::kQuorvane).setting("SavePath");
    const std::string openList = store::savedListBase(store::fileNamePart(savePath));
    if (openList.empty()) {
        return "its list has no output file yet";
    }
    const std::string asked = store::savedListBase(listName);
    if (!listName.empty() && asked != openList) {
        return "it has the list " + openList + " open, not " + asked;
    }
    return {};
}

std::string joined(const std::vector<std::string>& problems) {
    std::string text;
    for (const std::string& problem : problems) {
        text += (text.empty() ? "" : "; ") + problem;
    }
    return text;
}

Message outcomeOf(const WindowBuild& build) {
    using generate::BuildResult;
    switch (build.lastResult().value_or(BuildResult::Failed)) {
        case BuildResult::Written:
            if (build.problems().empty()) {
                return {Kind::Built, {}};
            }
            return {Kind::Failed, "the list was written, but " + joined(build.problems())};
        case BuildResult::Busy:
            return {Kind::Refused, "it is creating a list"};
        case BuildResult::NoFolders:
            return {Kind::Failed, "no folders have been selected for the list"};
        case BuildResult::NoOutputFile:
            return {Kind::Failed, "no output file has been chosen for the list"};
        case BuildResult::OutputRefused:
            return {Kind::Failed, "the output file belongs to Quorvane and Quorfind"};
        case BuildResult::Stopped:
            return {Kind::Failed, "the build was stopped in the window"};
        case BuildResult::Failed:
            break;
    }
    const std::string problems = joined(build.problems());
    return {Kind::Failed, problems.empty() ? "the list could not be written" : problems};
}

}  // namespace

Message buildHandedOver(MainWindow& main, WindowBuild& build, const std::string& listName,
                        const std::function<void()>& accepted) {
    try {
        if (const std::string why = refusal(main, listName); !why.empty()) {
            return {Kind::Refused, why};
        }
    } catch (const store::StoreError& error) {
        return {Kind::Refused, error.what()};  // the settings store could not be read
    }
    accepted();
    build.forgetLastResult();
    main.makeList();
    return outcomeOf(build);
}

void takeHandedOverBuilds(InstanceBeacon& beacon, MainWindow& main, WindowBuild& build) {
    beacon.setBuildRequestHandler(
        [&main, &build](const std::string& listName, const std::function<void()>& accepted) {
            return buildHandedOver(main, build, listName, accepted);
        });
}

Status handOffToWindow(const std::filesystem::path& programFolder, const std::string& listName,
                       const HandoffWaits& waits) {
    // The socket needs an application object; an unattended run has none.
    std::unique_ptr<QCoreApplication> app;
    if (QCoreApplication::instance() == nullptr) {
        static int argc = 1;
        static char name[] = "quorvane";
        static char* argv[] = {name, nullptr};
        app = std::make_unique<QCoreApplication>(argc, argv);
    }
    return handOffBuild(beaconName(programFolder), listName, waits);
}

}  // namespace quor::ui
