#pragma once

// What the windows ask of the desktop: the folder and file choosers, opening
// a document, starting a program, and running a modal dialog. The defaults
// use Qt and the desktop; tests replace them so that no real chooser or
// modal loop ever waits for a user.

#include <QDialog>
#include <QString>
#include <QStringList>
#include <QUrl>
#include <QWidget>
#include <functional>
#include <string>

#include "common/qt/file_chooser.h"
#include "common/result.h"

namespace quor::ui {

struct WindowServices {
    // The folder chooser; "" when cancelled.
    std::function<QString(QWidget* parent, const QString& title)> chooseFolder;
    // The save dialog; "" when cancelled.
    std::function<QString(QWidget* parent, const FileRequest& request)> chooseSaveFile;
    // "open" with the desktop's default application; false when it failed.
    std::function<bool(const QUrl& url)> openUrl;
    // "open" of a file with the desktop's default application; fails with
    // the reason (the file missing, no application for its type, ...).
    std::function<Status(const std::string& path)> openFile;
    // Starts program with arguments, detached, not waited for; false when it
    // could not be started.
    std::function<bool(const QString& program, const QStringList& arguments)> startDetached;
    // The executable of a program of this system ("quorfind"); "" when
    // there is none.
    std::function<QString(const QString& name)> findProgram;
    // Runs a modal dialog and returns its result (QDialog::Accepted or
    // Rejected).
    std::function<int(QDialog& dialog)> runDialog;

    // The desktop's own services.
    static WindowServices desktop();
};

// The executable named name beside the running program, else on PATH; ""
// when there is none.
QString findSiblingProgram(const QString& name);

}  // namespace quor::ui
