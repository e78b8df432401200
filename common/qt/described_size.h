#pragma once

// The sizes the windows describe in twips were laid out for an 8-point font
// whose dialog units are 6 pixels wide and 13 pixels high at 96 DPI. A
// larger system font needs larger windows for every caption to fit, so
// described sizes grow horizontally by the font's average character width
// over 6 and vertically by its line height over 13, both measured at 96 DPI
// (the same font at a higher DPI is already covered by the twips' own
// conversion).

#include <QSize>
#include <QWidget>

namespace quor::ui {

struct FontScale {
    double x = 1.0;
    double y = 1.0;
    bool operator==(const FontScale&) const = default;
};

// The scale of a font that measures averageCharWidth by lineHeight pixels
// at dpi. A measure that is not a positive finite number (no font, no
// screen) counts as the 8-point font's, so the scale is never zero.
FontScale fontScaleFor(double averageCharWidth, double lineHeight, double dpi);

// The scale of the widget's font as the widget draws it. The average
// character width is that of the letters a-z and A-Z, the measure the
// 6-pixel dialog unit comes from.
FontScale fontScaleOf(const QWidget& widget);

// A described size in twips, in pixels at dpi, grown by scale (rounded to
// the nearest pixel, at least 1 by 1 unless the twips are 0).
QSize describedSizeInPixels(QSize twips, double dpi, FontScale scale);

}  // namespace quor::ui
