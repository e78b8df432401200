#include "quorfind/actions/action_context.h"

#include <thread>

#include "quorfind/search/resolve_row.h"

namespace quor::find {

void sleepPause(std::chrono::milliseconds duration) {
    std::this_thread::sleep_for(duration);
}

std::string_view refusalFirstLine(RowAction action) {
    switch (action) {
        case RowAction::Open:
            return "You can only open files from your local list. Go to the";
        case RowAction::Queue:
            return "You can only queue files from your local list. Go to the";
        case RowAction::Delete:
            return "You can only delete files from your local list. Go to the";
        case RowAction::Rename:
            return "You can only rename files from your local list. Go to the";
        case RowAction::Playlist:
            return "You can only create playlists from your local list. Go to the";
        case RowAction::Drag:
            return "You can only drag/drop files from your local list. Go to the";
        case RowAction::DccSend:
            return "You can only send files from your local list. Go to the";
    }
    return {};
}

bool refusedUnlessOwnList(const ActionContext& context, RowAction action) {
    if (context.listType == ListType::OwnList) {
        return false;
    }
    context.user.notice(std::string(refusalFirstLine(action)) + "\n" +
                        std::string(kRefusalSecondLine));
    return true;
}

std::string resolvedPath(const ActionContext& context, const SearchRow& row) {
    return resolveRow(row, context.list, context.user);
}

}  // namespace quor::find
