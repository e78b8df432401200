// The searches of the search window and the switches of the list source.

#include <QFile>
#include <QLineEdit>
#include <system_error>

#include "common/file_io.h"
#include "common/qt/qt_interaction.h"
#include "common/qt/status_text.h"
#include "quorfind/search/match.h"
#include "quorfind/search/own_list.h"
#include "quorfind/search/own_list_search.h"
#include "quorfind/search/search_texts.h"
#include "quorfind/search/text_list_search.h"
#include "quorfind/ui/search_window.h"

namespace quor::find::ui {

using quor::ui::qtext;
using quor::ui::utf8;

namespace {

constexpr std::string_view kOpenChosenListFailed = "There was a problem opening your list!";
constexpr std::string_view kOpenChosenFileFailed = "There was a problem opening this file!";

std::vector<std::string> instructionRows() {
    return {kInstructionRows.begin(), kInstructionRows.end()};
}

// A chosen file's path as the file system names it.
std::string localPath(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

}  // namespace

void SearchWindow::startSearch() {
    if (searching_) {
        requestStop();
        return;
    }
    if (!idle()) {
        return;
    }
    const std::string text = cleanSearchText(utf8(searchBox_->currentText()));
    if (recent_.remember(text)) {
        showRecentSearches(qtext(text));
    } else {
        searchBox_->setEditText(qtext(text));
    }
    runSearch(text);
}

// A recent search picked from the box's list runs as it stands; while a
// search runs, the pick stops it instead.
void SearchWindow::searchAgain() {
    if (searching_) {
        requestStop();
        return;
    }
    if (idle()) {
        runSearch(utf8(searchBox_->currentText()));
    }
}

void SearchWindow::requestStop() {
    if (searching_) {
        interaction_.requestStop();
    }
}

void SearchWindow::runSearch(const std::string& text) {
    instant_->cancel();  // a full search replaces whatever was typed before
    bool ready = false;
    guarded([&] {
        listType_ = settings_.listType();
        if (listType_ == ListType::OwnList) {
            currentListPath_ = settings_.localList();
            if (listFileName(currentListPath_).empty()) {
                chooseOwnList(false);
            }
        }
        ready = true;
    });
    if (ready) {
        showSearching();
        SearchResult result;
        guarded([&] {
            BusyPointer busy(interaction_);
            result = searchSource(text);
        });
        showFinished(std::move(result));
    }
    if (!isMinimized()) {
        focusSearchBox();
    }
    closeIfAsked();
}

SearchResult SearchWindow::searchSource(const std::string& text) {
    switch (listType_) {
        case ListType::OwnList:
            if (listFileName(currentListPath_).empty()) {
                return {};  // no list was chosen: nothing to read
            }
            return searchOwnListOf(places_.dataFolder(), currentListPath_, text,
                                   settings_.includeFolders(), interaction_, services_.limits);
        case ListType::TextList:
            return searchTextList(currentListPath_, text, interaction_, services_.limits);
        case ListType::ListsFolder:
            return find::searchListsFolder(places_.listsFolder(), text, interaction_,
                                           services_.limits);
    }
    return {};
}

// Every source lets events run as it goes (after each file, and each
// piece of a text list), so Stop reaches it.
void SearchWindow::showSearching() {
    searching_ = true;
    interaction_.beginWork();
    model_->clear();
    setWindowTitle(qtext(kSearchingCaption));
    searchButton_->setText("Stop");
    searchButton_->setToolTip("Click to stop the search");
    setCommandsEnabled(false);
    repaint();
}

void SearchWindow::showFinished(SearchResult result) {
    searching_ = false;
    searchButton_->setText("Search");
    searchButton_->setToolTip("Click to begin the search");
    if (result.matches == 0) {
        model_->showNotes({std::string(kNoMatchesRow)});
    } else {
        model_->showResults(std::move(result.rows));
    }
    interaction_.status(foundText(result.matches));
    setWindowTitle(qtext(windowCaption(currentListPath_)));
    setCommandsEnabled(true);
}

void SearchWindow::showRecentSearches(const QString& editText) {
    const QSignalBlocker quiet(searchBox_);
    searchBox_->clear();
    for (const std::string& item : recent_.items()) {
        searchBox_->addItem(qtext(item));
    }
    searchBox_->setCurrentIndex(-1);
    searchBox_->setEditText(editText);
}

void SearchWindow::searchYourLists() {
    if (idle()) {
        chooseOwnList(true);
    }
}

void SearchWindow::chooseOwnList(bool clearSearchBox) {
    (void)createFolders(places_.dataFolder());
    std::string chosen;
    {
        OrdinaryWhileDialog ordinary(*this);
        chosen = services_.dialogs.chooseList(this, places_, chosenListName_, interaction_);
    }
    chosenListName_ = chosen;
    if (chosen.empty()) {
        focusSearchBox();
        return;
    }
    const Result<std::string> output = savedListOutputPath(places_.dataFolder() / chosen);
    if (!output) {
        fallBackToOwnList(kOpenChosenListFailed, output.error());
        return;
    }
    switchSource(ListType::OwnList, *output, kOpenChosenListFailed, clearSearchBox);
}

void SearchWindow::searchAnyTextList() {
    if (!idle()) {
        return;
    }
    std::string lastList;
    guarded([&] { lastList = settings_.nonLocalList(); });
    const std::size_t slash = lastList.rfind('/');
    const std::string folder = slash == std::string::npos ? places_.programFolder().string()
                                                          : lastList.substr(0, slash + 1);
    QString chosen;
    {
        OrdinaryWhileDialog ordinary(*this);
        chosen = services_.chooseOpenFile(this, {"Select a text file to search:",
                                                 QFile::decodeName(folder.c_str()),
                                                 "Text Files (*.txt);;All Files (*)",
                                                 {}});
    }
    if (chosen.isEmpty()) {
        focusSearchBox();
        return;
    }
    switchSource(ListType::TextList, localPath(chosen), kOpenChosenFileFailed, true);
}

void SearchWindow::searchListsFolder() {
    if (!idle()) {
        return;
    }
    const std::filesystem::path folder = places_.listsFolder();
    std::error_code missing;
    if (!std::filesystem::is_directory(folder, missing)) {
        if (Status made = createFolders(folder); !made) {
            interaction_.notice(listsFolderFailed(), made.error());
            return;
        }
        interaction_.notice(kNoListsText, kNoListsCaption);
    }
    switchSource(ListType::ListsFolder, std::string(kListsFolderPath), listsFolderFailed(), true);
}

// The path of the source left is kept under its key, then the new source
// and its path are stored; a store that fails leaves the own list.
void SearchWindow::switchSource(ListType type, const std::string& path, std::string_view failText,
                                bool clearSearchBox) {
    try {
        rememberCurrentPath();
        listType_ = type;
        settings_.saveListType(type);
        currentListPath_ = path;
        rememberCurrentPath();
    } catch (const store::StoreError& error) {
        fallBackToOwnList(failText, error.what());
        return;
    }
    resetWindow(clearSearchBox);
}

std::string SearchWindow::listsFolderFailed() const {
    return listsFolderFailedText(places_.programFolder().string());
}

// A source that could not be opened leaves the own list as the source.
void SearchWindow::fallBackToOwnList(std::string_view text, const std::string& reason) {
    interaction_.notice(text, reason);
    listType_ = ListType::OwnList;
    guarded([&] {
        settings_.saveListType(ListType::OwnList);
        currentListPath_ = settings_.localList();
    });
    focusSearchBox();
}

// The list path of the source being left, under its own key.
void SearchWindow::rememberCurrentPath() {
    if (listType_ == ListType::OwnList) {
        settings_.app().saveSetting(kLocalList, currentListPath_);
    } else if (listType_ == ListType::TextList) {
        settings_.app().saveSetting(kNonLocalList, currentListPath_);
    }
}

void SearchWindow::resetWindow(bool clearSearchBox) {
    prepareSearchAsYouType();
    setWindowTitle(qtext(windowCaption(currentListPath_)));
    if (clearSearchBox) {
        searchBox_->setEditText({});
    }
    model_->showNotes(instructionRows());
    quor::ui::setStatusText(*statusBar(), {});
    repaint();
    focusSearchBox();
}

}  // namespace quor::find::ui
