#include "common/qt/program_icon.h"

#include <QImageReader>
#include <QPainter>
#include <QPixmap>

#include "platform/installed_files.h"

namespace quor::ui {

namespace {

bool readableImage(const std::filesystem::path& file) {
    std::error_code error;
    if (file.empty() || !std::filesystem::is_regular_file(file, error)) {
        return false;
    }
    return QImageReader(QString::fromStdString(file.string())).canRead();
}

// A white sheet with ruled lines.
void drawSheet(QPainter& painter, const QRectF& sheet) {
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(250, 250, 245));
    painter.drawRoundedRect(sheet, 4, 4);
    painter.setPen(QPen(QColor(53, 102, 176), 3, Qt::SolidLine, Qt::RoundCap));
    for (qreal y = sheet.top() + 9; y < sheet.bottom() - 6; y += 9) {
        painter.drawLine(QPointF(sheet.left() + 6, y), QPointF(sheet.right() - 6, y));
    }
}

}  // namespace

QIcon programIcon(const QString& name, const std::filesystem::path& bundledFile,
                  const QIcon& drawn) {
    if (QIcon::hasThemeIcon(name)) {
        return QIcon::fromTheme(name);
    }
    if (readableImage(bundledFile)) {
        return QIcon(QString::fromStdString(bundledFile.string()));
    }
    return drawn;
}

QIcon programIcon(const QString& name, const QIcon& drawn) {
    const std::string relative = "help/images/" + name.toStdString() + ".svg";
    return programIcon(name, platform::findInstalledFile(relative), drawn);
}

QIcon drawnQuorvaneIcon() {
    QPixmap picture(64, 64);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(200, 128, 34));  // the folder's back and tab
    painter.drawRoundedRect(QRectF(4, 9, 56, 46), 3, 3);
    drawSheet(painter, QRectF(11, 13, 40, 34));
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(240, 180, 76));  // the folder's front
    painter.drawRoundedRect(QRectF(4, 29, 56, 26), 3, 3);
    painter.end();
    return QIcon(picture);
}

}  // namespace quor::ui
