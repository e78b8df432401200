#pragma once

// Runs the searches as you type off the window's thread, one at a time: a
// newer key stops the search before it (at its next check) and an answer
// that a newer key or a full search overtook is dropped. Answers arrive on
// the window's thread through answered().

#include <QObject>
#include <QThreadPool>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <stop_token>
#include <string>

#include "quorfind/search/instant_search.h"
#include "quorfind/search/search_limits.h"
#include "quorfind/search/search_result.h"
#include "quorfind/settings.h"

namespace quor::find::ui {

// What one key asks for: the source and the text as typed.
struct InstantRequest {
    ListType source = ListType::OwnList;
    std::filesystem::path dataFolder;  // the own list's data folder
    std::string listPath;              // the own list's output path, or the text list
    std::filesystem::path listsFolder;
    std::string typed;
    bool includeFolders = true;
};

// The rows of one key: the matches of the own list kept in memory, or the
// rows of a small text list or Lists folder.
struct InstantAnswer {
    std::optional<InstantMatches> matches;
    SearchResult rows;
    std::size_t count() const { return matches ? matches->size() : rows.rows.size(); }
};

class InstantRunner : public QObject {
    Q_OBJECT
  public:
    InstantRunner(const SearchLimits& limits, QObject* parent = nullptr);
    // Stops the running search and waits for it.
    ~InstantRunner() override;

    // Starts the search of request, dropping any earlier one. Text lists
    // and Lists folders larger than kInstantListBytes are not searched: the
    // request is dropped and nothing is answered.
    void start(InstantRequest request);
    // Reads the own list of request into memory ahead of the first key (the
    // other sources are read at each key); answers nothing.
    void prepare(InstantRequest request);
    // Drops the running search, if any, and any answer still on its way.
    void cancel();
    // True while a search started here has not answered or been dropped.
    bool pending() const { return pending_; }
    // Waits until the running search, if any, has ended, and delivers its
    // answer if it is still wanted.
    void waitForDone();

  signals:
    // The answer to the latest request; not emitted for a request whose
    // list could not be read.
    void answered(std::shared_ptr<InstantAnswer> answer);
    // The latest request ended without an answer (dropped, or unreadable).
    void unanswered();

  private:
    static std::optional<InstantAnswer> answer(InstantOwnSearch& own, const InstantRequest& request,
                                               const SearchLimits& limits, std::stop_token stop);
    void deliver(unsigned long generation, std::shared_ptr<InstantAnswer> answer);

    SearchLimits limits_;
    std::unique_ptr<InstantOwnSearch> own_;
    std::stop_source stop_;
    unsigned long generation_ = 0;
    bool pending_ = false;
    QThreadPool pool_;
};

}  // namespace quor::find::ui
