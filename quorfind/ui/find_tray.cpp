#include "quorfind/ui/find_tray.h"

#include <QPainter>
#include <QPixmap>

#include "common/qt/program_icon.h"

namespace quor::find::ui {

QIcon quorfindIcon() {
    QPixmap picture(64, 64);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(250, 250, 245));
    painter.drawRoundedRect(QRectF(6, 4, 40, 50), 4, 4);
    painter.setPen(QPen(QColor(120, 130, 150), 3));
    for (int y = 14; y <= 42; y += 9) {
        painter.drawLine(12, y, 38, y);
    }
    painter.setPen(QPen(QColor(30, 70, 140), 6, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(QPointF(44, 44), QPointF(58, 58));
    painter.setBrush(QColor(180, 210, 250, 170));
    painter.drawEllipse(QPointF(34, 34), 13, 13);
    painter.end();
    return quor::ui::programIcon("quorfind", QIcon(picture));
}

FindTray::FindTray(QObject* parent) : QObject(parent), icon_(quorfindIcon()) {
    setObjectName("frmTray");
    icon_.setToolTip("Quorfind");
    menu_.setObjectName("mnuTray");
    QAction* search = menu_.addAction("&Search");
    search->setObjectName("mnuTraySearch");
    connect(search, &QAction::triggered, this, [this] { once(&FindTray::searchRequested); });
    QAction* exit = menu_.addAction("E&xit");
    exit->setObjectName("mnuTrayExit");
    connect(exit, &QAction::triggered, this, [this] { once(&FindTray::exitRequested); });
    icon_.setContextMenu(&menu_);
    connect(&icon_, &QSystemTrayIcon::activated, this, &FindTray::handle);
}

void FindTray::handle(QSystemTrayIcon::ActivationReason reason) {
    if (reason == QSystemTrayIcon::DoubleClick || reason == QSystemTrayIcon::Trigger) {
        once(&FindTray::searchRequested);
    }
}

void FindTray::once(void (FindTray::*signal)()) {
    if (handling_) {
        return;
    }
    handling_ = true;
    emit(this->*signal)();
    handling_ = false;
}

}  // namespace quor::find::ui
