#include "common/qt/window_placement.h"

#include <QGuiApplication>
#include <QScreen>
#include <algorithm>
#include <cmath>
#include <limits>
#include <stdexcept>
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
    } catch (const std::invalid_argument&) {
        return std::nullopt;  // no number
    } catch (const std::out_of_range&) {
        return std::nullopt;  // beyond a double
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

Result<StoredTwips> readPlacement(const PlacementSettings& settings, const PlacementKeys& keys) {
    StoredTwips stored;
    const std::pair<std::string_view, std::optional<std::int64_t>*> fields[] = {
        {keys.left, &stored.left},
        {keys.top, &stored.top},
        {keys.width, &stored.width},
        {keys.height, &stored.height}};
    for (const auto& [key, target] : fields) {
        const std::optional<std::string> text = settings.read(key);
        if (!text) {
            continue;
        }
        const auto value = parseTwips(*text);
        if (!value) {
            return Error{"The stored value of " + std::string(key) + " is not a number: \"" +
                         *text + "\""};
        }
        *target = *value;
    }
    return stored;
}

void savePlacement(PlacementSettings& settings, const PlacementKeys& keys, const TwipsRect& rect) {
    const PlacementSettings::Entry entries[] = {{keys.left, std::to_string(rect.left)},
                                                {keys.top, std::to_string(rect.top)},
                                                {keys.width, std::to_string(rect.width)},
                                                {keys.height, std::to_string(rect.height)}};
    settings.saveAll(entries);
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

namespace {

// One coordinate of a span of length placed at start, moved to lie within
// [low, low + room) as far as it fits, its start shown first.
int keptWithin(int start, int length, int low, int room) {
    return std::max(low, std::min(start, low + room - length));
}

}  // namespace

QRect moveInside(const QRect& rect, const QRect& area) {
    if (area.isEmpty()) {
        return rect;
    }
    return QRect(QPoint(keptWithin(rect.x(), rect.width(), area.x(), area.width()),
                        keptWithin(rect.y(), rect.height(), area.y(), area.height())),
                 rect.size());
}

WindowPlace placeWindow(const PlacementInput& input) {
    const StoredTwips& stored = input.stored;
    const QSize minimum = describedSizeInPixels(input.minimumTwips, input.dpi, input.scale)
                              .expandedTo(input.layoutMinimum);
    const QSize preferred = input.screen.isEmpty()
                                ? input.layoutPreferred
                                : input.layoutPreferred.boundedTo(input.screen.size());
    QSize size = describedSizeInPixels(
                     QSize(clampToInt(input.defaults.width), clampToInt(input.defaults.height)),
                     input.dpi, input.scale)
                     .expandedTo(preferred);
    if (stored.width) {
        size.setWidth(
            clampToInt(std::max<std::int64_t>(1, twipsToPixels(*stored.width, input.dpi))));
    }
    if (stored.height) {
        size.setHeight(
            clampToInt(std::max<std::int64_t>(1, twipsToPixels(*stored.height, input.dpi))));
    }
    size = size.expandedTo(minimum).expandedTo(QSize(1, 1));
    const std::int64_t left = stored.left.value_or(input.defaults.left);
    const std::int64_t top = stored.top.value_or(input.defaults.top);
    QPoint place(clampToInt(twipsToPixels(left, input.dpi)),
                 clampToInt(twipsToPixels(top, input.dpi)));
    if (left == 0 && top == 0) {
        const QRect& area = input.centreOver;
        place = QPoint(area.x() + (area.width() - size.width()) / 2,
                       area.y() + (area.height() - size.height()) / 2);
        return {moveInside(QRect(place, size), input.screen), minimum};
    }
    return {QRect(place, size), minimum};
}

QRect centringArea(const QWidget& window) {
    if (const QWidget* parent = window.parentWidget()) {
        // move() places a window's frame: shifted by the frame's left and top
        // edges (taken to be those of the parent's), the new window's
        // contents are centred over the parent's.
        const QWidget& over = *parent->window();
        const QPoint frameEdges = over.geometry().topLeft() - over.frameGeometry().topLeft();
        return over.geometry().translated(-frameEdges);
    }
    return screenArea(window, QRect());
}

QRect screenArea(const QWidget& window, const QRect& area) {
    const QScreen* screen = area.isEmpty() ? nullptr : QGuiApplication::screenAt(area.center());
    if (screen == nullptr) {
        screen = window.screen() ? window.screen() : QGuiApplication::primaryScreen();
    }
    return screen ? screen->availableGeometry() : QRect();
}

namespace {

// Applies the place of placeWindow, kept on a screen.
void applyPlacement(QWidget& window, const StoredTwips& stored, const PlacementKeys& keys,
                    QSize minimumTwips) {
    const double dpi = logicalDpi(window);
    const QRect area = centringArea(window);
    const WindowPlace placed =
        placeWindow({stored, keys.defaults, minimumTwips, dpi, fontScaleOf(window),
                     window.minimumSizeHint(), area, screenArea(window, area), window.sizeHint()});
    window.setMinimumSize(placed.minimum);
    QRect wanted = placed.rect;
    QList<QRect> screens;
    for (const QScreen* screen : QGuiApplication::screens()) {
        screens.append(screen->availableGeometry());
    }
    if (const QScreen* primary = QGuiApplication::primaryScreen()) {
        wanted = keepOnScreens(wanted, screens, primary->availableGeometry());
    }
    window.move(wanted.topLeft());
    window.resize(wanted.size());
}

}  // namespace

Status restorePlacement(QWidget& window, const PlacementSettings& settings,
                        const PlacementKeys& keys, QSize minimumTwips) {
    auto stored = readPlacement(settings, keys);
    if (!stored) {
        return Error{stored.error()};
    }
    applyPlacement(window, *stored, keys, minimumTwips);
    return Status::success();
}

void restoreDefaultPlacement(QWidget& window, const PlacementKeys& keys, QSize minimumTwips) {
    applyPlacement(window, StoredTwips{}, keys, minimumTwips);
}

void storePlacement(const QWidget& window, PlacementSettings& settings, const PlacementKeys& keys) {
    if (window.isMinimized()) {
        return;
    }
    savePlacement(settings, keys, toTwips(QRect(window.pos(), window.size()), logicalDpi(window)));
}

}  // namespace quor::ui
