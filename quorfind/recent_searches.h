#pragma once

// The recent searches of the search box: eight items, newest first, kept as
// "SearchFav0" to "SearchFav7". The list always holds eight items (empty ones
// included), so every new distinct text pushes the eighth out.

#include <array>
#include <string>
#include <string_view>

#include "quorvane/store/settings_store.h"

namespace quor::find {

inline constexpr std::size_t kRecentSearchCount = 8;

class RecentSearches {
  public:
    RecentSearches() = default;

    // Reads "SearchFav0".."SearchFav7" (missing ones as empty items).
    static RecentSearches load(const store::AppSettings& settings);
    // Saves all eight items, empty ones as empty texts.
    void save(store::AppSettings& settings) const;

    // Puts text first unless an item equal to it (exactly, case counts)
    // exists; the eighth item is dropped. True when the list changed.
    bool remember(std::string_view text);

    const std::array<std::string, kRecentSearchCount>& items() const { return items_; }

  private:
    std::array<std::string, kRecentSearchCount> items_;
};

// The key of item k: "SearchFav" + k.
std::string recentSearchKey(std::size_t k);

}  // namespace quor::find
