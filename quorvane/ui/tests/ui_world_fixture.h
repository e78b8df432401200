#pragma once

// What the window tests share: a temporary program folder and settings
// store, a scripted user for the message boxes, and window services whose
// choosers and modal dialogs are answered by the test. Each dialog a command
// opens is handed to the next queued dialog script instead of running a
// modal loop.

#include <QDialog>
#include <QString>
#include <QStringList>
#include <QTest>
#include <deque>
#include <functional>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "common/qt/testing/named_child.h"
#include "common/qt/testing/screenshot.h"
#include "common/testing/scripted_interaction.h"
#include "common/testing/temp_tree.h"
#include "quorvane/store/list_context.h"
#include "quorvane/store/settings_store.h"
#include "quorvane/ui/main_window.h"
#include "quorvane/ui/window_services.h"

// QCOMPARE for dialog scripts, which return the dialog's result: a
// mismatch fails the test and the script returns Rejected.
#define SCRIPT_CHECK(actual, expected)                                                  \
    do {                                                                                \
        if (!QTest::qCompare(actual, expected, #actual, #expected, __FILE__, __LINE__)) \
            return 0;                                                                   \
    } while (false)

namespace quor::testing {

using DialogScript = std::function<int(QDialog& dialog)>;

struct UiWorld {
    UiWorld();

    store::AppSettings settings() { return store::AppSettings(*store, store::kQuorvane); }
    std::string setting(std::string_view key) { return settings().setting(key, "<missing>"); }
    template <store::ValueKind Kind>
    std::string setting(const store::Setting<Kind>& declared) {
        return setting(declared.key);
    }
    store::ListContext context() { return {*store, store::Places(home.home()), user}; }
    // Adds folder records (display name = path).
    void addRecords(const std::vector<std::string>& paths);

    // Services answered from the queues below.
    ui::WindowServices services();

    // A main window over this world (not loaded).
    std::unique_ptr<ui::MainWindow> makeMainWindow();
    // Stores placement values given in pixels as twips at dpi.
    void storePixels(std::initializer_list<std::pair<std::string_view, int>> values, double dpi);

    TempHome home;
    std::unique_ptr<store::SettingsStore> store;
    ScriptedInteraction user;

    std::deque<QString> folderAnswers;
    std::deque<QString> saveAnswers;
    std::deque<DialogScript> dialogScripts;
    std::vector<QString> dialogsRun;  // object names, in order
    std::vector<QUrl> opened;
    bool openSucceeds = true;
    std::string openFailure = "No application is set to open files of this type.";
    std::vector<QStringList> started;  // program and arguments
    bool startSucceeds = true;
    QString programFound;
    std::vector<ui::FileRequest> saveRequests;
};

// Clicks the child button of that object name; a missing one fails the test.
void click(QWidget& parent, const char* buttonName,
           const std::source_location& where = std::source_location::current());

// Shows window as the active window, so that its keys reach its commands;
// false when it could not be made active.
bool showActive(QWidget& window);

// The object names of count widgets that Tab visits, from first on.
QStringList focusOrder(QWidget& first, int count);

}  // namespace quor::testing
