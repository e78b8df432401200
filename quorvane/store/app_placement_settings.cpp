#include "quorvane/store/app_placement_settings.h"

namespace quor::store {

std::optional<std::string> AppPlacementSettings::read(std::string_view key) const {
    if (!settings_.contains(kSettings, key)) {
        return std::nullopt;
    }
    return settings_.setting(key);
}

void AppPlacementSettings::saveAll(std::span<const Entry> entries) {
    settings_.store().transaction([&] {
        for (const auto& [key, value] : entries) {
            settings_.saveSetting(key, value);
        }
    });
}

}  // namespace quor::store
