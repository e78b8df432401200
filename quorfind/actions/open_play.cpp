#include "quorfind/actions/open_play.h"

#include <functional>

#include "platform/players.h"

namespace quor::find {

using std::chrono::milliseconds;

namespace {

// Hands the resolved path of each row to act, rows that name no file passed
// over, pending events run after each; a failed hand-over is told once, with
// its reason, and ends the action. Returns the number of files handed over.
int handEachFile(const std::vector<SearchRow>& rows, const ActionContext& context,
                 const std::function<Status(const std::string&)>& act) {
    int handed = 0;
    for (const SearchRow& row : rows) {
        const std::string path = resolvedPath(context, row);
        if (path.empty()) {
            continue;
        }
        if (const Status done = act(path); !done) {
            context.user.notice(launchFailedText(done.error()), kLaunchFailedCaption);
            return handed;
        }
        ++handed;
        (void)context.user.keepResponsive();
    }
    return handed;
}

}  // namespace

std::string launchFailedText(std::string_view reason) {
    std::string text(kLaunchFailedText);
    if (!reason.empty()) {
        text.append("\n\n").append(reason);
    }
    return text;
}

int openOrPlay(const std::vector<SearchRow>& rows, const ActionContext& context,
               Launcher& launcher) {
    if (refusedUnlessOwnList(context, RowAction::Open)) {
        return 0;
    }
    // The first file that goes to the player is played; later ones are
    // queued behind it, since each "play" would replace the one before.
    bool playerHasOne = false;
    return handEachFile(rows, context, [&](const std::string& path) {
        const Status opened = launcher.open(path);
        if (opened || !platform::isAudioFile(path)) {
            return opened;
        }
        const Status handed = playerHasOne ? launcher.enqueue(path) : launcher.play(path);
        if (!handed) {
            return handed;
        }
        playerHasOne = true;
        context.pause(milliseconds(1000));
        return Status::success();
    });
}

int queueFiles(const std::vector<SearchRow>& rows, const ActionContext& context,
               Launcher& launcher) {
    if (refusedUnlessOwnList(context, RowAction::Queue)) {
        return 0;
    }
    return handEachFile(rows, context, [&](const std::string& path) {
        const Status handed = launcher.enqueue(path);
        if (handed) {
            context.pause(milliseconds(1000));
        }
        return handed;
    });
}

}  // namespace quor::find
