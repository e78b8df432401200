#pragma once

// The situation the duplicate window tests start from: two catalogued
// folders on disk with their cache files, files with near-identical names
// in both, and a Duplicate Files window over them whose desktop opener
// records what it is asked to open.

#include <QListWidget>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "quorvane/dupes/file_opener.h"
#include "quorvane/ui/dupes_window.h"
#include "ui_world_fixture.h"

namespace quor::testing {

class RecordingOpener final : public dupes::FileOpener {
  public:
    Status open(const std::string& path, std::string_view verb) override {
        calls.emplace_back(path, verb);
        return succeeds ? Status::success() : Status(Error{"no application"});
    }
    std::vector<std::pair<std::string, std::string>> calls;
    bool succeeds = true;
};

// Record 0 "Music" over <tree>/music, record 1 "More" over <tree>/more.
// At tolerance 0 the catalogue holds two pairs:
//   Music/My Song.mp3 ~ Music/Rock/my_song.MP3, More/abc.mp3 ~ More/cab.mp3
struct DupesWorld {
    DupesWorld();

    std::string musicFolder() const { return world.home.path("music").string(); }
    std::string moreFolder() const { return world.home.path("more").string(); }
    std::string cacheFile(int record) const;
    void writeCacheFile(int record, std::string_view lines);

    // A window over the catalogue, loaded (instruction row, placement).
    std::unique_ptr<ui::DupesWindow> makeWindow();

    UiWorld world;
    RecordingOpener* opener = nullptr;  // owned by the last window made
};

// Reading the window.
QListWidget& dupesList(ui::DupesWindow& window);
QStringList shownRows(ui::DupesWindow& window);
void selectRow(ui::DupesWindow& window, int row);
QString statusText(ui::DupesWindow& window);

}  // namespace quor::testing
