#include "quorfind/ui/search_window.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QStatusBar>
#include <QTimer>
#include <QVBoxLayout>

#include "common/qt/bring_forward.h"
#include "common/qt/menu_items.h"
#include "common/qt/qt_interaction.h"
#include "common/qt/shortcuts.h"
#include "common/qt/store_guard.h"
#include "quorfind/search/search_texts.h"
#include "quorfind/start_quorvane.h"
#include "quorfind/ui/link_names.h"
#include "quorvane/store/app_placement_settings.h"

namespace quor::find::ui {

using quor::ui::addMenuItem;
using quor::ui::qtext;

SearchWindow::SearchWindow(store::SettingsStore& store, store::Places places, Interaction& boxes,
                           SearchServices services, QWidget* parent)
    : QMainWindow(parent),
      settings_(store),
      places_(std::move(places)),
      services_(std::move(services)),
      interaction_(boxes, *statusBar()) {
    setObjectName("frmSearch");
    setWindowTitle(qtext(windowCaption("")));
    launcher_ = services_.makeLauncher(settings_);
    instant_ = new InstantRunner(services_.limits, this);
    connect(instant_, &InstantRunner::answered, this, &SearchWindow::showInstant);
    buildControls();
    buildMenus();
}

SearchWindow::~SearchWindow() = default;

void SearchWindow::buildControls() {
    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    auto* prompt = new QLabel("Enter search &text: (leave blank to return all files)", central);
    prompt->setObjectName("lblSearchText");
    layout->addWidget(prompt);

    auto* row = new QHBoxLayout;
    searchBox_ = new QComboBox(central);
    searchBox_->setObjectName("SearchBox");
    searchBox_->setEditable(true);
    searchBox_->setInsertPolicy(QComboBox::NoInsert);
    // No completion from the recent searches: Enter searches what was typed.
    searchBox_->setCompleter(nullptr);
    searchBox_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    searchBox_->setMinimumContentsLength(8);
    searchBox_->setAccessibleName("Search text");
    searchBox_->setAccessibleDescription(
        "Text to find; leave blank to return all files. The list holds the recent searches.");
    searchBox_->lineEdit()->installEventFilter(this);
    searchBox_->installEventFilter(this);
    prompt->setBuddy(searchBox_);
    connect(searchBox_, &QComboBox::activated, this, [this] { searchAgain(); });
    connect(searchBox_->lineEdit(), &QLineEdit::textEdited, this, &SearchWindow::searchAsYouType);
    row->addWidget(searchBox_, 1);

    searchButton_ = new QPushButton("Search", central);
    searchButton_->setObjectName("btnSearch");
    searchButton_->setToolTip("Click to begin the search");
    searchButton_->setDefault(true);
    connect(searchButton_, &QPushButton::clicked, this, &SearchWindow::startSearch);
    row->addWidget(searchButton_);

    openButton_ = new QPushButton("Open", central);
    openButton_->setObjectName("btnOpen");
    openButton_->setToolTip("Open/Play selected files");
    openButton_->setAutoDefault(true);  // Enter on the focused button opens
    connect(openButton_, &QPushButton::clicked, this, &SearchWindow::openSelected);
    row->addWidget(openButton_);
    layout->addLayout(row);

    model_ = new ResultModel(this);
    view_ = new ResultView(central);
    view_->setModel(model_);
    connect(view_, &QAbstractItemView::doubleClicked, this, &SearchWindow::openRow);
    connect(view_, &ResultView::menuRequested, this, &SearchWindow::popUpRowMenu);
    connect(view_, &ResultView::dragRequested, this, &SearchWindow::startRowDrag);
    rowSelection_.follow(*view_, [this] { enableOpenButton(); });
    layout->addWidget(view_, 1);
    setCentralWidget(central);
    statusBar()->setObjectName("StatusBar1");

    for (QWidget* button :
         {static_cast<QWidget*>(searchButton_), static_cast<QWidget*>(openButton_)}) {
        button->setAccessibleDescription(button->toolTip());
    }
    setTabOrder(searchBox_, searchButton_);
    setTabOrder(searchButton_, openButton_);
    setTabOrder(openButton_, view_);
}

void SearchWindow::buildMenus() {
    QMenu* file = menuBar()->addMenu("&File");
    file->setObjectName("mnuFile");
    idleOnly_ << addMenuItem(*file, "mnuFileOpenLocal", "&Search Your List(s)", this,
                             &SearchWindow::searchYourLists)
              << addMenuItem(*file, "mnuFileOpenNonLocal", "Search Any &Text List", this,
                             &SearchWindow::searchAnyTextList)
              << addMenuItem(*file, "mnuFileOpenListsFolder", "Search \"Lists\" &Folder", this,
                             &SearchWindow::searchListsFolder);
    file->addSeparator();
    QAction* exit = addMenuItem(*file, "mnuFileExit", "E&xit", this, &QWidget::close);
    quor::ui::setWindowKeys(*exit,
                            quor::ui::standardKeys(QKeySequence::Quit, Qt::CTRL | Qt::Key_Q));

    // A menu of its own without items: choosing it opens the options.
    idleOnly_ << addMenuItem(*menuBar(), "mnuOptions", "&Options", this,
                             &SearchWindow::showOptions);

    QMenu* edit = menuBar()->addMenu("&Edit");
    edit->setObjectName("mnuEdit");
    edit->setToolTipsVisible(true);
    rowMenu_ = new QMenu("Results", this);
    rowMenu_->setObjectName("mnuPopup");
    rowMenu_->setToolTipsVisible(true);
    const QList<QAction*> rowActions = {
        addMenuItem(*edit, "mnuEditOpen", "&Open/Play", this, &SearchWindow::openSelected),
        queueAction_ = addMenuItem(*edit, "mnuEditQueue", "&Queue (Winamp only)", this,
                                   &SearchWindow::queueSelected),
        addMenuItem(*edit, "mnuEditPlaylist", "&Save to MP3 playlist", this,
                    &SearchWindow::savePlaylist),
        addMenuItem(*edit, "mnuEditDelete", "&Delete", this, &SearchWindow::deleteSelected),
        addMenuItem(*edit, "mnuEditRename", "&Rename", this, &SearchWindow::renameSelected),
        addMenuItem(*edit, "mnuEditCopy", "&Copy text to Clipboard", this,
                    &SearchWindow::copyText)};
    rowMenu_->addActions(rowActions);
    dccAction_ =
        addMenuItem(*edit, "mnuEditDCC", "D&CC send (Mirc only)", this, &SearchWindow::dccSend);
    rowDccAction_ = addMenuItem(*rowMenu_, "mnuPopupDCC", "DCC &send (Mirc only)", this,
                                &SearchWindow::dccSend);
    idleOnly_ << rowActions << dccAction_ << rowDccAction_;
    connect(edit, &QMenu::aboutToShow, this, &SearchWindow::describeLinks);
    connect(rowMenu_, &QMenu::aboutToShow, this, &SearchWindow::describeLinks);

    QMenu* quorvane = menuBar()->addMenu("&Quorvane");
    quorvane->setObjectName("mnuQuorvane");
    idleOnly_ << addMenuItem(*quorvane, "mnuRunQuorvane", "&Run Quorvane", this,
                             &SearchWindow::runQuorvane)
              << addMenuItem(*quorvane, "mnuUpdateList", "&Update the Current List", this,
                             &SearchWindow::updateCurrentList);

    QAction* help = addMenuItem(*menuBar(), "mnuHelp", "&Help", this, &SearchWindow::showHelp);
    quor::ui::setWindowKeys(*help, quor::ui::standardKeys(QKeySequence::HelpContents, Qt::Key_F1));

    // The search box, from anywhere in the window.
    auto* find = new QAction("Find", this);
    find->setObjectName("actFind");
    quor::ui::setWindowKeys(*find,
                            quor::ui::standardKeys(QKeySequence::Find, Qt::CTRL | Qt::Key_F));
    connect(find, &QAction::triggered, this, &SearchWindow::focusSearchBox);
    addAction(find);
    quor::ui::setRowKeys(*findChild<QAction*>("mnuEditDelete"), *view_,
                         quor::ui::standardKeys(QKeySequence::Delete, Qt::Key_Delete));
    quor::ui::setRowKeys(*findChild<QAction*>("mnuEditRename"), *view_, {QKeySequence(Qt::Key_F2)});
    describeLinks();
}

// The tips of Queue and DCC send name the player and IRC client that the
// settings reach now, since the captions keep their historic names.
void SearchWindow::describeLinks() {
    guarded([&] {
        const std::string player =
            audioPlayerName(platform::PlayerVerb::Enqueue, settings_.enqueueCommand());
        const QString queueTip =
            player.empty() ? "Adds the selected files to the audio player's playlist (no audio "
                             "player is installed)"
                           : "Adds the selected files to the playlist of " + qtext(player);
        const QString dccTip = "Sends the selected files by DCC through " +
                               qtext(ircClientName(settings_.serviceName()));
        queueAction_->setToolTip(queueTip);
        queueAction_->setStatusTip(queueTip);
        for (QAction* action : {dccAction_, rowDccAction_}) {
            action->setToolTip(dccTip);
            action->setStatusTip(dccTip);
        }
    });
}

void SearchWindow::load() {
    guarded([&] {
        recent_ = RecentSearches::load(settings_.app());
        showRecentSearches("");
        view_->setWideScrollRange(settings_.includeHScrollBar());
        topMostFlag_ = settings_.alwaysOnTop();
        // Every run starts on the own list, so a source left over from a run
        // that ended without closing its window cannot be searched by mistake.
        listType_ = ListType::OwnList;
        settings_.saveListType(ListType::OwnList);
        currentListPath_ = settings_.localList();
    });
    resetWindow(true);
    // Placed once the instructions show: a new window is wide enough for them.
    guarded([&] { restorePlacementOrDefault(); });
}

void SearchWindow::restorePlacementOrDefault() {
    const QSize minimum(kSearchMinimumWidth, kSearchMinimumHeight);
    const Status placed = quor::ui::restorePlacement(
        *this, store::AppPlacementSettings(settings_.app()), kSearchPlacement, minimum);
    if (placed) {
        return;
    }
    interaction_.notice("The stored place of the search window cannot be used (" + placed.error() +
                            "); the window opens at its usual place.",
                        kQuorfindTitle);
    quor::ui::restoreDefaultPlacement(*this, kSearchPlacement, minimum);
}

void SearchWindow::showAtStart() {
    bool firstStart = false;
    // The first-start test reads "SearchTop" its own way: missing (rather
    // than the window place's fallback 0) means the first start.
    guarded([&] { firstStart = !settings_.app().contains(store::kSettings, kSearchTop); });
    placeTopMost(topMostFlag_);
    show();
    focusSearchBox();
    if (firstStart) {
        services_.dialogs.firstStartHelp(this, interaction_, places_);
    }
}

void SearchWindow::comeForward() {
    if (idle()) {
        guarded([&] {
            const bool handedOver =
                settings_.listType() == ListType::OwnList &&
                (listType_ != ListType::OwnList || settings_.localList() != currentListPath_);
            if (handedOver) {
                listType_ = ListType::OwnList;
                currentListPath_ = settings_.localList();
                resetWindow(false);
            }
        });
    }
    placeTopMost(topMostFlag_);
    quor::ui::bringForward(*this);
    focusSearchBox();
}

bool SearchWindow::topMost() const {
    return windowFlags().testFlag(Qt::WindowStaysOnTopHint);
}

// Changing the flag of a shown window hides it; it is shown again at the
// same place and size.
void SearchWindow::placeTopMost(bool on) {
    if (topMost() == on) {
        return;
    }
    const bool visible = isVisible();
    const QRect placed = geometry();
    setWindowFlag(Qt::WindowStaysOnTopHint, on);
    if (visible) {
        setGeometry(placed);
        show();
    }
}

OrdinaryWhileDialog::OrdinaryWhileDialog(SearchWindow& window) : window_(window) {
    if (window_.topMostFlag_) {
        window_.placeTopMost(false);
    }
}

OrdinaryWhileDialog::~OrdinaryWhileDialog() {
    window_.placeTopMost(window_.topMostFlag_);
}

void SearchWindow::setCommandsEnabled(bool enabled) {
    for (QAction* action : idleOnly_) {
        action->setEnabled(enabled);
    }
    enableOpenButton();
}

// Open needs a selected result, and waits while a search runs.
void SearchWindow::enableOpenButton() {
    openButton_->setEnabled(!searching_ && quor::ui::hasSelectedRow(*view_));
}

void SearchWindow::focusSearchBox() {
    searchBox_->setFocus(Qt::OtherFocusReason);
    searchBox_->lineEdit()->selectAll();
}

// A failing settings store is told, captioned with its error, instead of
// ending the program.
void SearchWindow::guarded(const std::function<void()>& command) {
    (void)quor::ui::storeGuarded(interaction_, "The command could not be completed.", command);
}

void SearchWindow::closeIfAsked() {
    if (idle()) {
        closing_.closeIfAsked(*this);
    }
}

void SearchWindow::closeEvent(QCloseEvent* event) {
    // Work that lets events run returns at its next safe point; the window
    // closes then, so no file is left half written.
    if (closing_.handle(
            *event, !idle(), [this] { interaction_.requestStop(); }, [this] { storeOnClose(); })) {
        emit closed();
    }
}

void SearchWindow::storeOnClose() {
    guarded([&] {
        store::AppSettings& app = settings_.app();
        store::AppPlacementSettings placements(app);
        if (!isMinimized()) {
            quor::ui::storePlacement(*this, placements, kSearchPlacement);
        } else if (!app.contains(store::kSettings, kSearchTop)) {
            // Closed minimised on the very first run: the normal placement
            // is stored, so the first-start help is not shown again.
            quor::ui::savePlacement(
                placements, kSearchPlacement,
                quor::ui::toTwips(normalGeometry(), quor::ui::logicalDpi(*this)));
        }
        recent_.save(app);
        settings_.saveListType(ListType::OwnList);
        rememberCurrentPath();
    });
}

void SearchWindow::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange && isMinimized() && hideWhenMinimised_) {
        // Hidden once the minimising is done; the tray icon brings it back.
        QTimer::singleShot(0, this, [this] {
            if (isMinimized()) {
                hide();
            }
        });
    }
}

// Enter anywhere but on a button starts a search, as the Search button is
// the default button; Escape stops a running search.
void SearchWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        startSearch();
        return;
    }
    if (event->key() == Qt::Key_Escape && searching_) {
        requestStop();
        return;
    }
    QMainWindow::keyPressEvent(event);
}

bool SearchWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && watched == searchBox_->lineEdit()) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            startSearch();
            return true;  // not also taken as a pick of a recent search
        }
    }
    if (event->type() == QEvent::MouseButtonPress && searching_) {
        requestStop();
    }
    return QMainWindow::eventFilter(watched, event);
}

}  // namespace quor::find::ui
