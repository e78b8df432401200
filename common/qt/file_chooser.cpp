#include "common/qt/file_chooser.h"

#include <QFileDialog>

namespace quor::ui {

QString chooseFile(QWidget* parent, const FileRequest& request, FileChooser chooser) {
    const bool save = chooser == FileChooser::Save;
    QFileDialog dialog(parent, request.title, request.folder, request.filter);
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, save && !request.confirmOverwrite);
    if (!request.defaultSuffix.isEmpty()) {
        dialog.setDefaultSuffix(request.defaultSuffix);
    }
    if (!request.selectedFilter.isEmpty()) {
        dialog.selectNameFilter(request.selectedFilter);
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return {};
    }
    return dialog.selectedFiles().first();
}

}  // namespace quor::ui
