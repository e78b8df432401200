// The rename dialog: the old path above, the new path to edit below.

#include <QDialog>
#include <QLabel>
#include <QVBoxLayout>
#include <algorithm>

#include "common/qt/dialog_buttons.h"
#include "common/qt/qt_interaction.h"
#include "quorfind/actions/file_actions.h"
#include "quorfind/ui/dialog_parts.h"
#include "quorfind/ui/dialogs.h"

namespace quor::find::ui {

namespace {

using quor::ui::qtext;
using quor::ui::utf8;

// The typed path with the folders it shares with the shown old path put back
// as the old path's own bytes. A name that is not valid UTF-8 is shown with
// replacement characters; without this, renaming a file inside such a folder
// would aim at a folder that does not exist. '/' is ASCII, so the k-th '/'
// of the shown text is the k-th '/' of the original.
std::string withOriginalFolders(const std::string& oldPath, const std::string& shownOld,
                                const std::string& typed) {
    const auto same = std::mismatch(shownOld.begin(), shownOld.end(), typed.begin(), typed.end());
    const std::size_t common = static_cast<std::size_t>(same.first - shownOld.begin());
    const std::size_t shownSlash =
        common == 0 ? std::string::npos : shownOld.rfind('/', common - 1);
    if (shownSlash == std::string::npos) {
        return typed;
    }
    const auto folders = std::count(shownOld.begin(), shownOld.begin() + shownSlash + 1, '/');
    std::size_t oldSlash = std::string::npos;
    for (auto k = folders; k > 0; --k) {
        oldSlash = oldPath.find('/', oldSlash + 1);
    }
    return oldPath.substr(0, oldSlash + 1) + typed.substr(shownSlash + 1);
}

// A path typed without a leading "/" stays in the old file's folder instead
// of landing in whatever folder the program was started from.
std::string insideOldFolder(const std::string& oldPath, const std::string& typed) {
    if (typed.starts_with('/')) {
        return typed;
    }
    const std::size_t slash = oldPath.rfind('/');
    return slash == std::string::npos ? typed : oldPath.substr(0, slash + 1) + typed;
}

class RenameDialog : public QDialog {
  public:
    RenameDialog(const std::string& oldPath, QWidget* parent)
        : QDialog(parent), oldPath_(oldPath), newPath_(oldPath) {
        setObjectName("frmRename");
        setWindowTitle("Rename File");
        setModal(true);
        auto* layout = new QVBoxLayout(this);
        oldBox_ = addLabelledBox(*this, *layout, "&Current file name:", "txtOldFileName").box;
        oldBox_->setReadOnly(true);
        oldBox_->setText(qtext(oldPath));
        newBox_ = addLabelledBox(*this, *layout, "&New file name:", "txtNewFileName").box;
        newBox_->setText(oldBox_->text());
        auto* note = new QLabel(
            "Note: You will need to update your list in Quorvane to see the changes.", this);
        note->setObjectName("lblNote");
        note->setWordWrap(true);
        layout->addWidget(note);
        const quor::ui::OkCancelButtons buttons = quor::ui::addOkCancelButtons(*this, *layout);
        connect(buttons.ok, &QPushButton::clicked, this, [this] { okClicked(); });
        newBox_->selectAll();
        newBox_->setFocus();
        setMinimumSize(480, 190);
    }

    // Cancel, Escape and the close box all leave without a new path.
    std::string newPath() const { return result() == Accepted ? newPath_ : std::string(); }

  private:
    void okClicked() {
        const QString typed = newBox_->text();
        if (!typed.isEmpty() && typed != oldBox_->text()) {
            const std::string candidate = insideOldFolder(
                oldPath_, withOriginalFolders(oldPath_, utf8(oldBox_->text()), utf8(typed)));
            const std::string target = renameTarget(oldPath_, candidate);
            if (!target.empty()) {
                newPath_ = target;
                newBox_->setText(qtext(target));
            }
        }
        accept();
    }

    std::string oldPath_;
    std::string newPath_;
    QLineEdit* oldBox_ = nullptr;
    QLineEdit* newBox_ = nullptr;
};

}  // namespace

std::string askNewPath(QWidget* parent, const std::string& oldPath) {
    RenameDialog dialog(oldPath, parent);
    dialog.exec();
    return dialog.newPath();
}

}  // namespace quor::find::ui
