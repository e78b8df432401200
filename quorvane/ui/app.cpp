#include "quorvane/ui/app.h"

#include <QApplication>
#include <QIcon>
#include <iostream>
#include <memory>

#include "common/qt/app_identity.h"
#include "common/qt/instance_beacon.h"
#include "common/qt/program_icon.h"
#include "common/qt/qt_interaction.h"
#include "common/qt/store_guard.h"
#include "platform/instance_lock.h"
#include "platform/program_folder.h"
#include "quorvane/store/places.h"
#include "quorvane/store/settings_store.h"
#include "quorvane/ui/add_disk_dialog.h"
#include "quorvane/ui/build_handoff.h"
#include "quorvane/ui/dupes_window.h"
#include "quorvane/ui/main_window.h"
#include "quorvane/ui/playlist_dialog.h"
#include "quorvane/ui/removable_window.h"
#include "quorvane/ui/window_build.h"

namespace quor::ui {

namespace {

constexpr std::string_view kResetText =
    "There was a problem loading Quorvane. Quorvane will now reset itself.\nPlease restart "
    "Quorvane again and if you still have problems contact the Quorvane developers.";

// The window could not set itself up from the stored settings: they are
// reset (the folder records stay) and the program ends.
int resetSettings(Interaction& user, store::SettingsStore& settingsStore,
                  const std::string& cause) {
    user.notice(kResetText, cause);
    (void)storeGuarded(
        [&] {
            store::AppSettings(settingsStore, store::kQuorvane).removeSection(store::kSettings);
        },
        [](std::string_view error) { std::cerr << "quorvane: " << error << '\n'; });
    return 1;
}

}  // namespace

int runQuorvaneWindow(int argc, char** argv) {
    QApplication app(argc, argv);
    nameApplication("Quorvane", "quorvane");
    QApplication::setWindowIcon(programIcon("quorvane", drawnQuorvaneIcon()));
    QtInteraction qtUi;
    Interaction& user = qtUi;

    const store::Places places = store::Places::forThisUser();
    if (Status made = places.ensureFolders(); !made) {
        user.notice(made.error(), "Quorvane");
        return 1;
    }
    const QString beacon = beaconName(places.programFolder());
    std::optional<platform::InstanceLock> lock =
        platform::InstanceLock::tryAcquire(places.programFolder());
    if (!lock) {
        if (!askFirstCopyToComeForward(beacon)) {
            std::cerr << "quorvane: another copy is running (building a list); try again when it "
                         "has finished.\n";
        }
        return 0;
    }

    auto opened = store::SettingsStore::open(platform::settingsDatabaseFile());
    if (!opened) {
        // Nothing can be reset in a store that cannot be opened; nothing is
        // touched, so the user's settings are not lost.
        user.notice(kResetText, opened.error());
        return 1;
    }
    store::SettingsStore& settingsStore = **opened;

    const WindowServices services = WindowServices::desktop();
    MainWindow window(settingsStore, places, user, services);
    qtUi.setParentWindow(&window);
    qtUi.setStatusBar(window.statusBar());
    WindowBuild* build = attachWindowBuild(window, user, services);
    window.setDuplicatesHandler(duplicatesWindowOpener(window, services));
    window.setRemovableDisksHandler(removableDisksWindowOpener(window, services));
    window.setDiskReadHandler(diskReader(window, services));
    window.setPlaylistHandler(playlistSaver(window, services));
    if (Status loaded = window.load(); !loaded) {
        return resetSettings(user, settingsStore, loaded.error());
    }

    InstanceBeacon listener;
    QObject::connect(&listener, &InstanceBeacon::comeForwardRequested, &window,
                     &MainWindow::comeForward);
    takeHandedOverBuilds(listener, window, *build);
    if (!listener.listen(beacon)) {
        std::cerr << "quorvane: a second copy will not be able to bring this one forward.\n";
    }
    QObject::connect(&window, &MainWindow::closed, &app, &QApplication::quit, Qt::QueuedConnection);
    window.showAndWelcome();
    return QApplication::exec();
}

}  // namespace quor::ui
