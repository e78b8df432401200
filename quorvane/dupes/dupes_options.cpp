#include "quorvane/dupes/dupes_options.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "common/number_text.h"
#include "quorvane/dupes/pair_search.h"

namespace quor::dupes {

DupesOptions readDupesOptions(const store::AppSettings& settings) {
    DupesOptions options;
    const double slider = std::nearbyint(settings.get(kDupesSlider));
    options.tolerance = static_cast<int>(std::clamp(slider, 0.0, double{kMaxTolerance}));
    options.includeRemovables = settings.get(kDupesIncludeRemovables) != 0;
    return options;
}

void saveDupesOptions(store::AppSettings& settings, const DupesOptions& options) {
    const int tolerance = std::clamp(options.tolerance, 0, kMaxTolerance);
    settings.save(kDupesSlider, std::to_string(tolerance));
    settings.save(kDupesIncludeRemovables, options.includeRemovables ? "1" : "0");
}

}  // namespace quor::dupes
