#include "common/qt/described_size.h"

#include <QFontMetricsF>
#include <algorithm>
#include <cmath>

namespace quor::ui {

namespace {

constexpr double kDialogUnitWidth = 6.0;
constexpr double kDialogUnitHeight = 13.0;
constexpr double kBaseDpi = 96.0;

bool usable(double value) {
    return std::isfinite(value) && value > 0;
}

// twips in pixels at dpi, grown by factor; clamped far inside the int range.
int scaledPixels(int twips, double dpi, double factor) {
    if (twips <= 0) {
        return 0;
    }
    const double pixels = static_cast<double>(twips) * dpi / 1440.0 * factor;
    return static_cast<int>(std::clamp(std::llround(pixels), 1LL, 1LL << 24));
}

}  // namespace

FontScale fontScaleFor(double averageCharWidth, double lineHeight, double dpi) {
    const double atBase = usable(dpi) ? kBaseDpi / dpi : 1.0;
    FontScale scale;
    if (usable(averageCharWidth)) {
        scale.x = averageCharWidth * atBase / kDialogUnitWidth;
    }
    if (usable(lineHeight)) {
        scale.y = lineHeight * atBase / kDialogUnitHeight;
    }
    return scale;
}

FontScale fontScaleOf(const QWidget& widget) {
    const QString letters = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ";
    const QFontMetricsF metrics(widget.font(), &widget);
    return fontScaleFor(metrics.horizontalAdvance(letters) / static_cast<double>(letters.size()),
                        metrics.height(), widget.logicalDpiY());
}

QSize describedSizeInPixels(QSize twips, double dpi, FontScale scale) {
    const double used = usable(dpi) ? dpi : kBaseDpi;
    return QSize(scaledPixels(twips.width(), used, scale.x),
                 scaledPixels(twips.height(), used, scale.y));
}

}  // namespace quor::ui
