#include "quorfind/actions/open_play.h"

#include <functional>

namespace quor::find {

using std::chrono::milliseconds;

namespace {

// Hands the resolved path of each row to act, rows that name no file passed
// over, pending events run after each; a failed hand-over is told once and
// ends the action. Returns the number of files handed over.
int handEachFile(const std::vector<SearchRow>& rows, const ActionContext& context,
                 const std::function<bool(const std::string&)>& act) {
    int handed = 0;
    for (const SearchRow& row : rows) {
        const std::string path = resolvedPath(context, row);
        if (path.empty()) {
            continue;
        }
        if (!act(path)) {
            context.ui.notice(kLaunchFailedText, kLaunchFailedCaption);
            return handed;
        }
        ++handed;
        (void)context.ui.keepResponsive();
    }
    return handed;
}

}  // namespace

int openOrPlay(const std::vector<SearchRow>& rows, const ActionContext& context,
               Launcher& launcher) {
    if (refusedUnlessOwnList(context, RowAction::Open)) {
        return 0;
    }
    return handEachFile(rows, context, [&](const std::string& path) {
        if (launcher.open(path).ok()) {
            return true;
        }
        if (!launcher.play(path).ok()) {
            return false;
        }
        context.pause(milliseconds(1000));
        return true;
    });
}

int queueFiles(const std::vector<SearchRow>& rows, const ActionContext& context,
               Launcher& launcher) {
    if (refusedUnlessOwnList(context, RowAction::Queue)) {
        return 0;
    }
    return handEachFile(rows, context, [&](const std::string& path) {
        if (!launcher.enqueue(path).ok()) {
            return false;
        }
        context.pause(milliseconds(1000));
        return true;
    });
}

}  // namespace quor::find
