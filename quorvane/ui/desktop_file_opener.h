#pragma once

// The desktop behind the Open action of the duplicate list: "open" starts
// the desktop's default application for the file (xdg-open); "play" starts
// the user's audio player with the search program's "PlayCommand" when it
// is set, else the first installed of Audacious and VLC.

#include "quorvane/dupes/file_opener.h"
#include "quorvane/store/settings_store.h"

namespace quor::ui {

class DesktopFileOpener final : public dupes::FileOpener {
  public:
    explicit DesktopFileOpener(store::SettingsStore& store) : store_(store) {}

    // Fails for a verb other than "open" and "play", and when no program
    // could be started, with the reason.
    Status open(const std::string& path, std::string_view verb) override;

  private:
    store::SettingsStore& store_;
};

}  // namespace quor::ui
