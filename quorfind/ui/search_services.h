#pragma once

// What the search window asks of the desktop and of its dialogs: the file
// choosers, the small modal dialogs, the help page, the drag, the launcher
// of files, the IRC link, the waits between rows and the starts of
// quorvane. The defaults use Qt, the desktop and the dialogs of dialogs.h;
// tests replace them, so that no chooser, dialog or modal loop ever waits
// for a user and nothing outside the test's folder is started.

#include <QMimeData>
#include <QString>
#include <QUrl>
#include <QWidget>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/interaction.h"
#include "common/qt/file_chooser.h"
#include "quorfind/actions/action_context.h"
#include "quorfind/actions/launcher.h"
#include "quorfind/dcc/dcc_send.h"
#include "quorfind/search/search_limits.h"
#include "quorfind/settings.h"
#include "quorvane/store/places.h"

namespace quor::find::ui {

// The small dialogs, called through this table so that tests answer them.
struct SearchDialogs {
    std::function<void(QWidget* parent, FindSettings& settings, Interaction& user)> options;
    // The rename dialog: the new path, "" for Cancel.
    std::function<std::string(QWidget* parent, const std::string& oldPath)> newPath;
    // The nickname dialog: the nickname, "" for Cancel.
    std::function<std::string(QWidget* parent, const std::string& current)> nickname;
    // The saved-list chooser: "name.lst", "" for Cancel, previous when closed.
    std::function<std::string(QWidget* parent, const store::Places& places,
                              const std::string& previous, Interaction& user)>
        chooseList;
    std::function<void(QWidget* parent, Interaction& user, const store::Places& places)>
        firstStartHelp;
};

struct SearchServices {
    SearchDialogs dialogs;
    std::function<QString(QWidget* parent, const quor::ui::FileRequest& request)> chooseOpenFile;
    std::function<QString(QWidget* parent, const quor::ui::FileRequest& request)> chooseSaveFile;
    // The help page ("" when none is installed) and the desktop's "open".
    std::function<QString()> helpPage;
    std::function<bool(const QUrl& url)> openUrl;
    // Runs the drag of data (taking it over) from source.
    std::function<void(QWidget* source, QMimeData* data)> startDrag;
    // The launcher of files for the settings (read at every use).
    std::function<std::unique_ptr<Launcher>(const FindSettings& settings)> makeLauncher;
    LinkFactory makeLink;
    // The waits between rows of an action.
    Pause pause;
    // Run Quorvane, and Update the Current List (quorvane auto [NAME]). The
    // update returns at once; when its run has ended, listUpdated gets what
    // to tell the user (nothing when the list was rebuilt). False, with the
    // user told, when quorvane could not be started; listUpdated is then
    // never called.
    std::function<bool(Interaction& user)> runQuorvane;
    using ListUpdated = std::function<void(const std::optional<std::string>& failure)>;
    std::function<bool(Interaction& user, ListType type, std::string_view currentListPath,
                       ListUpdated listUpdated)>
        updateList;
    // The result list's limit and how lists are read.
    SearchLimits limits = windowLimits();

    // The desktop's own services and the real dialogs.
    static SearchServices desktop();
};

// Update the Current List with command (nothing when quorvane was not
// found): starts it watched (see watched_run.h) and hands listUpdated what
// updateFailureText makes of its end. False, with "Quorvane was not found!"
// shown, when it could not be started.
[[nodiscard]] bool startListUpdate(Interaction& user,
                                   const std::optional<std::vector<std::string>>& command,
                                   SearchServices::ListUpdated listUpdated);

// Waits for duration while the window repaints; clicks and keys wait until
// the end, so no second command starts in the middle of an action.
void waitKeepingWindowsPainted(std::chrono::milliseconds duration);

}  // namespace quor::find::ui
