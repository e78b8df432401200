#include "quorfind/ui/result_list.h"

#include <QContextMenuEvent>
#include <QHeaderView>
#include <QMouseEvent>
#include <QScrollBar>
#include <algorithm>

#include "common/qt/qt_interaction.h"

namespace quor::find::ui {

using quor::ui::qtext;

void ResultModel::showNotes(const std::vector<std::string>& notes) {
    beginResetModel();
    rows_.clear();
    matches_ = {};
    matchesShown_ = false;
    for (const std::string& note : notes) {
        rows_.addText(note);
    }
    notes_ = true;
    endResetModel();
}

void ResultModel::showResults(RowList rows) {
    beginResetModel();
    rows_ = std::move(rows);
    matches_ = {};
    matchesShown_ = false;
    notes_ = false;
    endResetModel();
}

void ResultModel::showMatches(InstantMatches matches) {
    beginResetModel();
    rows_.clear();
    matches_ = std::move(matches);
    matchesShown_ = true;
    notes_ = false;
    endResetModel();
}

SearchRow ResultModel::row(std::size_t row) const {
    return matchesShown_ ? matches_.row(row) : rows_[row];
}

std::string ResultModel::text(std::size_t row) const {
    return matchesShown_ ? matches_.row(row).text() : rows_.text(row);
}

std::vector<SearchRow> ResultModel::results(const std::vector<int>& rowNumbers) const {
    std::vector<SearchRow> chosen;
    if (notes_) {
        return chosen;
    }
    chosen.reserve(rowNumbers.size());
    for (int number : rowNumbers) {
        if (number >= 0 && static_cast<std::size_t>(number) < size()) {
            chosen.push_back(row(static_cast<std::size_t>(number)));
        }
    }
    return chosen;
}

std::vector<SearchRow> ResultModel::resultRows() const {
    std::vector<SearchRow> all;
    if (notes_) {
        return all;
    }
    all.reserve(size());
    for (std::size_t number = 0; number < size(); ++number) {
        all.push_back(row(number));
    }
    return all;
}

int ResultModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(size());
}

QVariant ResultModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || static_cast<std::size_t>(index.row()) >= size()) {
        return {};
    }
    if (role == Qt::DisplayRole || role == Qt::AccessibleTextRole || role == Qt::ToolTipRole) {
        return qtext(text(static_cast<std::size_t>(index.row())));
    }
    return {};
}

Qt::ItemFlags ResultModel::flags(const QModelIndex& index) const {
    if (!index.isValid()) {
        return Qt::NoItemFlags;
    }
    // Notes name no file: they are shown but cannot be selected or dragged.
    const Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemNeverHasChildren;
    return notes_ ? flags : flags | Qt::ItemIsSelectable | Qt::ItemIsDragEnabled;
}

ResultView::ResultView(QWidget* parent) : QTreeView(parent) {
    setObjectName("SearchList");
    setHeaderHidden(true);
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setUniformRowHeights(true);
    setAllColumnsShowFocus(true);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setDragEnabled(true);
    setDragDropMode(QAbstractItemView::DragOnly);
    setDefaultDropAction(Qt::CopyAction);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    setAccessibleName("Search results");
    setAccessibleDescription(
        "The rows found. Double-click or Open plays a row; the context menu acts on the selected "
        "rows; rows can be dragged onto other programs.");
}

void ResultView::setWideScrollRange(bool wide) {
    wide_ = wide;
    applyScrollRange();
}

void ResultView::applyScrollRange() {
    header()->setStretchLastSection(!wide_);
    setHorizontalScrollBarPolicy(wide_ ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
    if (wide_) {
        header()->resizeSection(0, 3 * width());
    }
}

QSize ResultView::sizeHint() const {
    QSize hint = QTreeView::sizeHint();
    const int rows =
        sizeHintForColumn(0) + 2 * frameWidth() + verticalScrollBar()->sizeHint().width();
    hint.setWidth(std::max(hint.width(), rows));
    return hint;
}

void ResultView::resizeEvent(QResizeEvent* event) {
    QTreeView::resizeEvent(event);
    applyScrollRange();
}

std::vector<int> ResultView::selectedRowNumbers() const {
    std::vector<int> rows;
    if (selectionModel() == nullptr) {
        return rows;
    }
    for (const QModelIndex& index : selectionModel()->selectedRows()) {
        rows.push_back(index.row());
    }
    std::sort(rows.begin(), rows.end());
    return rows;
}

void ResultView::selectOnly(int row) {
    const QModelIndex index = model()->index(row, 0);
    selectionModel()->setCurrentIndex(
        index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}

void ResultView::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::RightButton) {
        QTreeView::mousePressEvent(event);
        return;
    }
    event->accept();
    const QModelIndex index = indexAt(event->position().toPoint());
    if (!index.isValid()) {
        return;
    }
    setFocus(Qt::MouseFocusReason);
    if (selectionModel()->isSelected(index)) {
        selectionModel()->setCurrentIndex(index, QItemSelectionModel::NoUpdate);
    } else {
        selectOnly(index.row());
    }
}

void ResultView::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::RightButton) {
        event->accept();  // the press has set the selection already
        return;
    }
    QTreeView::mouseReleaseEvent(event);
}

void ResultView::contextMenuEvent(QContextMenuEvent* event) {
    event->accept();
    const bool byMouse = event->reason() == QContextMenuEvent::Mouse;
    if (byMouse && !indexAt(event->pos()).isValid()) {
        return;  // below the last row
    }
    const QModelIndex current = currentIndex();
    const bool note = !model()->flags(current).testFlag(Qt::ItemIsSelectable);
    if (!current.isValid() || note || current.data().toString().isEmpty()) {
        return;
    }
    const QPoint at =
        byMouse ? event->globalPos() : viewport()->mapToGlobal(visualRect(current).center());
    emit menuRequested(at);
}

void ResultView::startDrag(Qt::DropActions) {
    emit dragRequested();
}

}  // namespace quor::find::ui
