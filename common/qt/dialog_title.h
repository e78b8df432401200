#pragma once

// A title bar shows one line: a line break in a title shows as a box. A
// title that spans lines is split into its first line, for the title bar,
// and the rest, which the dialog shows inside itself.

#include <QString>

namespace quor::ui {

struct SplitTitle {
    QString title;   // the first line
    QString inside;  // the other lines joined by "\n"; empty when there are none
    bool operator==(const SplitTitle&) const = default;
};

// Splits at LF, CR LF or CR. Blank lines at the end are dropped.
SplitTitle splitTitle(const QString& text);

}  // namespace quor::ui
