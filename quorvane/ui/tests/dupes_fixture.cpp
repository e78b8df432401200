#include "dupes_fixture.h"

#include <QStatusBar>

#include "common/qt/status_text.h"
#include "common/testing/temp_tree.h"
#include "quorvane/store/folder_records.h"

namespace quor::testing {

DupesWorld::DupesWorld() {
    store::AppSettings s = world.settings();
    store::writeFolderRecord(s, 0, {musicFolder(), "Music", "1", "0"});
    store::writeFolderRecord(s, 1, {moreFolder(), "More", "1", "0"});
    s.save(store::kNumPaths, "2");
    s.saveSetting("NumFiles", "5");
    s.saveSetting("DupesSlider", "0");
    world.home.file("music/My Song.mp3", "song");
    world.home.file("music/Rock/my_song.MP3", "song again");
    world.home.file("more/abc.mp3", "abc");
    world.home.file("more/cab.mp3", "cab");
    world.home.file("more/other.txt", "other");
    writeCacheFile(0, "2\n*Music/\nMy Song.mp3*      3KB\n*Music/Rock/\nmy_song.MP3*      3KB\n");
    writeCacheFile(1, "3\n*More/\nabc.mp3*  1KB\ncab.mp3*  1KB\nother.txt*  1KB\n");
}

std::string DupesWorld::cacheFile(int record) const {
    return world.home.read("home/" + std::to_string(record) + ".txt");
}

void DupesWorld::writeCacheFile(int record, std::string_view lines) {
    world.home.file("home/" + std::to_string(record) + ".txt", crlf(lines));
}

std::unique_ptr<ui::DupesWindow> DupesWorld::makeWindow() {
    auto recording = std::make_unique<RecordingOpener>();
    opener = recording.get();
    auto window =
        std::make_unique<ui::DupesWindow>(*world.store, store::Places(world.home.home()),
                                          &world.user, world.services(), std::move(recording));
    window->load();
    return window;
}

QListWidget& dupesList(ui::DupesWindow& window) {
    return child<QListWidget>(window, "DupesList");
}

QStringList shownRows(ui::DupesWindow& window) {
    QStringList rows;
    QListWidget& list = dupesList(window);
    for (int i = 0; i < list.count(); ++i) {
        rows << list.item(i)->text();
    }
    return rows;
}

void selectRow(ui::DupesWindow& window, int row) {
    dupesList(window).setCurrentRow(row, QItemSelectionModel::ClearAndSelect);
}

QString statusText(ui::DupesWindow& window) {
    return quor::ui::shownStatusText(*window.statusBar());
}

}  // namespace quor::testing
