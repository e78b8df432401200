#include "common/qt/app_identity.h"

#include <QGuiApplication>

namespace quor::ui {

void nameApplication(const QString& name, const QString& desktopFileName) {
    QGuiApplication::setApplicationName(name);
    QGuiApplication::setDesktopFileName(desktopFileName);
}

}  // namespace quor::ui
