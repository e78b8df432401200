#pragma once

// Save to MP3 Playlist: a save dialog where choosing an existing file means
// adding to it (no overwrite question), then every catalogued file appended
// to the chosen playlist by the core.

#include <QWidget>
#include <functional>

#include "quorvane/store/list_context.h"
#include "quorvane/ui/window_services.h"

namespace quor::ui {

class MainWindow;

// The dialog's set-up: its title, the M3U filter and extension, and the
// folder of the playlist chosen last.
FileRequest playlistRequest(store::ListContext& context);

// Runs the command; false when the dialog was cancelled or the playlist
// could not be written (the user has been told).
[[nodiscard]] bool savePlaylist(store::ListContext& context, const WindowServices& services,
                                QWidget* parent);

// The main window's Save to MP3 Playlist.
std::function<void()> playlistSaver(MainWindow& main, WindowServices services);

}  // namespace quor::ui
