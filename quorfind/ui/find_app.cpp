#include "quorfind/ui/find_app.h"

#include <QApplication>
#include <iostream>
#include <memory>

#include "common/file_io.h"
#include "common/qt/app_identity.h"
#include "common/qt/instance_beacon.h"
#include "common/qt/qt_interaction.h"
#include "platform/instance_lock.h"
#include "platform/program_folder.h"
#include "quorfind/start_quorvane.h"
#include "quorfind/ui/find_tray.h"
#include "quorfind/ui/search_window.h"
#include "quorvane/store/places.h"
#include "quorvane/store/settings_store.h"

namespace quor::find::ui {

namespace {

bool haveDisplay() {
    return !qEnvironmentVariableIsEmpty("DISPLAY") ||
           !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") ||
           !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM");
}

// The tray icon, when the desktop has a tray: minimising then hides the
// window, and the icon brings it back or ends the program.
std::unique_ptr<FindTray> trayFor(SearchWindow& window) {
    if (!QSystemTrayIcon::isSystemTrayAvailable()) {
        return nullptr;
    }
    auto tray = std::make_unique<FindTray>();
    QObject::connect(tray.get(), &FindTray::searchRequested, &window, &SearchWindow::comeForward);
    QObject::connect(tray.get(), &FindTray::exitRequested, &window, &QWidget::close);
    window.setHiddenWhenMinimised(true);
    tray->show();
    return tray;
}

}  // namespace

int runQuorfindWindow(int argc, char** argv) {
    if (!haveDisplay()) {
        std::cerr << "quorfind: there is no display to show the search window on; "
                     "quorfind --search TEXT searches on the command line (see quorfind --help)\n";
        return 1;
    }
    QApplication app(argc, argv);
    quor::ui::nameApplication("Quorfind", "quorfind");
    QApplication::setWindowIcon(quorfindIcon());
    // A hidden window (in the tray) is not closed: the program ends only
    // when the search window closes.
    QApplication::setQuitOnLastWindowClosed(false);
    quor::ui::QtInteraction qtBoxes;
    Interaction& boxes = qtBoxes;

    const store::Places places = store::Places::forThisUser();
    if (Status made = createFolders(places.programFolder()); !made) {
        boxes.notice(made.error(), kQuorfindTitle);
        return 1;
    }
    const QString beacon = quor::ui::beaconName(places.programFolder(), "quorfind");
    // A program folder that cannot be written holds no lock file: the search
    // runs without one, as it saves nothing there either.
    const auto lock =
        platform::InstanceLock::tryAcquireOrFail(places.programFolder(), kQuorfindLockFile);
    if (lock && !lock->has_value()) {
        if (!quor::ui::askFirstCopyToComeForward(beacon)) {
            std::cerr << "quorfind: another copy is running but could not be brought forward.\n";
        }
        return 0;
    }
    auto opened = store::SettingsStore::open(platform::settingsDatabaseFile(),
                                             store::SettingsStore::Access::ReadOnlyFallback);
    if (!opened) {
        boxes.notice("The settings could not be opened, so Quorfind cannot start.", opened.error());
        return 1;
    }

    SearchWindow window(**opened, places, boxes, SearchServices::desktop());
    qtBoxes.setParentWindow(&window);
    window.load();
    quor::ui::InstanceBeacon listener;
    QObject::connect(&listener, &quor::ui::InstanceBeacon::comeForwardRequested, &window,
                     &SearchWindow::comeForward);
    if (!listener.listen(beacon)) {
        std::cerr << "quorfind: a second copy will not be able to bring this one forward.\n";
    }
    const std::unique_ptr<FindTray> tray = trayFor(window);
    QObject::connect(&window, &SearchWindow::closed, &app, &QApplication::quit,
                     Qt::QueuedConnection);
    window.showAtStart();
    const int status = QApplication::exec();
    if ((*opened)->skippedChanges() > 0) {
        qtBoxes.setParentWindow(nullptr);
        boxes.notice("Your recent searches and the window's place could not be saved: " +
                         (*opened)->file().string() + " cannot be written.",
                     kQuorfindTitle);
    }
    return status;
}

}  // namespace quor::find::ui
