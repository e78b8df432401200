#include "quorvane/ui/window_services.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

#include "platform/program_folder.h"
#include "platform/shell_open.h"
#include "quorvane/ui/folder_chooser.h"

namespace quor::ui {

WindowServices WindowServices::desktop() {
    WindowServices services;
    services.chooseFolder = [](QWidget* parent, const QString& title) {
        return quor::ui::chooseFolder(parent, title);
    };
    services.chooseSaveFile = [](QWidget* parent, const FileRequest& request) {
        return chooseFile(parent, request, FileChooser::Save);
    };
    services.openUrl = [](const QUrl& url) { return QDesktopServices::openUrl(url); };
    services.openFile = [](const std::string& path) { return platform::shellOpen(path); };
    services.startDetached = [](const QString& program, const QStringList& arguments) {
        return QProcess::startDetached(program, arguments);
    };
    services.findProgram = [](const QString& name) { return findSiblingProgram(name); };
    services.runDialog = [](QDialog& dialog) { return dialog.exec(); };
    return services;
}

QString findSiblingProgram(const QString& name) {
    const std::filesystem::path beside = platform::executableFolder() / name.toStdString();
    const QFileInfo info(QString::fromStdString(beside.string()));
    if (info.isFile() && info.isExecutable()) {
        return info.absoluteFilePath();
    }
    return QStandardPaths::findExecutable(name);
}

}  // namespace quor::ui
