#include "window_fixture.h"

#include <QAbstractButton>
#include <QLineEdit>
#include <QStatusBar>
#include <QTest>
#include <stdexcept>

#include "common/qt/status_text.h"
#include "quorfind/search/saved_list_fixture.h"

namespace quor::testing {

namespace {

template <class T>
T takeFront(std::deque<T>& queue) {
    if (queue.empty()) {
        return T();
    }
    T front = std::move(queue.front());
    queue.pop_front();
    return front;
}

class RecordingLauncher final : public find::Launcher {
  public:
    explicit RecordingLauncher(FindWorld& world) : world_(world) {}
    Status open(std::string_view path) override {
        world_.launched.push_back("open " + std::string(path));
        return world_.openFails ? Status(Error{"no application"}) : Status::success();
    }
    Status play(std::string_view path) override {
        world_.launched.push_back("play " + std::string(path));
        return Status::success();
    }
    Status enqueue(std::string_view path) override {
        world_.launched.push_back("enqueue " + std::string(path));
        return Status::success();
    }

  private:
    FindWorld& world_;
};

}  // namespace

FindWorld::FindWorld() : store(DialogWorld::openStore(home.home())) {
    (void)places().ensureFolders();
    musicFolder = home.folder("music").string();
    home.file("music/a.mp3", "a");
    home.file("music/Rock/b.mp3", "b");
    home.file("music/Rock/c d.mp3", "c");
    writeSavedList(
        home, "music",
        {{"0", musicFolder, "Music", "0\n*Music/\na.mp3\n*Music/Rock/\nb.mp3\nc d.mp3\n"}});
    setSetting(find::kLocalList, "/web/music.txt");
}

std::string FindWorld::setting(std::string_view key) const {
    return store::AppSettings(*store, store::kQuorfind).setting(key, "<missing>");
}

void FindWorld::setSetting(std::string_view key, std::string_view value) {
    store::AppSettings(*store, store::kQuorfind).saveSetting(key, value);
}

find::ui::SearchServices FindWorld::services() {
    find::ui::SearchServices services;
    auto dialog = [this](const char* name) {
        dialogsRun.emplace_back(name);
        if (duringDialog) {
            duringDialog();
        }
    };
    services.dialogs.options = [this, dialog](QWidget*, find::FindSettings& settings,
                                              Interaction&) {
        dialog("frmOptions");
        if (optionsScript) {
            optionsScript(settings);
        }
    };
    services.dialogs.newPath = [this, dialog](QWidget*, const std::string&) {
        dialog("frmRename");
        return takeFront(newPaths);
    };
    services.dialogs.nickname = [this, dialog](QWidget*, const std::string&) {
        dialog("frmIRCnick");
        return takeFront(nicknames);
    };
    services.dialogs.chooseList = [this, dialog](QWidget*, const store::Places&, const std::string&,
                                                 Interaction&) {
        dialog("frmSavedLists");
        return takeFront(listChoices);
    };
    services.dialogs.firstStartHelp = [dialog](QWidget*, Interaction&, const store::Places&) {
        dialog("firstStartHelp");
    };
    services.chooseOpenFile = [this](QWidget*, const quor::ui::FileRequest& request) {
        fileRequests.push_back(request);
        return takeFront(openAnswers);
    };
    services.chooseSaveFile = [this](QWidget*, const quor::ui::FileRequest& request) {
        fileRequests.push_back(request);
        return takeFront(saveAnswers);
    };
    services.helpPage = [this] { return helpPage; };
    services.openUrl = [this](const QUrl& url) {
        opened.push_back(url.toLocalFile());
        return true;
    };
    services.startDrag = [this](QWidget*, QMimeData* data) {
        dragged.push_back(data->data("text/uri-list").toStdString());
        delete data;
    };
    services.makeLauncher = [this](const find::FindSettings&) -> std::unique_ptr<find::Launcher> {
        return std::make_unique<RecordingLauncher>(*this);
    };
    services.makeLink = platform::makeIrcLink;
    services.pause = [this](std::chrono::milliseconds ms) {
        pauses.push_back(static_cast<int>(ms.count()));
    };
    services.runQuorvane = [this](Interaction&) {
        started.emplace_back("run");
        return true;
    };
    services.updateList = [this](Interaction&, find::ListType type, std::string_view path,
                                 find::ui::SearchServices::ListUpdated listUpdated) {
        started.push_back("update " + std::to_string(static_cast<int>(type)) + " " +
                          std::string(path));
        updatesRunning.push_back(std::move(listUpdated));
        return true;
    };
    services.limits = limits;
    return services;
}

void WindowFixture::reopen() {
    window.reset();
    window = std::make_unique<find::ui::SearchWindow>(*world.store, world.places(), world.user,
                                                      world.services());
    window->load();
}

std::vector<std::string> WindowFixture::rows() {
    std::vector<std::string> texts;
    for (std::size_t row = 0; row < window->results().size(); ++row) {
        texts.push_back(window->results().text(row));
    }
    return texts;
}

void WindowFixture::select(const std::vector<int>& rows) {
    find::ui::ResultView& view = window->resultView();
    view.clearSelection();
    for (int row : rows) {
        view.selectionModel()->select(view.model()->index(row, 0),
                                      QItemSelectionModel::Select | QItemSelectionModel::Rows);
    }
}

void WindowFixture::search(const QString& text) {
    window->searchBox().setEditText(text);
    QTest::keyClick(window->searchBox().lineEdit(), Qt::Key_Return);
}

QString WindowFixture::status() {
    return quor::ui::shownStatusText(*window->statusBar());
}

}  // namespace quor::testing
