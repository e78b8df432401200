#include "quorfind/recent_searches.h"

#include <algorithm>

namespace quor::find {

std::string recentSearchKey(std::size_t k) {
    return "SearchFav" + std::to_string(k);
}

RecentSearches RecentSearches::load(const store::AppSettings& settings) {
    RecentSearches recent;
    for (std::size_t k = 0; k < kRecentSearchCount; ++k) {
        recent.items_[k] = settings.setting(recentSearchKey(k));
    }
    return recent;
}

void RecentSearches::save(store::AppSettings& settings) const {
    settings.store().transaction([&] {
        for (std::size_t k = 0; k < kRecentSearchCount; ++k) {
            settings.saveSetting(recentSearchKey(k), items_[k]);
        }
    });
}

bool RecentSearches::remember(std::string_view text) {
    if (std::find(items_.begin(), items_.end(), text) != items_.end()) {
        return false;
    }
    std::move_backward(items_.begin(), items_.end() - 1, items_.end());
    items_[0] = std::string(text);
    return true;
}

}  // namespace quor::find
