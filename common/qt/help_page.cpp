#include "common/qt/help_page.h"

#include <QDir>
#include <QFileInfo>

#include "platform/program_folder.h"

#ifndef QUOR_INSTALL_DATADIR
#define QUOR_INSTALL_DATADIR "/usr/local/share/quorvane"
#endif

namespace quor::ui {

QString helpPage() {
    const QString beside =
        QString::fromStdString(platform::executableFolder().string()) + "/../share/quorvane/help";
    for (const QString& folder : {beside, QString(QUOR_INSTALL_DATADIR) + "/help"}) {
        const QFileInfo page(QDir(folder).filePath("index.html"));
        if (page.isFile()) {
            return page.absoluteFilePath();
        }
    }
    return {};
}

}  // namespace quor::ui
