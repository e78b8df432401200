#include "quorfind/ui/search_services.h"

#include <QDesktopServices>
#include <QDrag>
#include <QEventLoop>
#include <QTimer>

#include "common/qt/help_page.h"
#include "platform/program_folder.h"
#include "quorfind/start_quorvane.h"
#include "quorfind/ui/dialogs.h"
#include "quorfind/ui/watched_run.h"

namespace quor::find::ui {

namespace {

SearchDialogs realDialogs() {
    SearchDialogs dialogs;
    dialogs.options = [](QWidget* parent, FindSettings& settings, Interaction& user) {
        runOptionsDialog(parent, settings, user);
    };
    dialogs.newPath = [](QWidget* parent, const std::string& oldPath) {
        return askNewPath(parent, oldPath);
    };
    dialogs.nickname = [](QWidget* parent, const std::string& current) {
        return askIrcNickname(parent, current);
    };
    dialogs.chooseList = [](QWidget* parent, const store::Places& places,
                            const std::string& previous, Interaction& user) {
        return chooseListToSearch(parent, places, previous, user);
    };
    dialogs.firstStartHelp = [](QWidget* parent, Interaction&, const store::Places&) {
        showFirstStartHelp(parent);
    };
    return dialogs;
}

}  // namespace

bool startListUpdate(Interaction& user, const std::optional<std::vector<std::string>>& command,
                     SearchServices::ListUpdated listUpdated) {
    const bool started =
        command &&
        startWatched(*command, [listUpdated = std::move(listUpdated)](const RunEnd& end) {
            listUpdated(updateFailureText(end.exitStatus, end.errorOutput));
        });
    if (!started) {
        user.notice(kQuorvaneNotFound, kQuorfindTitle, Shown::Always);
    }
    return started;
}

void waitKeepingWindowsPainted(std::chrono::milliseconds duration) {
    QEventLoop loop;
    QTimer::singleShot(duration, &loop, &QEventLoop::quit);
    loop.exec(QEventLoop::ExcludeUserInputEvents);
}

SearchServices SearchServices::desktop() {
    SearchServices services;
    services.dialogs = realDialogs();
    services.chooseOpenFile = [](QWidget* parent, const quor::ui::FileRequest& request) {
        return quor::ui::chooseFile(parent, request, quor::ui::FileChooser::Open);
    };
    services.chooseSaveFile = [](QWidget* parent, const quor::ui::FileRequest& request) {
        return quor::ui::chooseFile(parent, request, quor::ui::FileChooser::Save);
    };
    services.helpPage = [] { return quor::ui::helpPage(platform::kQuorfindHelpPage); };
    services.openUrl = [](const QUrl& url) { return QDesktopServices::openUrl(url); };
    services.startDrag = [](QWidget* source, QMimeData* data) {
        auto* drag = new QDrag(source);
        drag->setMimeData(data);
        drag->exec(Qt::CopyAction, Qt::CopyAction);
    };
    services.makeLauncher = [](const FindSettings& settings) -> std::unique_ptr<Launcher> {
        return std::make_unique<DesktopLauncher>(settings);
    };
    services.makeLink = platform::makeIrcLink;
    services.pause = waitKeepingWindowsPainted;
    services.runQuorvane = [](Interaction& user) {
        return find::runQuorvane(user, platform::executableFolder());
    };
    services.updateList = [](Interaction& user, ListType type, std::string_view currentListPath,
                             SearchServices::ListUpdated listUpdated) {
        return startListUpdate(
            user, updateCurrentListCommand(platform::executableFolder(), type, currentListPath),
            std::move(listUpdated));
    };
    return services;
}

}  // namespace quor::find::ui
