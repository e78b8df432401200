// The search as you type: each edit of the search box searches the text
// typed so far and shows its rows and count, and nothing else: the box, the
// recent searches, the caption and the buttons stay as they are, and no
// message is shown.

#include "common/qt/qt_interaction.h"
#include "quorfind/search/own_list.h"
#include "quorfind/search/search_texts.h"
#include "quorfind/ui/search_window.h"

namespace quor::find::ui {

using quor::ui::utf8;

std::optional<InstantRequest> SearchWindow::instantRequest(const QString& typed) {
    InstantRequest request;
    try {
        if (!settings_.searchAsYouType()) {
            return std::nullopt;
        }
        request.includeFolders = settings_.includeFolders();
        request.source = settings_.listType();
        request.listPath =
            request.source == ListType::OwnList ? settings_.localList() : currentListPath_;
    } catch (const store::StoreError&) {
        return std::nullopt;  // a store that fails is told when Enter searches
    }
    if (request.source == ListType::OwnList && listFileName(request.listPath).empty()) {
        return std::nullopt;  // Enter asks for a list first
    }
    request.dataFolder = places_.dataFolder();
    request.listsFolder = places_.listsFolder();
    request.typed = utf8(typed);
    return request;
}

void SearchWindow::searchAsYouType(const QString& typed) {
    if (!idle()) {
        return;
    }
    if (std::optional<InstantRequest> request = instantRequest(typed)) {
        instant_->start(std::move(*request));
    }
}

// The own list is read while the user starts typing, not at the first key.
void SearchWindow::prepareSearchAsYouType() {
    instant_->cancel();
    if (std::optional<InstantRequest> request = instantRequest({})) {
        instant_->prepare(std::move(*request));
    }
}

void SearchWindow::showInstant(const std::shared_ptr<InstantAnswer>& answer) {
    if (!idle()) {
        return;
    }
    const std::size_t count = answer->count();
    if (count == 0) {
        model_->showNotes({std::string(kNoMatchesRow)});
    } else if (answer->matches) {
        model_->showMatches(std::move(*answer->matches));
    } else {
        model_->showResults(std::move(answer->rows.rows));
    }
    interaction_.status(foundText(static_cast<long long>(count)));
}

}  // namespace quor::find::ui
