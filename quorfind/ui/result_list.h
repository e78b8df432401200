#pragma once

// The result list of the search window: the rows of the last search, or
// notes that name no file (the instruction rows, "No Matches Found"), which
// cannot be selected. A
// model over the rows lets a search of a million matches show at once; the
// view keeps the right-click rules of the list (a right-click on a selected
// row keeps the selection, on another row selects it alone) and hands the
// window its menu, drag and double-click requests.

#include <QAbstractListModel>
#include <QTreeView>
#include <string>
#include <vector>

#include "quorfind/search/instant_search.h"
#include "quorfind/search/search_result.h"

namespace quor::find::ui {

class ResultModel : public QAbstractListModel {
    Q_OBJECT
  public:
    using QAbstractListModel::QAbstractListModel;

    void showNotes(const std::vector<std::string>& notes);
    void showResults(RowList rows);
    // Shows the matches of a search as you type; rows are made as they show.
    void showMatches(InstantMatches matches);
    void clear() { showResults({}); }

    // True while the rows are notes rather than results.
    bool notes() const { return notes_; }
    // The rows shown (results or notes), and the text of one of them.
    std::size_t size() const { return matchesShown_ ? matches_.size() : rows_.size(); }
    std::string text(std::size_t row) const;
    // The result rows of the given row numbers, and all of them (none while
    // notes are shown).
    std::vector<SearchRow> results(const std::vector<int>& rowNumbers) const;
    std::vector<SearchRow> resultRows() const;

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

  private:
    SearchRow row(std::size_t row) const;

    RowList rows_;
    InstantMatches matches_;
    bool matchesShown_ = false;
    bool notes_ = false;
};

class ResultView : public QTreeView {
    Q_OBJECT
  public:
    explicit ResultView(QWidget* parent = nullptr);

    // Wide: the rows scroll sideways over three times the list's width;
    // otherwise they are cut at its edge and never scroll.
    void setWideScrollRange(bool wide);
    // The selected row numbers, in row order.
    std::vector<int> selectedRowNumbers() const;
    // Selects only row (and makes it current).
    void selectOnly(int row);
    // At least as wide as the rows it shows (the instructions, when the
    // window opens), so a new window shows them whole.
    QSize sizeHint() const override;

  signals:
    void menuRequested(const QPoint& globalPos);
    void dragRequested();

  protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void startDrag(Qt::DropActions supportedActions) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    void applyScrollRange();

    bool wide_ = true;
};

}  // namespace quor::find::ui
