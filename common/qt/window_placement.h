#pragma once

// Window placement kept in the settings store in twips, as decimal text under
// four keys of "Settings" (left, top, width, height). One pixel is
// 1440 / logical DPI twips (15 at 96 DPI). Values are held in 64-bit
// integers, so a window on a large screen or far to the right of several
// screens keeps its true position; a position that lies on no current screen
// is moved onto the primary screen when the window opens.

#include <QList>
#include <QRect>
#include <QSize>
#include <QWidget>
#include <cstdint>
#include <optional>
#include <string_view>

#include "common/result.h"
#include "quorvane/store/settings_store.h"

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

// A stored twips value: an optionally signed decimal number with blanks
// around it; a fraction is rounded. Nothing for any other text or a number
// beyond the 64-bit range.
std::optional<std::int64_t> parseTwips(std::string_view text);

// The stored placement, defaults for missing keys; an error naming the key
// when a stored value is not a number.
Result<TwipsRect> readPlacement(const store::AppSettings& settings, const PlacementKeys& keys);
void savePlacement(store::AppSettings& settings, const PlacementKeys& keys, const TwipsRect& rect);

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

// Gives the window its stored placement (kept on a screen), never smaller
// than minimumTwips. Fails, changing nothing, when a stored value is not a
// number.
Status restorePlacement(QWidget& window, const store::AppSettings& settings,
                        const PlacementKeys& keys, QSize minimumTwips);

// Stores the window's placement, unless it is minimised (then the last
// stored placement stays).
void storePlacement(const QWidget& window, store::AppSettings& settings, const PlacementKeys& keys);

}  // namespace quor::ui
