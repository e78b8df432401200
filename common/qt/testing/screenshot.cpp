#include "common/qt/testing/screenshot.h"

#include <QCoreApplication>
#include <QDir>
#include <QPixmap>

namespace quor::testing {

void screenshot(QWidget& widget, const QString& name) {
    QString folder = qEnvironmentVariable("QUOR_SCREENSHOTS");
    if (folder.isEmpty()) {
        folder = "/tmp/quor-screens";
    }
    QDir().mkpath(folder);
    const bool wasVisible = widget.isVisible();
    widget.show();
    QCoreApplication::processEvents();
    widget.grab().save(QDir(folder).filePath(name + ".png"));
    if (!wasVisible) {
        widget.hide();
    }
}

}  // namespace quor::testing
