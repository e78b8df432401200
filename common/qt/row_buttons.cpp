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

void RowSelectionFollower::follow(QAbstractItemView& view, const std::function<void()>& update) {
    stop();
    QAbstractItemModel* model = view.model();
    // Rows removed or reset need not report a selection change, so they
    // are followed as well.
    connections_ = {
        QObject::connect(view.selectionModel(), &QItemSelectionModel::selectionChanged, &view,
                         update),
        QObject::connect(model, &QAbstractItemModel::modelReset, &view, update),
        QObject::connect(model, &QAbstractItemModel::rowsRemoved, &view, update),
        QObject::connect(model, &QAbstractItemModel::rowsInserted, &view, update),
        QObject::connect(model, &QAbstractItemModel::dataChanged, &view, update),
    };
    update();
}

void RowSelectionFollower::stop() {
    for (const QMetaObject::Connection& connection : connections_) {
        QObject::disconnect(connection);
    }
    connections_.clear();
}

void makeNote(QListWidgetItem& item) {
    item.setFlags(item.flags() & ~Qt::ItemIsSelectable);
}

}  // namespace quor::ui
