#include "quorvane/ui/tool_window.h"

#include <string>

#include "common/qt/store_guard.h"
#include "quorvane/store/app_placement_settings.h"

namespace quor::ui {

void restorePlacementOrTell(QWidget& window, store::SettingsStore& store, Interaction& user,
                            const PlacementKeys& keys, QSize minimumTwips) {
    std::string failure;
    const auto placeAsStored = [&] {
        const store::AppPlacementSettings settings(store::AppSettings(store, store::kQuorvane));
        if (Status placed = restorePlacement(window, settings, keys, minimumTwips); !placed) {
            failure = placed.error();
        }
    };
    (void)storeGuarded(placeAsStored, [&](std::string_view error) { failure = error; });
    if (!failure.empty()) {
        restoreDefaultPlacement(window, keys, minimumTwips);
        user.notice("The stored place of this window could not be used.", failure);
    }
}

void storePlacementOrTell(const QWidget& window, store::SettingsStore& store, Interaction& user,
                          const PlacementKeys& keys) {
    (void)storeGuarded(user, "The place of this window could not be stored.", [&] {
        store::AppPlacementSettings settings(store::AppSettings(store, store::kQuorvane));
        storePlacement(window, settings, keys);
    });
}

}  // namespace quor::ui
