#include "common/qt/bring_forward.h"

namespace quor::ui {

void bringForward(QWidget& window) {
    if (window.isMinimized()) {
        window.setWindowState((window.windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
    }
    window.show();
    window.raise();
    window.activateWindow();
}

}  // namespace quor::ui
