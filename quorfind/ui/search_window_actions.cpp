// The actions of the search window on the selected rows, and the commands
// that reach other programs: options, quorvane, help.

#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QPointer>
#include <QUrl>

#include "common/qt/qt_interaction.h"
#include "quorfind/actions/copy_drag.h"
#include "quorfind/actions/file_actions.h"
#include "quorfind/actions/open_play.h"
#include "quorfind/actions/playlist.h"
#include "quorfind/search/search_texts.h"
#include "quorfind/start_quorvane.h"
#include "quorfind/ui/dialogs.h"
#include "quorfind/ui/search_window.h"

namespace quor::find::ui {

using quor::ui::qtext;

void SearchWindow::act(const std::function<void(const ActionContext& context)>& action) {
    if (!idle()) {
        return;
    }
    acting_ = true;
    guarded([&] {
        if (const std::optional<OwnList> list = currentOwnList()) {
            action(ActionContext{listType_, *list, interaction_, services_.pause});
        }
    });
    acting_ = false;
    focusSearchBox();
    closeIfAsked();
}

// The saved list that resolves rows; none is needed for another source,
// whose actions are refused before any row is resolved.
std::optional<OwnList> SearchWindow::currentOwnList() {
    if (listType_ != ListType::OwnList) {
        return OwnList{};
    }
    Result<OwnList> list = loadOwnList(places_.dataFolder(), currentListPath_);
    if (!list) {
        interaction_.notice(kOpenListFailed, list.error());
        return std::nullopt;
    }
    return std::move(*list);
}

std::vector<SearchRow> SearchWindow::selectedResults() const {
    return model_->results(view_->selectedRowNumbers());
}

void SearchWindow::openSelected() {
    act([&](const ActionContext& context) { openOrPlay(selectedResults(), context, *launcher_); });
}

// A double-click opens the row under the pointer, with no wait after it.
void SearchWindow::openRow(const QModelIndex& index) {
    act([&](const ActionContext& context) {
        const ActionContext noWait{context.listType, context.list, context.user,
                                   [](std::chrono::milliseconds) {}};
        openOrPlay(model_->results({index.row()}), noWait, *launcher_);
    });
}

void SearchWindow::queueSelected() {
    act([&](const ActionContext& context) { queueFiles(selectedResults(), context, *launcher_); });
}

void SearchWindow::deleteSelected() {
    act([&](const ActionContext& context) {
        if (deleteFiles(selectedResults(), context) > 0) {
            view_->clearSelection();
        }
    });
}

void SearchWindow::renameSelected() {
    act([&](const ActionContext& context) {
        renameFiles(selectedResults(), context,
                    [&](const std::string& oldPath) -> std::optional<std::string> {
                        OrdinaryWhileDialog ordinary(*this);
                        std::string typed = services_.dialogs.newPath(this, oldPath);
                        return typed.empty() ? std::nullopt : std::optional(std::move(typed));
                    });
    });
}

void SearchWindow::savePlaylist() {
    act([&](const ActionContext& context) {
        if (refusedUnlessOwnList(context, RowAction::Playlist)) {
            return;
        }
        QString chosen;
        {
            OrdinaryWhileDialog ordinary(*this);
            const std::string folder = playlistDialogFolder(settings_);
            quor::ui::FileRequest request;
            request.title = qtext(kPlaylistDialogTitle);
            request.folder = QFile::decodeName(folder.c_str());
            request.filter = "Playlist Files (*.M3U *.m3u)";
            request.defaultSuffix = "m3u";
            // Appending to an existing playlist is the point of choosing one.
            request.confirmOverwrite = false;
            chosen = services_.chooseSaveFile(this, request);
        }
        if (chosen.isEmpty()) {
            return;
        }
        // Every row only when none is selected: the rows are made one by one.
        const std::vector<SearchRow> selected = selectedResults();
        appendToPlaylist(QFile::encodeName(chosen).toStdString(),
                         selected.empty() ? model_->resultRows() : selected, context, settings_);
    });
}

// Copy text works for every source and copies what the rows show; lines
// are joined by the line break of this desktop's clipboard.
void SearchWindow::copyText() {
    if (!idle()) {
        return;
    }
    std::vector<SearchRow> shown;
    for (int row : view_->selectedRowNumbers()) {
        shown.emplace_back(model_->text(static_cast<std::size_t>(row)));
    }
    QString text = qtext(joinedText(shown));
    text.replace("\r\n", "\n");
    if (!text.isEmpty()) {
        QClipboard* clipboard = QApplication::clipboard();
        clipboard->setText(text);
        if (clipboard->text() != text) {
            interaction_.notice(kCopyFailedText, kQuorfindTitle);
        }
    }
    focusSearchBox();
}

void SearchWindow::dccSend() {
    act([&](const ActionContext& context) {
        find::dccSend(
            selectedResults(), context, settings_, session_,
            [&](const std::string& current) {
                OrdinaryWhileDialog ordinary(*this);
                return services_.dialogs.nickname(this, current);
            },
            services_.makeLink);
    });
}

void SearchWindow::startRowDrag() {
    act([&](const ActionContext& context) {
        const std::vector<std::string> paths = dragPaths(selectedResults(), context);
        if (!paths.empty()) {
            services_.startDrag(view_, fileDragData(paths));
        }
    });
}

void SearchWindow::popUpRowMenu(const QPoint& globalPos) {
    if (idle()) {
        rowMenu_->popup(globalPos);
    }
}

void SearchWindow::showOptions() {
    if (!idle()) {
        return;
    }
    if (topMostFlag_) {
        placeTopMost(false);
    }
    services_.dialogs.options(this, settings_, interaction_);
    guarded([&] {
        topMostFlag_ = settings_.alwaysOnTop();
        view_->setWideScrollRange(settings_.includeHScrollBar());
    });
    placeTopMost(topMostFlag_);
    focusSearchBox();
}

void SearchWindow::runQuorvane() {
    if (idle()) {
        services_.runQuorvane(interaction_);
    }
}

void SearchWindow::updateCurrentList() {
    if (!idle()) {
        return;
    }
    // The run ends later; the window may be gone by then.
    services_.updateList(interaction_, listType_, currentListPath_,
                         [window = QPointer(this)](const std::optional<std::string>& failure) {
                             if (window && failure) {
                                 window->interaction_.notice(*failure, kQuorfindTitle,
                                                             Shown::Always);
                             }
                         });
}

void SearchWindow::showHelp() {
    const QString page = services_.helpPage();
    if (page.isEmpty()) {
        interaction_.notice(kHelpFailedText, "No help page is installed");
    } else if (!services_.openUrl(QUrl::fromLocalFile(page))) {
        interaction_.notice(kHelpFailedText, "No application could open " + page.toStdString());
    }
}

}  // namespace quor::find::ui
