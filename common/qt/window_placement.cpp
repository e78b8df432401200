#include "common/qt/window_placement.h"

#include <QGuiApplication>
#include <QScreen>
#include <cmath>
#include <limits>
#include <string>

#include "common/qt/qt_interaction.h"

namespace quor::ui {

std::optional<std::int64_t> parseTwips(std::string_view text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) {
        return std::nullopt;
    }
    const auto last = text.find_last_not_of(" \t");
    const std::string trimmed(text.substr(first, last - first + 1));
    std::size_t used = 0;
    double value = 0;
    try {
        value = std::stod(trimmed, &used);
    } catch (const std::exception&) {
        return std::nullopt;
    }
    // Only plain decimal numbers: no hexadecimal, exponent or infinity forms.
    if (used != trimmed.size() || trimmed.find_first_not_of("+-0123456789.") != std::string::npos) {
        return std::nullopt;
    }
    const double rounded = std::nearbyint(value);
    if (!(std::fabs(rounded) < 9.2e18)) {
        return std::nullopt;
    }
    return static_cast<std::int64_t>(rounded);
}

Result<TwipsRect> readPlacement(const store::AppSettings& settings, const PlacementKeys& keys) {
    TwipsRect rect = keys.defaults;
    const std::pair<std::string_view, std::int64_t*> fields[] = {{keys.left, &rect.left},
                                                                 {keys.top, &rect.top},
                                                                 {keys.width, &rect.width},
                                                                 {keys.height, &rect.height}};
    for (const auto& [key, target] : fields) {
        if (!settings.contains(store::kSettings, key)) {
            continue;
        }
        const std::string stored = settings.setting(key);
        const auto value = parseTwips(stored);
        if (!value) {
            return Error{"The stored value of " + std::string(key) + " is not a number: \"" +
                         stored + "\""};
        }
        *target = *value;
    }
    return rect;
}

void savePlacement(store::AppSettings& settings, const PlacementKeys& keys, const TwipsRect& rect) {
    settings.store().transaction([&] {
        settings.saveSetting(keys.left, std::to_string(rect.left));
        settings.saveSetting(keys.top, std::to_string(rect.top));
        settings.saveSetting(keys.width, std::to_string(rect.width));
        settings.saveSetting(keys.height, std::to_string(rect.height));
    });
}

namespace {

double usableDpi(double dpi) {
    return dpi > 1 ? dpi : 96.0;
}

int clampToInt(std::int64_t value) {
    constexpr std::int64_t lowest = -(1 << 24);
    constexpr std::int64_t highest = 1 << 24;
    return static_cast<int>(std::clamp(value, lowest, highest));
}

}  // namespace

std::int64_t twipsToPixels(std::int64_t twips, double dpi) {
    return std::llround(static_cast<double>(twips) * usableDpi(dpi) / 1440.0);
}

std::int64_t pixelsToTwips(std::int64_t pixels, double dpi) {
    return std::llround(static_cast<double>(pixels) * 1440.0 / usableDpi(dpi));
}

QRect toPixels(const TwipsRect& rect, double dpi) {
    return QRect(clampToInt(twipsToPixels(rect.left, dpi)),
                 clampToInt(twipsToPixels(rect.top, dpi)),
                 clampToInt(std::max<std::int64_t>(1, twipsToPixels(rect.width, dpi))),
                 clampToInt(std::max<std::int64_t>(1, twipsToPixels(rect.height, dpi))));
}

TwipsRect toTwips(const QRect& rect, double dpi) {
    return {pixelsToTwips(rect.x(), dpi), pixelsToTwips(rect.y(), dpi),
            pixelsToTwips(rect.width(), dpi), pixelsToTwips(rect.height(), dpi)};
}

QRect keepOnScreens(const QRect& wanted, const QList<QRect>& screens, const QRect& primary) {
    // Enough shows when a piece of the window's top (where its title bar is)
    // can be grabbed on some screen.
    const QRect top(wanted.x(), wanted.y(), wanted.width(), std::min(wanted.height(), 32));
    const int neededWidth = std::min(wanted.width(), 48);
    for (const QRect& screen : screens) {
        const QRect visible = screen.intersected(top);
        if (visible.width() >= neededWidth && visible.height() >= std::min(top.height(), 16)) {
            return wanted;
        }
    }
    QRect moved(primary.topLeft(), wanted.size().boundedTo(primary.size()));
    return moved;
}

double logicalDpi(const QWidget& widget) {
    const QScreen* screen = widget.screen() ? widget.screen() : QGuiApplication::primaryScreen();
    return screen ? screen->logicalDotsPerInch() : 96.0;
}

Status restorePlacement(QWidget& window, const store::AppSettings& settings,
                        const PlacementKeys& keys, QSize minimumTwips) {
    auto stored = readPlacement(settings, keys);
    if (!stored) {
        return Error{stored.error()};
    }
    const double dpi = logicalDpi(window);
    const QSize minimum(clampToInt(twipsToPixels(minimumTwips.width(), dpi)),
                        clampToInt(twipsToPixels(minimumTwips.height(), dpi)));
    window.setMinimumSize(minimum.expandedTo(window.minimumSizeHint()));
    QRect wanted = toPixels(*stored, dpi);
    wanted.setSize(wanted.size().expandedTo(window.minimumSize()));
    QList<QRect> screens;
    for (const QScreen* screen : QGuiApplication::screens()) {
        screens.append(screen->availableGeometry());
    }
    const QScreen* primary = QGuiApplication::primaryScreen();
    if (primary) {
        wanted = keepOnScreens(wanted, screens, primary->availableGeometry());
    }
    window.move(wanted.topLeft());
    window.resize(wanted.size());
    return Status::success();
}

void storePlacement(const QWidget& window, store::AppSettings& settings,
                    const PlacementKeys& keys) {
    if (window.isMinimized()) {
        return;
    }
    savePlacement(settings, keys, toTwips(QRect(window.pos(), window.size()), logicalDpi(window)));
}

}  // namespace quor::ui
