#include "quorvane/generate/size_text.h"

#include <cmath>
#include <cstdio>

namespace quor::generate {

namespace {

constexpr double kKiB = 1024.0;
constexpr double kMiB = 1048576.0;
constexpr double kGiB = 1073741824.0;

// Rounds halves away from zero, as number formatting patterns do.
double roundedWhole(double value) {
    return std::floor(value + 0.5);
}

// The pattern "####.00": two decimals, no leading zero for values below 1
// (".50"), no padding.
std::string twoDecimals(double value) {
    char text[64];
    std::snprintf(text, sizeof text, "%.2f", value);
    std::string out(text);
    if (out.rfind("0.", 0) == 0) {
        out.erase(0, 1);
    }
    return out;
}

}  // namespace

std::string sizeText(double bytes) {
    if (!std::isfinite(bytes) || bytes < 0) {
        bytes = 0;
    }
    char text[64];
    if (bytes < kKiB) {
        std::snprintf(text, sizeof text, "%.0f", roundedWhole(bytes));
        return std::string(text) + "B";
    }
    if (bytes < kMiB) {
        const double wholeKiB = std::floor(roundedWhole(bytes) / kKiB);
        std::snprintf(text, sizeof text, "%.0f", wholeKiB);
        return std::string(text) + "KB";
    }
    if (bytes < kGiB) {
        return twoDecimals(bytes / kMiB) + "MB";
    }
    return twoDecimals(bytes / kGiB) + "GB";
}

}  // namespace quor::generate
