#pragma once

// What the search window tests share: a temporary program folder with its
// settings store and an own list "music" (folder record "Music" over a real
// folder of three files), a scripted user for the message boxes, and search
// services whose choosers, dialogs, launcher, drag and program starts are
// answered and recorded by the test. No modal loop ever runs.

#include <QMimeData>
#include <QString>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "common/qt/testing/screenshot.h"
#include "common/testing/scripted_interaction.h"
#include "common/testing/temp_tree.h"
#include "dialog_fixture.h"
#include "quorfind/settings.h"
#include "quorfind/ui/search_window.h"
#include "quorvane/store/places.h"
#include "quorvane/store/settings_store.h"

namespace quor::testing {

// The rows the own list "music" gives for an empty search.
inline const std::vector<std::string> kMusicRows = {"Music/a.mp3", "Music/Rock/b.mp3",
                                                    "Music/Rock/c d.mp3"};

struct FindWorld {
    FindWorld();

    store::Places places() const { return store::Places(home.home()); }
    std::string setting(std::string_view key) const;
    void setSetting(std::string_view key, std::string_view value);
    template <store::ValueKind Kind>
    std::string setting(const store::Setting<Kind>& declared) const {
        return setting(declared.key);
    }
    template <store::ValueKind Kind>
    void setSetting(const store::Setting<Kind>& declared, std::string_view value) {
        setSetting(declared.key, value);
    }
    // The real path of a file of the music folder.
    std::string music(std::string_view name) const { return musicFolder + "/" + std::string(name); }

    find::ui::SearchServices services();

    TempHome home;
    std::unique_ptr<store::SettingsStore> store;
    ScriptedInteraction user;
    std::string musicFolder;

    // Answers, taken in order ("" when a queue is empty).
    std::deque<QString> openAnswers;
    std::deque<QString> saveAnswers;
    std::deque<std::string> listChoices;
    std::deque<std::string> newPaths;
    std::deque<std::string> nicknames;
    std::function<void(find::FindSettings&)> optionsScript;
    std::function<void()> duringDialog;  // runs inside every dialog

    // What was asked for, in order.
    std::vector<std::string> dialogsRun;  // object names of the dialogs
    std::vector<quor::ui::FileRequest> fileRequests;
    std::vector<std::string> launched;  // "open /path", "play /path", "enqueue /path"
    bool openFails = false;
    std::vector<int> pauses;
    std::vector<std::string> dragged;  // the text/uri-list of each drag
    std::vector<std::string> started;  // "run", or "update <type> <path>"
    // What each update is told when its run has ended, in order.
    std::vector<find::ui::SearchServices::ListUpdated> updatesRunning;
    QString helpPage;
    std::vector<QString> opened;
    // The window's result list limit (set before reopen()).
    find::SearchLimits limits = find::windowLimits();
};

struct WindowFixture {
    FindWorld world;
    std::unique_ptr<find::ui::SearchWindow> window;

    WindowFixture() { reopen(); }
    // A new window over the same store, as after a restart; loaded.
    void reopen();
    std::vector<std::string> rows();
    void select(const std::vector<int>& rows);
    // Types text into the search box and presses Enter.
    void search(const QString& text);
    QString status();
    // The window's child of that type and name (see testing::child).
    template <class T>
    T& child(const char* name,
             const std::source_location& where = std::source_location::current()) {
        return testing::child<T>(*window, name, where);
    }
};

}  // namespace quor::testing
