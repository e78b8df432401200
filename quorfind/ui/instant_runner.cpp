#include "quorfind/ui/instant_runner.h"

#include <QCoreApplication>
#include <QEvent>
#include <QMetaObject>

#include "quorfind/search/match.h"
#include "quorfind/search/text_list_search.h"

namespace quor::find::ui {

InstantRunner::InstantRunner(const SearchLimits& limits, QObject* parent)
    : QObject(parent),
      limits_(limits),
      own_(std::make_unique<InstantOwnSearch>(limits.maxRowBytes, limits.maxRows)) {
    // One search at a time: the list kept in memory is never shared by two.
    pool_.setMaxThreadCount(1);
    pool_.setExpiryTimeout(-1);
}

InstantRunner::~InstantRunner() {
    stop_.request_stop();
    pool_.clear();
    pool_.waitForDone();
}

void InstantRunner::cancel() {
    stop_.request_stop();
    pool_.clear();  // a queued search that has not begun never runs
    ++generation_;
    pending_ = false;
}

void InstantRunner::waitForDone() {
    pool_.waitForDone();
    QCoreApplication::sendPostedEvents(this, QEvent::MetaCall);
}

void InstantRunner::prepare(InstantRequest request) {
    if (request.source != ListType::OwnList) {
        return;
    }
    pool_.start([this, request = std::move(request)] {
        (void)own_->prepare(request.dataFolder, request.listPath);
    });
}

void InstantRunner::start(InstantRequest request) {
    cancel();
    if (request.source == ListType::TextList) {
        const auto bytes = textListBytes(request.listPath);
        if (!bytes || *bytes > kInstantListBytes) {
            emit unanswered();
            return;
        }
    } else if (request.source == ListType::ListsFolder) {
        const auto bytes = listsFolderBytes(request.listsFolder);
        if (!bytes || *bytes > kInstantListBytes) {
            emit unanswered();
            return;
        }
    }
    stop_ = std::stop_source();
    pending_ = true;
    const unsigned long generation = generation_;
    pool_.start([this, generation, request = std::move(request), stop = stop_.get_token()] {
        std::optional<InstantAnswer> found = answer(*own_, request, limits_, stop);
        std::shared_ptr<InstantAnswer> shared;
        if (found) {
            shared = std::make_shared<InstantAnswer>(std::move(*found));
        }
        QMetaObject::invokeMethod(
            this, [this, generation, shared] { deliver(generation, shared); },
            Qt::QueuedConnection);
    });
}

void InstantRunner::deliver(unsigned long generation, std::shared_ptr<InstantAnswer> answer) {
    if (generation != generation_ || !pending_) {
        return;  // overtaken
    }
    pending_ = false;
    if (answer) {
        emit answered(std::move(answer));
    } else {
        emit unanswered();
    }
}

std::optional<InstantAnswer> InstantRunner::answer(InstantOwnSearch& own,
                                                   const InstantRequest& request,
                                                   const SearchLimits& limits,
                                                   std::stop_token stop) {
    InstantAnswer found;
    if (request.source == ListType::OwnList) {
        found.matches = own.search(request.dataFolder, request.listPath, request.typed,
                                   request.includeFolders, stop);
        if (!found.matches) {
            return std::nullopt;
        }
        return found;
    }
    // Other people's lists are read again at each key: they are small, and
    // a search of them shows nothing while it runs.
    SilentInteraction silent(stop);
    const std::string text = cleanSearchText(request.typed);
    found.rows = request.source == ListType::TextList
                     ? searchTextList(request.listPath, text, silent, limits)
                     : searchListsFolder(request.listsFolder, text, silent, limits);
    if (silent.notices() > 0 || found.rows.stopped || found.rows.full) {
        return std::nullopt;
    }
    return found;
}

}  // namespace quor::find::ui
