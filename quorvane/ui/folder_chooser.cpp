#include "quorvane/ui/folder_chooser.h"

#include <QGridLayout>
#include <QLabel>
#include <algorithm>
#include <vector>

#include "common/qt/dialog_title.h"

namespace quor::ui {

namespace {

// Puts label in a row of its own above everything in grid.
void addLabelOnTop(QGridLayout& grid, QLabel* label) {
    struct Placed {
        QLayoutItem* item;
        int row, column, rowSpan, columnSpan;
    };
    std::vector<Placed> placed;
    for (int index = grid.count() - 1; index >= 0; --index) {
        Placed entry{nullptr, 0, 0, 1, 1};
        grid.getItemPosition(index, &entry.row, &entry.column, &entry.rowSpan, &entry.columnSpan);
        entry.item = grid.takeAt(index);
        placed.push_back(entry);
    }
    for (const Placed& entry : placed) {
        grid.addItem(entry.item, entry.row + 1, entry.column, entry.rowSpan, entry.columnSpan);
    }
    grid.addWidget(label, 0, 0, 1, std::max(1, grid.columnCount()));
}

}  // namespace

std::unique_ptr<QFileDialog> makeFolderChooser(QWidget* parent, const QString& title) {
    const SplitTitle split = splitTitle(title);
    auto chooser = std::make_unique<QFileDialog>(parent, split.title);
    chooser->setFileMode(QFileDialog::Directory);
    chooser->setOption(QFileDialog::ShowDirsOnly);
    if (split.inside.isEmpty()) {
        return chooser;
    }
    chooser->setOption(QFileDialog::DontUseNativeDialog);
    auto* label = new QLabel(split.inside, chooser.get());
    label->setObjectName("lblChooserPrompt");
    label->setWordWrap(true);
    if (auto* grid = qobject_cast<QGridLayout*>(chooser->layout())) {
        addLabelOnTop(*grid, label);
    } else if (QLayout* layout = chooser->layout()) {
        layout->addWidget(label);
    }
    return chooser;
}

QString chooseFolder(QWidget* parent, const QString& title) {
    const std::unique_ptr<QFileDialog> chooser = makeFolderChooser(parent, title);
    if (chooser->exec() != QDialog::Accepted || chooser->selectedFiles().isEmpty()) {
        return {};
    }
    return chooser->selectedFiles().first();
}

}  // namespace quor::ui
