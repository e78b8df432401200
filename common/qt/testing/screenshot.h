#pragma once

// Pictures of windows taken by the window tests, for a person to look at.

#include <QString>
#include <QWidget>

namespace quor::testing {

// Saves a picture of the widget as <name>.png in $QUOR_SCREENSHOTS (else
// /tmp/quor-screens). A hidden widget is shown for the picture and hidden
// again.
void screenshot(QWidget& widget, const QString& name);

}  // namespace quor::testing
