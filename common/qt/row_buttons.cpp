#include "common/qt/row_buttons.h"

#include <QItemSelectionModel>
#include <algorithm>

namespace quor::ui {

bool hasSelectedRow(const QAbstractItemView& view) {
    const QItemSelectionModel* selection = view.selectionModel();
    if (selection == nullptr) {
        return false;
    }
    const QItemSelection ranges = selection->selection();
    return std::any_of(ranges.begin(), ranges.end(),
                       [](const QItemSelectionRange& range) { return !range.isEmpty(); });
}

void followRowSelection(QAbstractItemView& view, QObject* context,
                        const std::function<void()>& update) {
    QAbstractItemModel* model = view.model();
    // Rows removed or reset need not report a selection change, so they
    // are followed as well.
    QObject::connect(view.selectionModel(), &QItemSelectionModel::selectionChanged, context,
                     update);
    QObject::connect(model, &QAbstractItemModel::modelReset, context, update);
    QObject::connect(model, &QAbstractItemModel::rowsRemoved, context, update);
    QObject::connect(model, &QAbstractItemModel::rowsInserted, context, update);
    QObject::connect(model, &QAbstractItemModel::dataChanged, context, update);
    update();
}

void makeNote(QListWidgetItem& item) {
    item.setFlags(item.flags() & ~Qt::ItemIsSelectable);
}

}  // namespace quor::ui
