#pragma once

// The duplicate finder's two preferences, kept in the section "Settings":
// "DupesSlider", how many of the 36 signature positions may differ (0 =
// exact, up to 4, default 3), and "DupesIncludeRemovables", whether
// removable disk sets take part (default 1). The options dialog shows and
// stores them; every search reads them afresh.

#include <string_view>

#include "quorvane/store/settings_store.h"

namespace quor::dupes {

inline constexpr store::NumberSetting kDupesSlider{"DupesSlider", "3"};
inline constexpr store::NumberSetting kDupesIncludeRemovables{"DupesIncludeRemovables", "1"};
inline constexpr std::string_view kDupesOptionsCaption = "Duplicate File Options";

struct DupesOptions {
    int tolerance = 3;
    bool includeRemovables = true;

    bool operator==(const DupesOptions&) const = default;
};

// The stored options. A tolerance outside the slider's range 0..4 (a value
// edited by hand) is brought to the nearest end of it, so a search never
// runs with a tolerance the dialog cannot show. Removable disk sets are left
// out only when "DupesIncludeRemovables" is 0. Throws StoreError.
DupesOptions readDupesOptions(const store::AppSettings& settings);

// Stores the options as the dialog's OK does: the slider position as
// decimal text, the check box as "1" or "0". Throws StoreError.
void saveDupesOptions(store::AppSettings& settings, const DupesOptions& options);

}  // namespace quor::dupes
