#include "quorvane/ui/tool_window.h"

#include <string>

#include "quorvane/store/app_placement_settings.h"

namespace quor::ui {

void restorePlacementOrTell(QWidget& window, store::SettingsStore& store, Interaction& ui,
                            const PlacementKeys& keys, QSize minimumTwips) {
    std::string failure;
    try {
        const store::AppPlacementSettings settings(store::AppSettings(store, store::kQuorvane));
        if (Status placed = restorePlacement(window, settings, keys, minimumTwips); !placed) {
            failure = placed.error();
        }
    } catch (const std::exception& error) {
        failure = error.what();
    }
    if (!failure.empty()) {
        restoreDefaultPlacement(window, keys, minimumTwips);
        ui.notice("The stored place of this window could not be used.", failure);
    }
}

void storePlacementOrTell(const QWidget& window, store::SettingsStore& store, Interaction& ui,
                          const PlacementKeys& keys) {
    try {
        store::AppPlacementSettings settings(store::AppSettings(store, store::kQuorvane));
        storePlacement(window, settings, keys);
    } catch (const std::exception& error) {
        ui.notice("The place of this window could not be stored.", error.what());
    }
}

void bringForward(QWidget& window) {
    if (window.isMinimized()) {
        window.setWindowState(window.windowState() & ~Qt::WindowMinimized);
    }
    window.show();
    window.raise();
    window.activateWindow();
}

}  // namespace quor::ui
