#pragma once

// Window placement kept in a program's settings in twips, as decimal text
// under four keys (left, top, width, height; common/placement_settings.h). One pixel is
// 1440 / logical DPI twips (15 at 96 DPI). Values are held in 64-bit
// integers, so a window on a large screen or far to the right of several
// screens keeps its true position; a position that lies on no current screen
// is moved onto the primary screen when the window opens.
//
// Sizes that come from the description (defaults and minimums) grow with the
// system font (described_size.h); stored sizes are converted as they are,
// but never smaller than the window's layout needs. A window placed at 0, 0
// opens centred over the window it came from, or on its screen.

#include <QList>
#include <QRect>
#include <QSize>
#include <QWidget>
#include <cstdint>
#include <optional>
#include <string_view>

#include "common/placement_settings.h"
#include "common/qt/described_size.h"
#include "common/result.h"

namespace quor::ui {

struct TwipsRect {
    std::int64_t left = 0;
    std::int64_t top = 0;
    std::int64_t width = 0;
    std::int64_t height = 0;
    bool operator==(const TwipsRect&) const = default;
};

struct PlacementKeys {
    std::string_view left, top, width, height;
    TwipsRect defaults;
};

inline constexpr PlacementKeys kMainPlacement{
    "MainLeft", "MainTop", "MainWidth", "MainHeight", {1000, 1000, 3900, 4356}};
inline constexpr PlacementKeys kHeadFootPlacement{
    "HeadFootLeft", "HeadFootTop", "HeadFootWidth", "HeadFootHeight", {0, 0, 7000, 5000}};
inline constexpr PlacementKeys kDupesPlacement{
    "DupesLeft", "DupesTop", "DupesWidth", "DupesHeight", {0, 0, 3648, 3828}};
inline constexpr PlacementKeys kRemovePlacement{
    "RemoveLeft", "RemoveTop", "RemoveWidth", "RemoveHeight", {0, 0, 3780, 3132}};
inline constexpr PlacementKeys kViewListPlacement{
    "ViewListLeft", "ViewListTop", "ViewListWidth", "ViewListHeight", {1000, 1000, 7000, 5000}};

// The stored twips of a window; a value is missing when its key is.
struct StoredTwips {
    std::optional<std::int64_t> left, top, width, height;
    bool operator==(const StoredTwips&) const = default;
};

// A stored twips value: an optionally signed decimal number with blanks
// around it; a fraction is rounded. Nothing for any other text or a number
// beyond the 64-bit range.
std::optional<std::int64_t> parseTwips(std::string_view text);

// The stored placement; an error naming the key when a stored value is not
// a number.
Result<StoredTwips> readPlacement(const PlacementSettings& settings, const PlacementKeys& keys);
// Stores all four values at once.
void savePlacement(PlacementSettings& settings, const PlacementKeys& keys, const TwipsRect& rect);

// Conversions at a logical DPI (rounded to the nearest pixel or twip).
std::int64_t twipsToPixels(std::int64_t twips, double dpi);
std::int64_t pixelsToTwips(std::int64_t pixels, double dpi);
QRect toPixels(const TwipsRect& rect, double dpi);
TwipsRect toTwips(const QRect& rect, double dpi);

// wanted unchanged when enough of it shows on one of screens (available
// geometries); otherwise moved to the top left of primary and shrunk to fit.
QRect keepOnScreens(const QRect& wanted, const QList<QRect>& screens, const QRect& primary);

// The logical DPI of the widget's screen (96 when there is none).
double logicalDpi(const QWidget& widget);

// What decides where a window opens and how large.
struct PlacementInput {
    StoredTwips stored;
    TwipsRect defaults;  // used for what is not stored; sizes grow by scale
    QSize minimumTwips;  // grows by scale
    double dpi = 96;
    FontScale scale;
    QSize layoutMinimum;  // what the window's layout needs, in pixels
    QRect centreOver;     // the window it came from, or its screen
    QRect screen;         // where a centred window is kept; empty: anywhere
    // What the window's layout prefers: a described default size grows to
    // it, as far as screen allows.
    QSize layoutPreferred;
};
struct WindowPlace {
    QRect rect;
    QSize minimum;
    bool operator==(const WindowPlace&) const = default;
};

// The window's rectangle and minimum size in pixels: each size at least the
// minimum (the scaled minimumTwips, at least layoutMinimum), a size that is
// not stored at least layoutPreferred within screen; a place of 0, 0
// (stored or default) centred over centreOver and kept within screen.
WindowPlace placeWindow(const PlacementInput& input);

// rect moved (not resized) to lie within area as far as it fits, its top
// left shown first; unchanged when area is empty.
QRect moveInside(const QRect& rect, const QRect& area);

// The rectangle a new window of the widget is centred over: the window it
// came from (its parent's window), else the available part of its screen.
QRect centringArea(const QWidget& window);
// The available part of the screen area lies on (of the window's screen
// when area is on none).
QRect screenArea(const QWidget& window, const QRect& area);

// Gives the window its stored placement (placeWindow, kept on a screen).
// Fails, changing nothing, when a stored value is not a number.
Status restorePlacement(QWidget& window, const PlacementSettings& settings,
                        const PlacementKeys& keys, QSize minimumTwips);

// Gives the window its default placement, as if nothing were stored.
void restoreDefaultPlacement(QWidget& window, const PlacementKeys& keys, QSize minimumTwips);

// Stores the window's placement, unless it is minimised (then the last
// stored placement stays).
void storePlacement(const QWidget& window, PlacementSettings& settings, const PlacementKeys& keys);

}  // namespace quor::ui
