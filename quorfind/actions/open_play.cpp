#include "quorfind/actions/open_play.h"

namespace quor::find {

using std::chrono::milliseconds;

int openOrPlay(const std::vector<SearchRow>& rows, const ActionContext& context,
               Launcher& launcher) {
    if (refusedUnlessOwnList(context, RowAction::Open)) {
        return 0;
    }
    int handed = 0;
    for (const SearchRow& row : rows) {
        const std::string path = resolvedPath(context, row);
        if (path.empty()) {
            continue;
        }
        if (!launcher.open(path).ok()) {
            const Status played = launcher.play(path);
            if (!played.ok()) {
                context.ui.notice(kLaunchFailedText, kLaunchFailedCaption);
                return handed;
            }
            context.pause(milliseconds(1000));
        }
        ++handed;
        (void)context.ui.keepResponsive();
    }
    return handed;
}

int queueFiles(const std::vector<SearchRow>& rows, const ActionContext& context,
               Launcher& launcher) {
    if (refusedUnlessOwnList(context, RowAction::Queue)) {
        return 0;
    }
    int handed = 0;
    for (const SearchRow& row : rows) {
        const std::string path = resolvedPath(context, row);
        if (path.empty()) {
            continue;
        }
        if (!launcher.enqueue(path).ok()) {
            context.ui.notice(kLaunchFailedText, kLaunchFailedCaption);
            return handed;
        }
        ++handed;
        context.pause(milliseconds(1000));
        (void)context.ui.keepResponsive();
    }
    return handed;
}

}  // namespace quor::find
