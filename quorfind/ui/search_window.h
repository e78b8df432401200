#pragma once

// The search window frmSearch: the search box with its recent searches, the
// Search (Stop while a search runs) and Open buttons, the result list and
// the status bar; the File menu switches the list source, the Edit menu and
// the result list's context menu act on the selected rows, the Quorvane
// menu starts quorvane. Each command calls the core and shows the new
// state; messages go through the interaction, choosers, dialogs and
// desktop calls through the search services, so tests can drive every
// command.
//
// Long work (a search, an action over many rows) lets window events run;
// while it does, every other command is ignored, a Stop (the Search button,
// Escape, a pick or click in the search box) ends a search between files,
// and closing the window waits until the work has returned.

#include <QComboBox>
#include <QMainWindow>
#include <QMenu>
#include <QPushButton>
#include <functional>
#include <optional>
#include <string>

#include "common/interaction.h"
#include "common/qt/close_when_idle.h"
#include "common/qt/row_buttons.h"
#include "common/qt/window_interaction.h"
#include "common/qt/window_placement.h"
#include "quorfind/dcc/dcc_send.h"
#include "quorfind/recent_searches.h"
#include "quorfind/search/search_result.h"
#include "quorfind/settings.h"
#include "quorfind/ui/instant_runner.h"
#include "quorfind/ui/result_list.h"
#include "quorfind/ui/search_services.h"
#include "quorvane/store/places.h"

namespace quor::find::ui {

// The defaults are kDefaultSearchWidth and kDefaultSearchHeight as numbers.
inline constexpr quor::ui::PlacementKeys kSearchPlacement{
    kSearchLeft, kSearchTop, kSearchWidth, kSearchHeight, {0, 0, 4170, 4080}};
// The smallest search window, in twips.
inline constexpr int kSearchMinimumWidth = 4200;
inline constexpr int kSearchMinimumHeight = 2500;

inline constexpr std::string_view kHelpFailedText =
    "There was a problem opening the Quorfind help file!";

class SearchWindow : public QMainWindow {
    Q_OBJECT
  public:
    SearchWindow(store::SettingsStore& store, store::Places places, Interaction& boxes,
                 SearchServices services, QWidget* parent = nullptr);
    ~SearchWindow() override;

    // The load step: placement, recent searches, scroll range, the own list
    // as the source (every run starts on it), instruction rows and caption.
    void load();
    // Shows the window top-most or ordinary as stored and focuses the search
    // box; on the very first start (no placement stored yet) the help box
    // follows.
    void showAtStart();
    // Restores the window and brings it forward (the tray, a second copy).
    // When quorvane handed over another own list meanwhile, it becomes the
    // source.
    void comeForward();
    // With a tray icon to come back from, minimising hides the window.
    void setHiddenWhenMinimised(bool on) { hideWhenMinimised_ = on; }

    ListType listType() const { return listType_; }
    const std::string& currentListPath() const { return currentListPath_; }
    bool searching() const { return searching_; }
    bool topMost() const;
    ResultModel& results() { return *model_; }
    ResultView& resultView() { return *view_; }
    QComboBox& searchBox() { return *searchBox_; }
    // The searches as you type (tests wait on its signals).
    InstantRunner& instantSearch() { return *instant_; }

  public slots:
    void startSearch();
    void requestStop();
    void searchYourLists();
    void searchAnyTextList();
    void searchListsFolder();
    void showOptions();
    void openSelected();
    void queueSelected();
    void savePlaylist();
    void deleteSelected();
    void renameSelected();
    void copyText();
    void dccSend();
    void runQuorvane();
    void updateCurrentList();
    void showHelp();

  signals:
    // The window closed for good; the program ends.
    void closed();

  protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    friend class OrdinaryWhileDialog;

    // search_window.cpp: the frame.
    void buildControls();
    void buildMenus();
    void restorePlacementOrDefault();
    void storeOnClose();
    void placeTopMost(bool on);
    void describeLinks();
    void setCommandsEnabled(bool enabled);
    void enableOpenButton();
    void focusSearchBox();
    void guarded(const std::function<void()>& command);
    bool idle() const { return !searching_ && !acting_; }
    void closeIfAsked();

    // search_window_search.cpp: searches and list sources.
    void searchAgain();
    void runSearch(const std::string& text);
    SearchResult searchSource(const std::string& text);
    void showSearching();
    void showFinished(SearchResult result);
    void showRecentSearches(const QString& editText);
    void chooseOwnList(bool clearSearchBox);
    void fallBackToOwnList(std::string_view text, const std::string& reason);
    void switchSource(ListType type, const std::string& path, std::string_view failText,
                      bool clearSearchBox);
    std::string listsFolderFailed() const;
    void rememberCurrentPath();
    void resetWindow(bool clearSearchBox);

    // search_window_instant.cpp: the search as you type.
    std::optional<InstantRequest> instantRequest(const QString& typed);
    void searchAsYouType(const QString& typed);
    void prepareSearchAsYouType();
    void showInstant(const std::shared_ptr<InstantAnswer>& answer);

    // search_window_actions.cpp: actions on rows.
    void act(const std::function<void(const ActionContext& context)>& action);
    std::optional<OwnList> currentOwnList();
    std::vector<SearchRow> selectedResults() const;
    void openRow(const QModelIndex& index);
    void startRowDrag();
    void popUpRowMenu(const QPoint& globalPos);

    FindSettings settings_;
    store::Places places_;
    SearchServices services_;
    quor::ui::WindowInteraction interaction_;
    std::unique_ptr<Launcher> launcher_;
    DccSession session_;
    RecentSearches recent_;
    std::string chosenListName_;
    ListType listType_ = ListType::OwnList;
    std::string currentListPath_;

    QComboBox* searchBox_ = nullptr;
    QPushButton* searchButton_ = nullptr;
    QPushButton* openButton_ = nullptr;
    ResultModel* model_ = nullptr;
    ResultView* view_ = nullptr;
    QMenu* rowMenu_ = nullptr;
    QAction* queueAction_ = nullptr;
    QAction* dccAction_ = nullptr;
    QAction* rowDccAction_ = nullptr;
    QList<QAction*> idleOnly_;
    InstantRunner* instant_ = nullptr;

    bool topMostFlag_ = false;
    bool searching_ = false;
    bool acting_ = false;
    quor::ui::CloseWhenIdle closing_;
    bool hideWhenMinimised_ = false;
    quor::ui::RowSelectionFollower rowSelection_;
};

// Makes the window ordinary while a dialog shows, when it is kept on top,
// and puts it back on top afterwards.
class OrdinaryWhileDialog {
  public:
    explicit OrdinaryWhileDialog(SearchWindow& window);
    ~OrdinaryWhileDialog();
    OrdinaryWhileDialog(const OrdinaryWhileDialog&) = delete;
    OrdinaryWhileDialog& operator=(const OrdinaryWhileDialog&) = delete;

  private:
    SearchWindow& window_;
};

}  // namespace quor::find::ui
