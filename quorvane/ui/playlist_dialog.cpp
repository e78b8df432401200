#include "quorvane/ui/playlist_dialog.h"

#include "common/qt/qt_interaction.h"
#include "quorvane/generate/playlist.h"
#include "quorvane/ui/main_window.h"

namespace quor::ui {

FileRequest playlistRequest(store::ListContext& context) {
    FileRequest request;
    request.title = "Save MP3 Playlist As: (choose an existing file to append)";
    request.folder = qtext(generate::playlistStartFolder(context));
    request.filter = "Playlist Files (*.m3u *.M3U)";
    request.selectedFilter = request.filter;
    request.defaultSuffix = "m3u";
    request.confirmOverwrite = false;
    return request;
}

bool savePlaylist(store::ListContext& context, const WindowServices& services, QWidget* parent) {
    const QString chosen = services.chooseSaveFile(parent, playlistRequest(context));
    if (chosen.isEmpty()) {
        return false;
    }
    BusyPointer busy(context.user);
    return generate::saveToPlaylist(context, utf8(chosen)).ok();
}

std::function<void()> playlistSaver(MainWindow& main, WindowServices services) {
    return [&main, services = std::move(services)] {
        (void)savePlaylist(main.context(), services, &main);
    };
}

}  // namespace quor::ui
