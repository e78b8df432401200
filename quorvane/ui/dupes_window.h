#pragma once

// Duplicate Files: searches the catalogue for files with near-identical
// names, lists them in pairs, and opens, renames or deletes a listed file.
// The search runs on the window's thread and keeps the window live; the
// Search button reads "Stop" while it runs. Rename and Delete correct the
// folder cache file that lists the file, so the catalogue stays in step
// without a rebuild. Rows that name no file (the instruction, separators)
// cannot be selected, and Open, Rename and Delete are enabled only while a
// file is selected; Delete and F2 on the list delete and rename. Escape
// stops a search, or closes the window when none runs. The window remembers its placement under
// "DupesLeft", "DupesTop", "DupesWidth" and "DupesHeight".

#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QPushButton>
#include <functional>
#include <memory>
#include <optional>

#include "common/qt/close_when_idle.h"
#include "common/qt/qt_interaction.h"
#include "common/qt/row_buttons.h"
#include "common/qt/window_interaction.h"
#include "quorvane/dupes/dupes_search.h"
#include "quorvane/dupes/file_opener.h"
#include "quorvane/store/list_context.h"
#include "quorvane/ui/path_list_widget.h"
#include "quorvane/ui/tool_window.h"
#include "quorvane/ui/window_services.h"

namespace quor::ui {

class MainWindow;

class DupesWindow : public QMainWindow {
    Q_OBJECT
  public:
    // boxes shows the messages and questions; nullptr gives the window
    // message boxes of its own. opener hands files to the desktop.
    DupesWindow(store::SettingsStore& store, store::Places places, Interaction* boxes,
                WindowServices services, std::unique_ptr<dupes::FileOpener> opener,
                QWidget* parent = nullptr);
    ~DupesWindow() override;

    // Opening: the single instruction row and the stored placement (the
    // default one, after a notice, when a stored value is not a number).
    void load();

    bool searching() const { return searching_; }
    // The rows and, row for row, the stored names the actions work on.
    const dupes::DupesRows& rows() const { return list_; }

  public slots:
    void searchClicked();
    void openSelected();
    void renameSelected();
    void deleteSelected();
    void showOptions();
    // The program is ending: a running search is stopped and the window
    // closes without storing its placement.
    void abandon();

  protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    void buildControls();
    void buildMenus();
    QPushButton* addButton(const char* name, const QString& caption, void (DupesWindow::*slot)(),
                           const QString& tip = {});
    void setSearching(bool on);
    void appendNewRows(const dupes::DupesRows& soFar);
    void showRows();
    void addRow(const dupes::DupesRows& rows, std::size_t row);
    void enableRowButtons();
    std::optional<std::size_t> selectedRow() const;

    ToolBoxes boxes_;
    WindowInteraction interaction_;
    store::ListContext context_;
    WindowServices services_;
    std::unique_ptr<dupes::FileOpener> opener_;
    dupes::DupesRows list_;
    PathListWidget* listWidget_ = nullptr;
    QPushButton* searchButton_ = nullptr;
    QList<QWidget*> actionButtons_;
    QAction* optionsAction_ = nullptr;
    QMenu* listMenu_ = nullptr;
    bool searching_ = false;
    CloseWhenIdle closing_;
    bool abandoned_ = false;
    RowSelectionFollower rowSelection_;
};

// The main window's Find Duplicate Files: opens the window over main, or
// brings the open one forward (restored when minimised). The window closes
// with the program.
std::function<void()> duplicatesWindowOpener(MainWindow& main, WindowServices services);

}  // namespace quor::ui
