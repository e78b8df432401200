#pragma once

// The desktop's file choosers, set up by a request that the windows pass
// through their services (tests record it instead of showing a chooser).

#include <QString>
#include <QWidget>

namespace quor::ui {

// A file chooser's set-up; its answer is the chosen path ("" when cancelled).
struct FileRequest {
    QString title;
    QString folder;
    QString filter;          // Qt form: "Text Files (*.txt);;All Files (*)"
    QString selectedFilter;  // one of filter's, or "" for the first
    QString defaultSuffix;   // without the dot: "txt", "m3u"; save choosers only
    // False when choosing an existing file is no overwrite (it is appended
    // to); save choosers only.
    bool confirmOverwrite = true;
};

enum class FileChooser { Open, Save };

// Runs the chooser of an existing file to open, or of a file to save, over
// parent; the chosen path, "" when cancelled.
QString chooseFile(QWidget* parent, const FileRequest& request, FileChooser chooser);

}  // namespace quor::ui
